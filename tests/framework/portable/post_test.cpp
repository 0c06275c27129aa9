// Work posted from other threads runs on the GUI thread, each thread's in
// the order it was posted, and the posted function is released after it
// ran.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "framework/forms.h"
#include "support/pump.h"

using namespace fw;

namespace {

TEST(Post, WorkFromThreadsRunsOnTheGuiThreadInPostingOrder) {
  constexpr int kThreads = 4, kEach = 250;
  const auto gui = std::this_thread::get_id();
  Application().ProcessMessages();  // the widgetset exists before the threads
  std::vector<std::vector<int>> got(kThreads);
  std::atomic<int> failed{0};
  int ran = 0;
  bool wrong_thread = false;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&, t] {
      for (int i = 0; i < kEach; ++i)
        if (!Application().Post([&, t, i] {
              got[size_t(t)].push_back(i);
              ++ran;
              if (std::this_thread::get_id() != gui) wrong_thread = true;
            }))
          ++failed;
    });
  for (auto& th : threads) th.join();
  ASSERT_EQ(failed.load(), 0);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return ran == kThreads * kEach; }));
  EXPECT_FALSE(wrong_thread);
  for (const auto& v : got) {
    ASSERT_EQ(v.size(), size_t(kEach));
    for (int i = 0; i < kEach; ++i) ASSERT_EQ(v[size_t(i)], i);
  }
}

TEST(Post, PostedFunctionIsReleasedAfterItRan) {
  auto token = std::make_shared<int>(7);
  std::weak_ptr<int> watch = token;
  bool ran = false;
  ASSERT_TRUE(Application().Post([token = std::move(token), &ran] { ran = *token == 7; }));
  ASSERT_TRUE(fwtest::PumpUntil([&] { return ran; }));
  EXPECT_TRUE(fwtest::PumpUntil([&] { return watch.expired(); }));
}

}  // namespace
