// TWriteThread on Win32: takes COMM_WRITE items from its own thread message
// queue, writes each completely with overlapped writes, keeps the
// component's SendDataEmpty flag and posts COMM_SEND_DATA_EMPTY when the
// queue drains after writing.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

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
  HWND NotifyWindow = nullptr;
  std::atomic<bool>* SendDataEmpty = nullptr;

  WorkerThread& Thread() { return thread_; }
  bool Create();
  // Waits until the thread's message queue exists (or the thread ended),
  // so that the first SendData after OpenPort can be posted.
  void WaitQueueReady();
  // GUI thread: posts a LocalAlloc'ed block of count bytes as COMM_WRITE.
  // On true the block belongs to the thread; on false the caller keeps it.
  bool Enqueue(void* block, uint16_t count);

 private:
  enum class WriteResult { Done, Stop, StopKeepBlock };

  void Execute();
  WriteResult WriteItem(const uint8_t* data, DWORD count, OVERLAPPED& ov);
  // Takes the remaining items out of the queue and releases them.
  void ReleaseQueued();

  CRITICAL_SECTION gate_;  // orders Enqueue against the thread's last drain
  bool accepting_ = true;
  HANDLE queue_ready_ = nullptr;
  WorkerThread thread_;  // last: ends before the fields above go
};

}  // namespace serial
