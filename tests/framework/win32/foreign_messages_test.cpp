// Messages from other programs and threads: a forged wake-up of the posted
// work runs nothing and loses nothing; a status bar's private messages and
// the framework's own notification numbers are taken only from this
// thread's own code, never from the queue or from another thread, while
// the program's own sends (also those made while it handles another
// thread's message) still work.
#include <gtest/gtest.h>

#include "support/win32_helpers.h"

#include <commctrl.h>

#include <string>
#include <thread>
#include <vector>

#include "framework/extctrls.h"
#include "framework/stdctrls.h"
#include "support/form_fixture.h"

using namespace fw;
using fw::win32::WindowOf;

namespace {

constexpr LPARAM kBogus = 0x41414141;
constexpr UINT kPostedWorkMessage = WM_APP + 0x101;

// Everything posted to this thread before it has been handled once a
// function posted after it has run.
void DrainPosted() {
  bool ran = false;
  ASSERT_TRUE(Application().Post([&] { ran = true; }));
  ASSERT_TRUE(fwtest::PumpUntil([&] { return ran; }));
}

// Sends from a thread of its own and pumps until the send has returned.
void SendFromOtherThread(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  bool done = false;
  std::thread t([&] {
    SendMessageA(w, msg, wp, lp);
    done = true;
  });
  const bool returned = fwtest::PumpUntil([&] { return done; });
  t.join();
  ASSERT_TRUE(returned);
}

TEST(ForgedPostedWork, WakeUpsWithoutWorkRunNothingAndWorkIsNeitherLostNorRepeated) {
  HWND app = fw::win32::ApplicationWindow();
  ASSERT_TRUE(app);
  const std::pair<WPARAM, LPARAM> forged[] = {{0, kBogus}, {1, 1}, {WPARAM(-1), -1}, {0x7FFFFFF0, kBogus}};
  for (auto [wp, lp] : forged) PostMessageA(app, kPostedWorkMessage, wp, lp);
  std::vector<int> ran;
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(Application().Post([&ran, i] { ran.push_back(i); }));
    // Forged wake-ups in between may run the work early, but in order.
    for (auto [wp, lp] : forged) PostMessageA(app, kPostedWorkMessage, wp, lp);
  }
  DrainPosted();
  EXPECT_EQ(ran, (std::vector<int>{0, 1, 2}));
}

class ForeignMessages : public fwtest::FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    edit = Add<TEdit>();
    edit->SetBounds(10, 10, 120, 21);
    edit->OnChange = [this](TObject*) { bar->SetPanelText(1, "seen " + edit->Text()); };
    button = Add<TButton>();
    button->SetBounds(10, 40, 75, 25);
    button->OnClick = [this](TObject*) { ++clicks; };
    bar = Add<TStatusBar>();
    bar->SizeGrip = false;
    bar->SetHeight(22);
    bar->AlignToParent();
    bar->SetPanels({{120, "Serial Port Status"}, {120, ""}});
    Show();
  }
  std::string Panel(int i) {
    char buf[256] = {};
    if (LOWORD(SendMessageA(WindowOf(bar), SB_GETTEXTLENGTHA, WPARAM(i), 0)) >= sizeof buf) return "<long>";
    SendMessageA(WindowOf(bar), SB_GETTEXTA, WPARAM(i), reinterpret_cast<LPARAM>(buf));
    return buf;
  }
  TEdit* edit;
  TButton* button;
  TStatusBar* bar;
  int clicks = 0;
};

TEST_F(ForeignMessages, PostedStatusBarMessagesAreDropped) {
  HWND w = WindowOf(bar);
  // Each would read or write through lParam.
  const UINT messages[] = {SB_SETTEXTA, SB_GETTEXTA, SB_SETPARTS, SB_GETPARTS, SB_GETRECT, SB_SETTEXTW, SB_GETTEXTW};
  for (UINT m : messages) {
    PostMessageA(w, m, 0, kBogus);
    PostMessageA(w, m, 3, kBogus);
  }
  DrainPosted();
  EXPECT_EQ(Panel(0), "Serial Port Status");
}

TEST_F(ForeignMessages, StatusBarMessagesFromAnotherThreadAreDropped) {
  // A real pointer of this process: were the message taken, the text would
  // change.
  static const char forged[] = "forged";
  SendFromOtherThread(WindowOf(bar), SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(forged));
  EXPECT_EQ(Panel(0), "Serial Port Status");
}

TEST_F(ForeignMessages, OwnSendsStillWorkAlsoWhileHandlingAnotherThreadsMessage) {
  bar->SetPanelText(0, "mine");
  EXPECT_EQ(Panel(0), "mine");
  // The edit's change handler sets a panel from inside the other thread's
  // WM_SETTEXT.
  static const char text[] = "12";
  SendFromOtherThread(WindowOf(edit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(edit->Text(), "12");
  EXPECT_EQ(Panel(1), "seen 12");
}

TEST_F(ForeignMessages, FrameworkNotificationsComeOnlyFromTheFramework) {
  HWND w = WindowOf(button);
  const WPARAM clicked = MAKEWPARAM(0, BN_CLICKED);
  PostMessageA(w, fw::win32::CN_COMMAND, clicked, LPARAM(w));
  DrainPosted();
  SendFromOtherThread(w, fw::win32::CN_COMMAND, clicked, LPARAM(w));
  EXPECT_EQ(clicks, 0);
  // The reflected notification of a real click still arrives.
  SendMessageA(w, BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
}

}  // namespace
