// The hidden application window, timers on it, posted work that fails, and
// Terminate from another thread.
#include <gtest/gtest.h>

#include "support/win32_helpers.h"

#include <thread>

#include "framework/extctrls.h"
#include "framework/forms.h"
#include "support/pump.h"

using namespace fw;

namespace {

TEST(Win32Loop, ApplicationWindowIsHiddenAndNamedTApplication) {
  HWND app = static_cast<HWND>(Application().Handle());
  ASSERT_TRUE(IsWindow(app));
  EXPECT_EQ(app, win32::ApplicationWindow());
  EXPECT_EQ(fwtest::ClassOf(app), "TApplication");
  EXPECT_FALSE(IsWindowVisible(app));
  EXPECT_EQ(FindWindowA("TApplication", nullptr), app);
}

TEST(Win32Loop, TimersFireUntilStopped) {
  TComponent owner(nullptr);
  auto* a = new TTimer(&owner);
  auto* b = new TTimer(&owner);
  int fa = 0, fb = 0;
  a->OnTimer = [&](TObject* s) {
    EXPECT_EQ(s, a);
    ++fa;
  };
  b->OnTimer = [&](TObject*) { ++fb; };
  a->SetInterval(10);
  a->SetEnabled(true);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return fa >= 3; }));
  EXPECT_EQ(fb, 0);  // never enabled
  a->SetEnabled(false);
  const int stopped_at = fa;
  b->SetInterval(30);
  b->SetEnabled(true);
  // Long enough for many ticks of a: none may come.
  ASSERT_TRUE(fwtest::PumpUntil([&] { return fb >= 3; }));
  EXPECT_EQ(fa, stopped_at);
}

TEST(Win32Loop, TimerFreedWhileRunningNeverFiresAgain) {
  int fired = 0;
  auto* t = new TTimer(nullptr);
  t->SetInterval(10);
  t->OnTimer = [&](TObject*) { ++fired; };
  t->SetEnabled(true);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return fired >= 1; }));
  delete t;
  const int at = fired;
  TTimer probe(nullptr);
  int probes = 0;
  probe.SetInterval(40);
  probe.OnTimer = [&](TObject*) { ++probes; };
  probe.SetEnabled(true);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return probes >= 2; }));
  EXPECT_EQ(fired, at);
}

TEST(Win32Loop, FailingPostedWorkOrTimerDoesNotStopTheLoop) {
  int after = 0;
  ASSERT_TRUE(Application().Post([] { throw std::runtime_error("posted work failed"); }));
  ASSERT_TRUE(Application().Post([&] { ++after; }));
  EXPECT_TRUE(fwtest::PumpUntil([&] { return after == 1; }));
  TTimer t(nullptr);
  int ticks = 0;
  t.SetInterval(10);
  t.OnTimer = [&](TObject*) {
    ++ticks;
    throw std::runtime_error("timer failed");
  };
  t.SetEnabled(true);
  EXPECT_TRUE(fwtest::PumpUntil([&] { return ticks >= 2; }));
}

TEST(Win32Loop, TerminateFromAnotherThreadEndsRun) {
  Application().ProcessMessages();
  std::thread other([] { Application().Terminate(); });
  Application().Run();
  other.join();
  EXPECT_TRUE(Application().Terminated());
}

}  // namespace
