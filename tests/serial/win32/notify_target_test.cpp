// The notification window under forged messages: numbers posted by anyone
// with made-up parameters raise no event and free nothing; the worker
// threads' notifications still arrive once each, in posting order, with
// their own bytes and bits, however many forged wake-ups come between them.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "framework/forms.h"
#include "serial/comm.h"
#include "serial/comm_messages.h"
#include "serial/win32/notify_window.h"

using namespace serial;

namespace {

constexpr LPARAM kBogus = 0x41414141;

bool PumpUntil(const std::function<bool()>& pred, unsigned timeout_ms = 30000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    fw::Application().ProcessMessages();
    if (pred()) return true;
    if (std::chrono::steady_clock::now() > end) return pred();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

// Every number the window answers, with parameters that would be taken for
// a count and a block, or for bits.
void Forge(HWND w) {
  const std::pair<WPARAM, LPARAM> params[] = {{5, kBogus}, {1, 1}, {WPARAM(-1), -1}, {0x7FFFFFF0, kBogus}};
  for (UINT m = COMM_RECEIVE_DATA; m <= COMM_SEND_DATA_EMPTY; ++m)
    for (auto [wp, lp] : params) PostMessageA(w, m, wp, lp);
}

class NotifyTargetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    comm.OnReceiveData = [this](fw::TObject*, const void* buf, uint16_t len) {
      const auto* p = static_cast<const char*>(buf);
      events.push_back("data " + std::string(p, len) + (p[len] == 0 ? "" : " (no 0 after)"));
    };
    comm.OnReceiveError = [this](fw::TObject*, uint32_t bits) { events.push_back("error " + std::to_string(bits)); };
    comm.OnModemStateChange = [this](fw::TObject*, uint32_t bits) {
      events.push_back("modem " + std::to_string(bits));
    };
    comm.OnRequestHangup = [this](fw::TObject*) { events.push_back("hangup"); };
    comm.OnSendDataEmpty = [this](fw::TObject*) { events.push_back("empty"); };
  }
  // Everything posted to this thread before has been handled once a
  // function posted after it has run.
  void Drain() {
    bool ran = false;
    ASSERT_TRUE(fw::Application().Post([&] { ran = true; }));
    ASSERT_TRUE(PumpUntil([&] { return ran; }));
  }
  TComm comm{nullptr};
  std::vector<std::string> events;
};

TEST_F(NotifyTargetTest, ForgedNotificationsRaiseNothing) {
  NotifyTarget target(&comm);
  ASSERT_TRUE(target.Window());
  Forge(target.Window());
  Drain();
  EXPECT_TRUE(events.empty());
}

TEST_F(NotifyTargetTest, ThreadsNotificationsArriveInOrderAmongForgedOnes) {
  NotifyTarget target(&comm);
  ASSERT_TRUE(target.Window());
  bool posted = true;
  std::thread worker([&] {
    const uint8_t ab[] = {'a', 'b'}, cd[] = {'c', 'd', 'e'};
    Forge(target.Window());
    posted &= target.PostData(ab, 2);
    Forge(target.Window());
    posted &= target.Post(COMM_RECEIVE_ERROR, kCeFrame);
    posted &= target.Post(COMM_MODEM_STATE_CHANGE, 12);
    Forge(target.Window());
    posted &= target.PostData(cd, 3);
    posted &= target.Post(COMM_SEND_DATA_EMPTY);
    Forge(target.Window());
  });
  worker.join();
  ASSERT_TRUE(posted);
  ASSERT_TRUE(PumpUntil([&] { return events.size() >= 5; }));
  Drain();
  EXPECT_EQ(events, (std::vector<std::string>{"data ab", "error 8", "modem 12", "data cde", "empty"}));
}

// The read and the write threads queue and post apart: their wake-ups may
// reach the window in the other order than their notifications were queued.
TEST_F(NotifyTargetTest, WakeUpsInTheOtherOrderLoseNothing) {
  NotifyTarget target(&comm);
  ASSERT_TRUE(target.Window());
  ASSERT_TRUE(target.Post(COMM_SEND_DATA_EMPTY));
  ASSERT_TRUE(target.Post(COMM_REQUEST_HANGUP));
  // The first wake-up goes behind the second.
  MSG m;
  ASSERT_TRUE(PeekMessageA(&m, target.Window(), COMM_SEND_DATA_EMPTY, COMM_SEND_DATA_EMPTY, PM_REMOVE));
  ASSERT_TRUE(PostMessageA(target.Window(), COMM_SEND_DATA_EMPTY, 0, 0));
  Drain();
  EXPECT_EQ(events, (std::vector<std::string>{"empty", "hangup"}));
}

TEST_F(NotifyTargetTest, NothingToDeliverWithoutAWindowOrBytes) {
  NotifyTarget target(&comm);
  const uint8_t byte = 1;
  EXPECT_FALSE(target.PostData(&byte, 0));
  EXPECT_FALSE(target.PostData(nullptr, 4));
  // Data travels only with its bytes.
  EXPECT_FALSE(target.Post(COMM_RECEIVE_DATA, 4));
  Drain();
  EXPECT_TRUE(events.empty());
}

}  // namespace
