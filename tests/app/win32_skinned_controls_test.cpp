// The configurator's controls in the skin, as Windows shows them: every
// windowed control skinned, their pixels from the skin's painters, the
// button's hot frame under the real mouse, a press released outside still
// clicking, check boxes toggling, the lamps, typing, the file dialog's
// controls, and a control that is kept out of the skin.
#include "win32/skinned_fixture.h"

#include "framework/dialogs.h"
#include "framework/stdctrls.h"
#include "skin/paint/button_painter.h"
#include "skin/paint/check_painter.h"
#include "skin/paint/combo_painter.h"
#include "skin/paint/edit_painter.h"

#include <commctrl.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace skintest;

HWND H(fw::TWinControl* c) { return static_cast<HWND>(c->Handle()); }

POINT CentreOf(HWND w) {
  RECT r;
  GetWindowRect(w, &r);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class SkinnedControls : public SkinnedWindow {
 protected:
  void SetUp() override {
    SkinnedWindow::SetUp();
    // The mouse rests on the caption, away from every control.
    RECT wr;
    GetWindowRect(form, &wr);
    MoveMouse(POINT{(wr.left + wr.right) / 2, wr.top + 10});
    fwtest::PumpUntil([] { return false; }, 0);
  }

  fw::TBitmap ButtonPicture(fw::TButton* b, bool hot, bool pressed = false) {
    RECT r;
    GetWindowRect(H(b), &r);
    skin::paint::ButtonState s;
    s.width = r.right - r.left;
    s.height = r.bottom - r.top;
    s.hot = hot;
    s.pressed = pressed;
    s.focused = GetFocus() == H(b);
    s.caption = L"";
    for (char c : b->Caption()) s.caption += wchar_t(static_cast<unsigned char>(c));
    s.font = b->Font();
    fw::TBitmap bmp;
    skin::paint::PaintButton(bmp, *w->SkinData1, s);
    return bmp;
  }
  fw::TBitmap CheckPicture(fw::TCheckBox* c) {
    RECT r;
    GetWindowRect(H(c), &r);
    skin::paint::CheckState s;
    s.width = r.right - r.left;
    s.height = r.bottom - r.top;
    s.focused = GetFocus() == H(c);
    s.state = c->Checked() ? "cbChecked" : "cbUnchecked";
    s.checked = c->Checked() ? "True" : "False";
    s.button_state = int(SendMessageA(H(c), BM_GETSTATE, 0, 0));
    for (char ch : c->Caption()) s.caption += wchar_t(static_cast<unsigned char>(ch));
    s.font = c->Font();
    fw::TBitmap bmp;
    skin::paint::PaintCheck(bmp, *w->SkinData1, s);
    return bmp;
  }
};

// Pixels of a and b that differ, outside skip.
int Differences(const fw::TBitmap& a, const fw::TBitmap& b, const fw::TRect& skip = {}) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
  int n = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      if (x >= skip.Left && x < skip.Right && y >= skip.Top && y < skip.Bottom) continue;
      n += (a.Pixel(x, y) & 0xFFFFFF) != (b.Pixel(x, y) & 0xFFFFFF);
    }
  return n;
}

TEST_F(SkinnedControls, EveryVisibleWindowedControlIsSkinned) {
  int checked = 0;
  for (fw::TWinControl* c : w->GetTabOrderList()) {
    if (!c->Showing()) continue;
    EXPECT_TRUE(Skinned(H(c))) << c->Name() << " (" << c->ClassName() << ")";
    ++checked;
  }
  EXPECT_GT(checked, 60);
}

