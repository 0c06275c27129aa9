// TWriteThread on Win32: writes the items that SendData queues, each
// completely with overlapped writes, keeps the component's SendDataEmpty
// flag and posts COMM_SEND_DATA_EMPTY when the queue drains after writing.
// The items wait in the thread's own in-process queue; a COMM_WRITE thread
// message only wakes the thread to take the oldest one, so a COMM_WRITE that
// another program posts can at most move an item forward, never name memory.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <vector>

#include "framework/wake_queue.h"
#include "serial/win32/notify_window.h"

#include "serial/win32/worker_thread.h"

namespace serial {

class TWriteThread {
 public:
  TWriteThread();
  ~TWriteThread();
  TWriteThread(const TWriteThread&) = delete;
  TWriteThread& operator=(const TWriteThread&) = delete;

  // Set by OpenPort before the thread starts.
  HANDLE PortHandle = nullptr;
  HANDLE CloseEvent = nullptr;
  NotifyTarget* NotifyWindow = nullptr;
  std::atomic<bool>* SendDataEmpty = nullptr;

  WorkerThread& Thread() { return thread_; }
  bool Create();
  // Waits until the thread's message queue exists (or the thread ended),
  // so that the first SendData after OpenPort can be posted.
  void WaitQueueReady();
  // GUI thread: queues a copy of count bytes and wakes the thread with
  // COMM_WRITE. False when the thread takes no more items or cannot be
  // woken.
  bool Enqueue(const void* data, uint16_t count);

 private:
  enum class WriteResult { Done, Stop, StopKeepBlock };
  using Item = std::vector<uint8_t>;

  void Execute();
  WriteResult WriteItem(const uint8_t* data, DWORD count, OVERLAPPED& ov);

  fw::WakeQueue<Item> items_;
  HANDLE queue_ready_ = nullptr;
  WorkerThread thread_;  // last: ends before the fields above go
};

}  // namespace serial
