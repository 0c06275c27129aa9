// The transmit thread's queue on POSIX: items in order, each a count and a
// block, with an eventfd that wakes the thread when an item arrives. Once
// shut down it refuses items and has released those it held.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>

namespace serial {

struct WriteItem {
  std::unique_ptr<uint8_t[]> block;
  uint16_t count = 0;
};

class WriteQueue {
 public:
  WriteQueue() = default;
  ~WriteQueue();
  WriteQueue(const WriteQueue&) = delete;
  WriteQueue& operator=(const WriteQueue&) = delete;

  bool Create();
  // False (the item is released) once the queue is shut down.
  bool Push(WriteItem item);
  std::optional<WriteItem> TryPop();
  // Readable while items may be waiting.
  int wake_fd() const { return wake_fd_; }
  // Clears the wake-up; call before taking items, so none is missed.
  void ConsumeWake();
  void Shutdown();

 private:
  std::mutex mu_;
  std::deque<WriteItem> items_;
  bool accepting_ = true;
  int wake_fd_ = -1;
};

}  // namespace serial
