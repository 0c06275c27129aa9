// The queue behind posted work and the serial component's notifications: a
// wake-up takes the oldest item or nothing, a sender takes back an item whose
// wake-up failed exactly when the receiver has not taken it, and dropped
// items are released outside the queue's lock.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "framework/wake_queue.h"

using fw::WakeQueue;

namespace {

TEST(WakeQueue, WakeUpsTakeTheOldestItemOrNothing) {
  WakeQueue<int> q;
  EXPECT_FALSE(q.Pop());  // a wake-up with nothing queued
  const uint64_t a = q.Push(1), b = q.Push(2), c = q.Push(3);
  EXPECT_NE(a, 0u);
  EXPECT_LT(a, b);
  EXPECT_LT(b, c);
  EXPECT_EQ(*q.Pop(), 1);
  EXPECT_EQ(*q.Pop(), 2);
  EXPECT_EQ(*q.Pop(), 3);
  EXPECT_FALSE(q.Pop());
}

TEST(WakeQueue, WithdrawTakesBackOnlyWhatIsStillQueued) {
  struct Case {
    const char* name;
    int pops_before;  // items the receiver took first
    int withdrawn;    // index of the item taken back
    bool expected;
    std::vector<int> left;
  };
  const Case cases[] = {
      {"newest, still queued", 0, 2, true, {0, 1}},
      {"middle, still queued", 0, 1, true, {0, 2}},
      {"oldest, already taken", 1, 0, false, {1, 2}},
      {"all taken", 3, 2, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WakeQueue<int> q;
    std::vector<uint64_t> ids;
    for (int i = 0; i < 3; ++i) ids.push_back(q.Push(i));
    for (int i = 0; i < c.pops_before; ++i) q.Pop();
    EXPECT_EQ(q.Withdraw(ids[size_t(c.withdrawn)]), c.expected);
    EXPECT_FALSE(q.Withdraw(ids[size_t(c.withdrawn)]));  // never twice
    std::vector<int> left;
    while (auto v = q.Pop()) left.push_back(*v);
    EXPECT_EQ(left, c.left);
  }
  WakeQueue<int> q;
  q.Push(1);
  EXPECT_FALSE(q.Withdraw(0));
  EXPECT_FALSE(q.Withdraw(0x41414141));
  EXPECT_EQ(q.Size(), 1u);
}

TEST(WakeQueue, CloseDropsTheQueuedItemsAndRefusesNewOnes) {
  WakeQueue<std::shared_ptr<int>> q;
  auto item = std::make_shared<int>(1);
  std::weak_ptr<int> watch = item;
  q.Push(std::move(item));
  q.Close();
  EXPECT_TRUE(watch.expired());
  auto late = std::make_shared<int>(2);
  std::weak_ptr<int> late_watch = late;
  EXPECT_EQ(q.Push(std::move(late)), 0u);
  EXPECT_TRUE(late_watch.expired());
  EXPECT_FALSE(q.Pop());
}

// An item whose release uses the queue again (posted work that captured
// something which posts on destruction) must not find the lock held.
TEST(WakeQueue, DroppedItemsAreReleasedOutsideTheLock) {
  WakeQueue<std::function<void()>> q;
  struct TouchesQueue {
    WakeQueue<std::function<void()>>* q;
    ~TouchesQueue() {
      if (q) q->Size();
    }
  };
  auto make = [&q] {
    auto t = std::make_shared<TouchesQueue>();
    t->q = &q;
    return [t] {};
  };
  const uint64_t id = q.Push(make());
  EXPECT_TRUE(q.Withdraw(id));
  q.Push(make());
  q.Close();
  SUCCEED();  // a deadlock would never get here
}

// Senders on several threads, each queueing and sometimes taking back its
// item as if its wake-up had failed, and a receiver woken also by forged
// wake-ups: every item arrives exactly once unless its sender took it back,
// and each sender's items arrive in order.
TEST(WakeQueue, ItemsFromThreadsArriveOnceAndInOrderWhateverWakesTheReceiver) {
  constexpr int kSenders = 4, kEach = 2000;
  WakeQueue<std::pair<int, int>> q;
  std::atomic<int> withdrawn{0};
  std::atomic<int> senders_done{0};
  std::vector<std::thread> senders;
  for (int s = 0; s < kSenders; ++s)
    senders.emplace_back([&, s] {
      for (int i = 0; i < kEach; ++i) {
        const uint64_t id = q.Push({s, i});
        if (i % 7 == 3 && q.Withdraw(id)) ++withdrawn;
      }
      ++senders_done;
    });
  std::vector<int> last(kSenders, -1);
  int received = 0;
  bool out_of_order = false;
  for (;;) {
    const bool done = senders_done.load() == kSenders;
    auto item = q.Pop();  // a genuine or a forged wake-up alike
    if (!item) {
      if (done) break;
      std::this_thread::yield();
      continue;
    }
    if (item->second <= last[size_t(item->first)]) out_of_order = true;
    last[size_t(item->first)] = item->second;
    ++received;
  }
  for (auto& t : senders) t.join();
  EXPECT_FALSE(out_of_order);
  EXPECT_EQ(received + withdrawn.load(), kSenders * kEach);
}

}  // namespace
