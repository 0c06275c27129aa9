// TReadThread on POSIX: reads the port in blocks of at most 256 bytes that
// complete by the comm time-outs, watches line errors and carrier/ring where
// the device counts them, and posts everything to the notification target.
#pragma once

#include <memory>
#include <thread>

namespace serial {

class PortDevice;
class CloseEvent;
class NotifyWindow;

class TReadThread {
 public:
  TReadThread(PortDevice* port, CloseEvent* close_event, std::shared_ptr<NotifyWindow> notify);
  // Waits for the thread to end (it ends once CloseEvent is set).
  ~TReadThread();
  TReadThread(const TReadThread&) = delete;
  TReadThread& operator=(const TReadThread&) = delete;

  // Throws std::system_error when the thread cannot be created.
  void Start();

 private:
  void Execute();

  PortDevice* PortHandle;
  CloseEvent* CloseEvent_;
  std::shared_ptr<NotifyWindow> NotifyWindow_;
  std::thread thread_;
};

}  // namespace serial
