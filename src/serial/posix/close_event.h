// The component's stop event on POSIX: an eventfd that, once set, stays
// readable, so every poll() that includes it wakes up (a manual-reset event).
#pragma once

namespace serial {

class CloseEvent {
 public:
  CloseEvent() = default;
  ~CloseEvent();
  CloseEvent(const CloseEvent&) = delete;
  CloseEvent& operator=(const CloseEvent&) = delete;

  // False when the event cannot be created.
  bool Create();
  void Set();
  bool IsSet() const;
  int fd() const { return fd_; }

 private:
  int fd_ = -1;
};

}  // namespace serial
