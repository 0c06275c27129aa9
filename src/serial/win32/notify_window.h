// The component's hidden notification window on Win32: a message-only window
// on the GUI thread that turns the worker threads' notifications into the
// component's events, in the order in which they were posted.
//
// The notifications themselves (their bits and received bytes) wait in this
// object's queue; the window message, with the notification's number, only
// wakes the GUI thread. Each wake-up delivers the oldest notification; one
// with nothing queued does nothing. Another program posting these numbers
// can therefore only make a notification come a little earlier, in order,
// and never hand the component memory to read or free.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/wake_queue.h"

class TComm;

namespace serial {

class NotifyTarget {
 public:
  // GUI thread: creates the window (Window() is null when that fails).
  explicit NotifyTarget(TComm* comm);
  // GUI thread: destroys the window; notifications still queued are dropped.
  ~NotifyTarget();
  NotifyTarget(const NotifyTarget&) = delete;
  NotifyTarget& operator=(const NotifyTarget&) = delete;

  HWND Window() const { return wnd_; }

  // Any thread. Queues the notification msg (COMM_RECEIVE_ERROR ...
  // COMM_SEND_DATA_EMPTY) with its bits and wakes the window. False when it
  // cannot be delivered (no window, or the post failed).
  bool Post(uint32_t msg, uint32_t bits = 0);
  // Any thread: COMM_RECEIVE_DATA with a copy of count bytes.
  bool PostData(const uint8_t* data, uint32_t count);
  void PostHangup();

  // GUI thread: raises the event of the oldest notification. Returns false
  // when nothing was queued.
  bool Deliver();

 private:
  struct Notification {
    uint32_t msg = 0;
    uint32_t bits = 0;
    uint32_t count = 0;
    std::vector<uint8_t> data;  // count bytes and a 0 after them
  };
  bool Queue(Notification n);

  TComm* comm_;
  HWND wnd_ = nullptr;
  fw::WakeQueue<Notification> queue_;
};

}  // namespace serial