TEST_F(SkinnedControls, ThePixelsComeFromTheSkinsPainters) {
  EXPECT_EQ(Differences(ScreenOf(H(w->btn_load)), ButtonPicture(w->btn_load, false)), 0);
  ASSERT_TRUE(w->cb_dc[0]->Checked());
  ASSERT_FALSE(w->cb_ed[0]->Checked());
  EXPECT_EQ(Differences(ScreenOf(H(w->cb_dc[0])), CheckPicture(w->cb_dc[0])), 0);
  EXPECT_EQ(Differences(ScreenOf(H(w->cb_ed[0])), CheckPicture(w->cb_ed[0])), 0);

  // The edit's frame and the drop-down's edge and button; their insides
  // are the system's.
  HWND edit = H(w->edt_tel[0]);
  RECT er, ec;
  GetWindowRect(edit, &er);
  GetClientRect(edit, &ec);
  skin::paint::EditState es{er.right - er.left, er.bottom - er.top, ec.right, ec.bottom};
  fw::TBitmap frame;
  const fw::TRect inner = skin::paint::PaintEditFrame(frame, *w->SkinData1, es);
  EXPECT_EQ(Differences(ScreenOf(edit), frame, inner), 0);

  HWND combo = H(w->cb_nt[0]);
  RECT cr;
  GetWindowRect(combo, &cr);
  skin::paint::ComboState cs;
  cs.width = cr.right - cr.left;
  cs.height = cr.bottom - cr.top;
  cs.button_width = GetSystemMetrics(SM_CXHSCROLL) + 2;
  cs.thumb_width = GetSystemMetrics(SM_CYVTHUMB);
  cs.field = fw::ColorToRGB(w->cb_nt[0]->Color());
  fw::TBitmap edge;
  const fw::TRect field = skin::paint::PaintCombo(edge, *w->SkinData1, cs);
  EXPECT_EQ(Differences(ScreenOf(combo), edge, field), 0);

  // The group box's rounded frame and the status bar's panel edges are the
  // skin's colours and images.
  const fw::TBitmap group = ScreenOf(H(w->GroupBox5));
  EXPECT_EQ(group.Pixel(1, group.Height() / 2), w->SkinData1->Colours().ButtonShadow);
  const fw::TBitmap bar = ScreenOf(H(w->MYSbar));
  const TDataSkinObject* edges = w->SkinData1->Object("StatusBarEdges");
  ASSERT_NE(edges, nullptr);
  RECT panel{};
  SendMessageA(H(w->MYSbar), SB_GETRECT, 0, reinterpret_cast<LPARAM>(&panel));
  EXPECT_EQ(bar.Pixel(panel.left, panel.top), edges->Image.Pixel(0, 0) & 0xFFFFFF);
}

TEST_F(SkinnedControls, TheMouseOverAButtonShowsItsHotFrameAndLeavingRestoresIt) {
  HWND b = H(w->btn_load);
  MoveMouse(CentreOf(b));
  EXPECT_TRUE(fwtest::PumpUntil(
      [&] { return Differences(ScreenOf(b), ButtonPicture(w->btn_load, true)) == 0; }, 20000))
      << Differences(ScreenOf(b), ButtonPicture(w->btn_load, true)) << " pixels differ; "
      << Differences(ScreenOf(b), ButtonPicture(w->btn_load, false)) << " from the normal frame";
  RECT wr;
  GetWindowRect(form, &wr);
  MoveMouse(POINT{(wr.left + wr.right) / 2, wr.top + 10});
  EXPECT_TRUE(fwtest::PumpUntil(
      [&] { return Differences(ScreenOf(b), ButtonPicture(w->btn_load, false)) == 0; }, 20000));
}

TEST_F(SkinnedControls, APressReleasedOutsideTheButtonStillClicks) {
  int clicks = 0;
  w->btn_stop->OnClick = [&](fw::TObject*) { ++clicks; };
  HWND b = H(w->btn_stop);
  MoveMouse(CentreOf(b));
  MouseButton(true);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return GetCapture() == b; }, 20000));
  RECT wr;
  GetWindowRect(form, &wr);
  MoveMouse(POINT{(wr.left + wr.right) / 2, wr.top + 10});
  MouseButton(false);
  EXPECT_TRUE(fwtest::PumpUntil([&] { return clicks == 1; }, 20000));
  EXPECT_NE(GetCapture(), b);
}

TEST_F(SkinnedControls, ACheckBoxClickTogglesAndRepaints) {
  fw::TCheckBox* c = w->cb_ed[0];
  ASSERT_FALSE(c->Checked());
  Click(CentreOf(H(c)));
  ASSERT_TRUE(fwtest::PumpUntil([&] { return c->Checked(); }, 20000));
  EXPECT_TRUE(fwtest::PumpUntil([&] { return Differences(ScreenOf(H(c)), CheckPicture(c)) == 0; }, 20000))
      << Differences(ScreenOf(H(c)), CheckPicture(c)) << " pixels differ, focus " << (GetFocus() == H(c))
      << ", state " << SendMessageA(H(c), BM_GETSTATE, 0, 0);
}

TEST_F(SkinnedControls, TheLampsStillShowRedAndGreen) {
  auto lamp_pixel = [&] {
    RECT r;
    GetWindowRect(H(w->MYSbar), &r);
    POINT p{r.left + w->s_com->Left() + w->s_com->Width() / 2, r.top + w->s_com->Top() + w->s_com->Height() / 2};
    return ScreenPixels(RECT{p.x, p.y, p.x + 1, p.y + 1}).Pixel(0, 0);
  };
  EXPECT_EQ(lamp_pixel(), Tfrm_mset::LampRed);
  Tfrm_mset::SetLamp(w->s_com, Tfrm_mset::LampGreen);
  EXPECT_TRUE(fwtest::PumpUntil([&] { return lamp_pixel() == Tfrm_mset::LampGreen; }, 20000));
}

