#include "serial/posix/write_queue.h"

#include <sys/eventfd.h>
#include <unistd.h>

namespace serial {

WriteQueue::~WriteQueue() {
  if (wake_fd_ >= 0) close(wake_fd_);
}

bool WriteQueue::Create() {
  wake_fd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  return wake_fd_ >= 0;
}

bool WriteQueue::Push(WriteItem item) {
  {
    std::lock_guard<std::mutex> lock(mu_);
    if (!accepting_) return false;
    items_.push_back(std::move(item));
  }
  const uint64_t one = 1;
  ssize_t r = write(wake_fd_, &one, sizeof one);
  (void)r;
  return true;
}

std::optional<WriteItem> WriteQueue::TryPop() {
  std::lock_guard<std::mutex> lock(mu_);
  if (items_.empty()) return std::nullopt;
  WriteItem item = std::move(items_.front());
  items_.pop_front();
  return item;
}

void WriteQueue::ConsumeWake() {
  uint64_t v;
  ssize_t r = read(wake_fd_, &v, sizeof v);
  (void)r;
}

void WriteQueue::Shutdown() {
  std::deque<WriteItem> dropped;
  std::lock_guard<std::mutex> lock(mu_);
  accepting_ = false;
  dropped.swap(items_);
}

}  // namespace serial
