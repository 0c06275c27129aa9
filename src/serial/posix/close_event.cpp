#include "serial/posix/close_event.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace serial {

CloseEvent::~CloseEvent() {
  if (fd_ >= 0) close(fd_);
}

bool CloseEvent::Create() {
  fd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  return fd_ >= 0;
}

void CloseEvent::Set() {
  const uint64_t one = 1;
  // The counter only grows; nobody reads it, so it stays signalled.
  ssize_t r = write(fd_, &one, sizeof one);
  (void)r;
}

bool CloseEvent::IsSet() const {
  pollfd p{fd_, POLLIN, 0};
  return poll(&p, 1, 0) > 0 && (p.revents & POLLIN);
}

}  // namespace serial