TEST_F(SkinnedControls, TypingGoesThroughTheFilters) {
  auto type = [](HWND h, const std::string& keys) {
    for (char k : keys) SendMessageA(h, WM_CHAR, WPARAM(static_cast<unsigned char>(k)), 1);
  };
  type(H(w->edt_tel[0]), "+4a 9+-");
  EXPECT_EQ(w->edt_tel[0]->Text(), "+49");
  HWND rtt = H(w->edt_rtt);
  SetFocus(rtt);
  SendMessageA(rtt, EM_SETSEL, 0, -1);
  type(rtt, "2x5");
  SendMessageA(rtt, EM_SETSEL, 2, 2);
  type(rtt, "0");
  EXPECT_EQ(w->edt_rtt->Text(), "240");
}

TEST_F(SkinnedControls, TheFileDialogsButtonsAndDropDownsAreSkinned) {
  std::atomic<int> skinned{0}, total{0};
  std::string missed;
  std::thread watcher([&] {
    HWND d = nullptr;
    for (int i = 0; i < 3000 && !d; ++i) {
      d = FindWindowA("#32770", nullptr);
      if (!d) Sleep(20);
    }
    if (!d) return;
    struct Found {
      std::vector<HWND> windows;
    };
    // The dialog's controls are skinned once its frame has finished its
    // set-up: look until they all are, or long enough.
    for (int round = 0; round < 1500; ++round) {
      Found found;
      EnumChildWindows(
          d,
          [](HWND c, LPARAM lp) -> BOOL {
            char cls[64] = {};
            GetClassNameA(c, cls, sizeof cls);
            const LONG style = GetWindowLongA(c, GWL_STYLE);
            const bool button = lstrcmpiA(cls, "Button") == 0 && (style & 0xF) != BS_GROUPBOX;
            const bool combo = lstrcmpiA(cls, "ComboBox") == 0 && (style & 3) != CBS_SIMPLE;
            if ((button || combo) && IsWindowVisible(c)) reinterpret_cast<Found*>(lp)->windows.push_back(c);
            return TRUE;
          },
          reinterpret_cast<LPARAM>(&found));
      int n = 0;
      std::string not_yet;
      for (HWND c : found.windows) {
        DWORD_PTR r = 0;
        SendMessageTimeoutA(c, skin::msg::kQuerySkinned, 0, 0, SMTO_NORMAL, 5000, &r);
        n += r == 1;
        if (r != 1) {
          char cls[64] = {}, parent[64] = {};
          GetClassNameA(c, cls, sizeof cls);
          GetClassNameA(GetParent(c), parent, sizeof parent);
          not_yet += std::string(cls) + " in " + parent + "; ";
        }
      }
      total = int(found.windows.size());
      skinned = n;
      missed = not_yet;
      if (n == total && n > 0) break;
      Sleep(20);
    }
    PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  });
  w->opend->Execute();
  watcher.join();
  EXPECT_GT(total.load(), 2);
  EXPECT_EQ(skinned.load(), total.load()) << missed;
}

TEST_F(SkinnedControls, ControlsGoneWhileSkinnedLeaveNoSkinBehind) {
  auto& frame = *skin::TWinSkinForm::Of(form);
  const size_t before = frame.ControlSkins().size();
  // A control freed: its skin goes with it.
  delete w->btn_stop;
  w->btn_stop = nullptr;
  EXPECT_EQ(frame.ControlSkins().size(), before - 1);
  // A control's window destroyed first: its skin is dead and let go.
  w->btn_save->DestroyHandle();
  w->Perform(skin::msg::kRefreshColours);
  fwtest::PumpUntil([&] { return frame.ControlSkins().size() == before - 2; }, 20000);
  EXPECT_EQ(frame.ControlSkins().size(), before - 2);
  EXPECT_TRUE(Skinned(form));
}

TEST(SkinnedControlTag, AControlTaggedNinetyNineKeepsTheSystemLook) {
  auto w = std::make_unique<Tfrm_mset>(nullptr);
  auto* tagged = new fw::TButton(w.get());
  tagged->SetParent(w.get());
  tagged->SetBounds(700, 440, 80, 24);
  tagged->SetCaption("Tagged");
  tagged->Tag = 99;
  w->DoCreate();
  w->Show();
  HWND form = static_cast<HWND>(w->Handle());
  ASSERT_TRUE(fwtest::PumpUntil([&] { return Skinned(form) && Skinned(H(w->btn_stop)); }, 60000));
  EXPECT_FALSE(Skinned(H(tagged)));
  w.reset();
  skin::DestroySkinManager();
}

}  // namespace
