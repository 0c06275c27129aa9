// Work and data handed from one thread to another through this process's
// memory. A window or thread message only wakes the receiver, which then
// takes the oldest item; a wake-up with nothing queued takes nothing. So a
// message forged by another program can at most make the receiver take an
// item a little earlier, in order, and never names memory to read, free or
// call.
//
// Every item gets a number when it is queued, so that a sender whose
// wake-up could not be posted can take it back again.
#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <utility>

namespace fw {

template <class T>
class WakeQueue {
 public:
  WakeQueue() = default;
  WakeQueue(const WakeQueue&) = delete;
  WakeQueue& operator=(const WakeQueue&) = delete;

  // Queues the item and returns its number (never 0). Returns 0, dropping
  // the item, once the queue is closed.
  uint64_t Push(T item) {
    std::lock_guard<std::mutex> lock(mu_);
    if (closed_) return 0;
    const uint64_t id = ++last_id_;
    items_.emplace_back(id, std::move(item));
    return id;
  }

  // Takes the item of that number back unless the receiver has already
  // taken it; true when it was still queued (and is now dropped).
  bool Withdraw(uint64_t id) {
    std::optional<T> dropped;  // released after the lock
    std::lock_guard<std::mutex> lock(mu_);
    // The item is usually the newest one.
    for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
      if (it->first != id) continue;
      dropped.emplace(std::move(it->second));
      items_.erase(std::next(it).base());
      return true;
    }
    return false;
  }

  // The oldest item, if any.
  std::optional<T> Pop() {
    std::lock_guard<std::mutex> lock(mu_);
    if (items_.empty()) return std::nullopt;
    std::optional<T> item(std::move(items_.front().second));
    items_.pop_front();
    return item;
  }

  // Refuses items from now on and drops those queued.
  void Close() {
    std::deque<std::pair<uint64_t, T>> dropped;
    std::lock_guard<std::mutex> lock(mu_);
    closed_ = true;
    dropped.swap(items_);
  }

  size_t Size() const {
    std::lock_guard<std::mutex> lock(mu_);
    return items_.size();
  }

 private:
  mutable std::mutex mu_;
  std::deque<std::pair<uint64_t, T>> items_;
  uint64_t last_id_ = 0;
  bool closed_ = false;
};

}  // namespace fw
