// TWriteThread on POSIX: writes the queued items one after another, keeps
// the component's SendDataEmpty flag, and posts COMM_SEND_DATA_EMPTY each
// time the queue drains after writing.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>

#include "serial/posix/write_queue.h"

namespace serial {

class PortDevice;
class CloseEvent;
class NotifyWindow;

class TWriteThread {
 public:
  TWriteThread(PortDevice* port, CloseEvent* close_event, std::shared_ptr<NotifyWindow> notify,
               std::atomic<bool>& send_data_empty);
  ~TWriteThread();
  TWriteThread(const TWriteThread&) = delete;
  TWriteThread& operator=(const TWriteThread&) = delete;

  // Throws std::system_error when the thread or its queue cannot be made.
  void Start();
  // GUI thread: queues a copy of the bytes; false when the thread has ended
  // or no memory is left.
  bool Enqueue(const void* buffer, uint16_t length);

 private:
  void Execute();
  // Writes all count bytes; false when the thread must end.
  bool WriteItemFully(const uint8_t* data, unsigned count);

  PortDevice* PortHandle;
  CloseEvent* CloseEvent_;
  std::shared_ptr<NotifyWindow> NotifyWindow_;
  std::atomic<bool>& SendDataEmpty;
  WriteQueue queue_;
  std::thread thread_;
};

}  // namespace serial
