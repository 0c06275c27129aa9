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
#include "skin/paint/group_box_painter.h"
#include "skin/paint/status_bar_painter.h"

#include <commctrl.h>

#include <algorithm>
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
    ASSERT_TRUE(MoveMouse(CaptionPoint()));
  }
  POINT CaptionPoint() {
    RECT wr;
    GetWindowRect(form, &wr);
    return POINT{(wr.left + wr.right) / 2, wr.top + 10};
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

// Pixels of a and b that differ on the band pixels wide along the inside of
// r's edges, outside skip.
int RingDifferences(const fw::TBitmap& a, const fw::TBitmap& b, const fw::TRect& r, int band,
                    const fw::TRect& skip = {}) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
  int n = 0;
  for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, a.Height()); ++y)
    for (int x = std::max(r.Left, 0); x < std::min(r.Right, a.Width()); ++x) {
      const bool on_band = x < r.Left + band || x >= r.Right - band || y < r.Top + band || y >= r.Bottom - band;
      if (!on_band || (x >= skip.Left && x < skip.Right && y >= skip.Top && y < skip.Bottom)) continue;
      n += (a.Pixel(x, y) & 0xFFFFFF) != (b.Pixel(x, y) & 0xFFFFFF);
    }
  return n;
}

// How many pixels of the screen in r (screen coordinates) have this colour.
int ScreenCount(const RECT& r, fw::TColor colour) {
  const fw::TBitmap shown = ScreenPixels(r);
  int n = 0;
  for (fw::TColor c : shown.Pixels()) n += (c & 0xFFFFFF) == (colour & 0xFFFFFF);
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

  // The group box's rounded frame (its caption aside) and the status bar's
  // panel edges come from the skin's painters: a band along every edge.
  HWND group = H(w->GroupBox5);
  RECT gr;
  GetWindowRect(group, &gr);
  skin::paint::GroupBoxState gs;
  gs.width = gr.right - gr.left;
  gs.height = gr.bottom - gr.top;
  for (char c : w->GroupBox5->Caption()) gs.caption += wchar_t(static_cast<unsigned char>(c));
  gs.font = w->GroupBox5->Font();
  fw::TBitmap box;
  skin::paint::PaintGroupBox(box, *w->SkinData1, gs);
  EXPECT_EQ(RingDifferences(ScreenOf(group), box, fw::TRect{0, 0, gs.width, gs.height}, 3,
                            skin::paint::GroupBoxCaptionRect(gs)),
            0);

  HWND bar = H(w->MYSbar);
  RECT br;
  GetWindowRect(bar, &br);
  skin::paint::StatusBarState bs;
  bs.width = br.right - br.left;
  bs.height = br.bottom - br.top;
  const int parts = int(SendMessageA(bar, SB_GETPARTS, 0, 0));
  for (int i = 0; i < parts; ++i) {
    RECT pr{};
    SendMessageA(bar, SB_GETRECT, WPARAM(i), reinterpret_cast<LPARAM>(&pr));
    skin::paint::StatusPanelState p;
    p.rect = {pr.left, pr.top, pr.right, pr.bottom};
    bs.panels.push_back(p);
  }
  ASSERT_GT(parts, 2);
  fw::TBitmap edges;
  skin::paint::PaintStatusBar(edges, *w->SkinData1, bs);
  const fw::TBitmap shown = ScreenOf(bar);
  const std::vector<fw::TRect> panels = skin::paint::StatusPanelRects(bs);
  // The last panel reaches the bar's end; the others are framed alike.
  for (size_t i = 0; i + 1 < panels.size(); ++i)
    EXPECT_EQ(RingDifferences(shown, edges, panels[i], 2), 0) << "panel " << i;
}

TEST_F(SkinnedControls, TheMouseOverAButtonShowsItsHotFrameAndLeavingRestoresIt) {
  HWND b = H(w->btn_load);
  ASSERT_TRUE(MoveMouse(CentreOf(b)));
  EXPECT_TRUE(fwtest::PumpUntil(
      [&] { return Differences(ScreenOf(b), ButtonPicture(w->btn_load, true)) == 0; }, 20000))
      << Differences(ScreenOf(b), ButtonPicture(w->btn_load, true)) << " pixels differ; "
      << Differences(ScreenOf(b), ButtonPicture(w->btn_load, false)) << " from the normal frame";
  ASSERT_TRUE(MoveMouse(CaptionPoint()));
  EXPECT_TRUE(fwtest::PumpUntil(
      [&] { return Differences(ScreenOf(b), ButtonPicture(w->btn_load, false)) == 0; }, 20000));
}

TEST_F(SkinnedControls, APressReleasedOutsideTheButtonStillClicks) {
  int clicks = 0;
  w->btn_stop->OnClick = [&](fw::TObject*) { ++clicks; };
  HWND b = H(w->btn_stop);
  ASSERT_TRUE(MoveMouse(CentreOf(b)));
  MouseButton(true);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return GetCapture() == b; }, 20000));
  // The button, holding the capture, has seen the pointer leave before the
  // release.
  ASSERT_TRUE(MoveMouse(CaptionPoint()));
  EXPECT_EQ(clicks, 0);
  MouseButton(false);
  EXPECT_TRUE(fwtest::PumpUntil([&] { return clicks == 1; }, 20000));
  EXPECT_NE(GetCapture(), b);
}

TEST_F(SkinnedControls, ACheckBoxClickTogglesAndRepaints) {
  fw::TCheckBox* c = w->cb_ed[0];
  ASSERT_FALSE(c->Checked());
  ASSERT_TRUE(Click(CentreOf(H(c))));
  ASSERT_TRUE(fwtest::PumpUntil([&] { return c->Checked(); }, 20000));
  EXPECT_TRUE(fwtest::PumpUntil([&] { return Differences(ScreenOf(H(c)), CheckPicture(c)) == 0; }, 20000))
      << Differences(ScreenOf(H(c)), CheckPicture(c)) << " pixels differ, focus " << (GetFocus() == H(c))
      << ", state " << SendMessageA(H(c), BM_GETSTATE, 0, 0);
}

TEST_F(SkinnedControls, TheLampsStillShowRedAndGreen) {
  // The lamp's square on the screen: a 15-pixel circle fills well over a
  // third of it.
  auto lamp = [&] {
    RECT r;
    GetWindowRect(H(w->MYSbar), &r);
    const int x = r.left + w->s_com->Left(), y = r.top + w->s_com->Top();
    return RECT{x, y, x + w->s_com->Width(), y + w->s_com->Height()};
  };
  const int area = w->s_com->Width() * w->s_com->Height();
  EXPECT_TRUE(fwtest::PumpUntil([&] { return ScreenCount(lamp(), Tfrm_mset::LampRed) > area / 3; }, 20000))
      << ScreenCount(lamp(), Tfrm_mset::LampRed) << " red pixels";
  Tfrm_mset::SetLamp(w->s_com, Tfrm_mset::LampGreen);
  EXPECT_TRUE(fwtest::PumpUntil(
      [&] { return ScreenCount(lamp(), Tfrm_mset::LampGreen) > area / 3 && ScreenCount(lamp(), Tfrm_mset::LampRed) == 0; },
      20000))
      << ScreenCount(lamp(), Tfrm_mset::LampGreen) << " green pixels";
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
  EXPECT_TRUE(fwtest::PumpUntil([&] { return frame.ControlSkins().size() == before - 2; }, 20000))
      << frame.ControlSkins().size() << " skins for " << before << " controls before";
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
