// The configurator window in the skin's frame, as Windows shows it: skinned
// once, the client area and the controls where they were, the window region,
// the caption strip from the skin's top border, hit tests, the caption
// buttons, the system menu, the keyboard, dialogs, a form that keeps the
// system frame, and unskinning and skinning again.
#include "win32/skinned_fixture.h"

#include "framework/dialogs.h"
#include "skin/paint/frame_painter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <iterator>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

namespace {

using namespace skintest;

TEST_F(SkinnedWindow, IsSkinnedOnceAndKeepsItsClientArea) {
  int frames = 0;
  for (skin::TSkinFrame* f : Manager()->SkinnedWindows()) frames += f->Window() == form;
  EXPECT_EQ(frames, 1);
  const skin::FrameMetrics m = Frame().Metrics();
  EXPECT_GT(m.top, 0);
  RECT wr;
  GetWindowRect(form, &wr);
  EXPECT_EQ(wr.right - wr.left, kClientW + m.left + m.right);
  EXPECT_EQ(wr.bottom - wr.top, kClientH + m.top + m.bottom);
  // Every control stays where the design puts it.
  for (fw::TWinControl* c : {static_cast<fw::TWinControl*>(w->btn_down), static_cast<fw::TWinControl*>(w->edt_pwd),
                             static_cast<fw::TWinControl*>(w->MYSbar), static_cast<fw::TWinControl*>(w->GroupBox18)}) {
    RECT r = fwtest::RectInParent(static_cast<HWND>(c->Handle()));
    EXPECT_EQ(r.left, c->Left()) << c->Name();
    EXPECT_EQ(r.top, c->Top()) << c->Name();
  }
}

TEST_F(SkinnedWindow, RegionCutsTheTransparentCornersAndTheBorderRingComesFromTheSkin) {
  RECT wr;
  GetWindowRect(form, &wr);
  const int W = wr.right - wr.left, H = wr.bottom - wr.top;
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(form, rgn), ERROR);
  EXPECT_FALSE(PtInRegion(rgn, 0, 0));  // the rounded corner of the top border
  EXPECT_TRUE(PtInRegion(rgn, W / 2, 1));
  EXPECT_TRUE(PtInRegion(rgn, W / 2, 100));

  // The whole ring below the caption (left, right and bottom borders, where
  // the region shows them) and a caption column away from the title and the
  // buttons show the skin's border parts as the painter renders them.
  const skin::FrameMetrics m = Frame().Metrics();
  ASSERT_TRUE(m.left > 0 && m.right > 0 && m.bottom > 0);
  SetForegroundWindow(form);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return GetForegroundWindow() == form; }, 30000));
  struct Part {
    skin::paint::BorderPart part;
    RECT on_screen;  // window coordinates
    int w, h;        // the rendered part's size
    POINT origin;    // where the rendered part's (0, 0) lies in the window
  } parts[] = {
      {skin::paint::kPartLeft, {0, m.top, m.left, H}, m.left, H, {0, 0}},
      {skin::paint::kPartRight, {W - m.right, m.top, W, H}, m.right, H, {W - m.right, 0}},
      {skin::paint::kPartBottom, {m.left, H - m.bottom, W - m.right, H}, W - m.left - m.right, m.bottom,
       {m.left, H - m.bottom}},
      {skin::paint::kPartCaption, {W * 2 / 3, 0, W * 2 / 3 + 1, m.top}, W - m.left - m.right, m.top, {m.left, 0}},
  };
  std::vector<fw::TBitmap> want;
  for (const Part& p : parts) {
    want.push_back(skin::paint::RenderBorderPart(*w->SkinData1, p.part, p.w, p.h, true));
    ASSERT_FALSE(want.back().Empty()) << "part " << p.part;
  }
  // Per part: how many pixels the region shows, and how many differ.
  std::vector<std::pair<int, int>> seen(std::size(parts));
  auto ring_matches = [&] {
    const fw::TBitmap screen = ScreenOf(form);
    bool all = true;
    for (size_t i = 0; i < std::size(parts); ++i) {
      const Part& p = parts[i];
      int compared = 0, differ = 0;
      for (int y = p.on_screen.top; y < p.on_screen.bottom; ++y)
        for (int x = p.on_screen.left; x < p.on_screen.right; ++x) {
          if (!PtInRegion(rgn, x, y)) continue;
          ++compared;
          differ += screen.Pixel(x, y) != (want[i].Pixel(x - p.origin.x, y - p.origin.y) & 0xFFFFFF);
        }
      seen[i] = {compared, differ};
      all = all && compared > 0 && differ == 0;
    }
    return all;
  };
  EXPECT_TRUE(fwtest::PumpUntil(ring_matches, 20000));
  for (size_t i = 0; i < std::size(parts); ++i)
    EXPECT_TRUE(seen[i].first > 0 && seen[i].second == 0)
        << "part " << parts[i].part << ": " << seen[i].second << " of " << seen[i].first << " pixels differ";
  DeleteObject(rgn);
}

TEST_F(SkinnedWindow, HitTestsAnswerCaptionAboveTheClientArea) {
  RECT wr;
  GetWindowRect(form, &wr);
  const LPARAM caption = MAKELPARAM(wr.left + (wr.right - wr.left) * 2 / 3, wr.top + 12);
  EXPECT_EQ(SendMessageA(form, WM_NCHITTEST, 0, caption), HTCAPTION);
  const LPARAM client = MAKELPARAM(wr.left + 300, wr.top + 200);
  EXPECT_EQ(SendMessageA(form, WM_NCHITTEST, 0, client), HTCLIENT);
}

TEST_F(SkinnedWindow, CloseButtonCloses) {
  const skin::TWinSysButton* close = ButtonWithAction(0);
  ASSERT_NE(close, nullptr);
  ASSERT_TRUE(Click(Centre(form, close->Rect)));
  EXPECT_TRUE(fwtest::PumpUntil([&] { return Closed(); }, 30000));
}

TEST_F(SkinnedWindow, MinimiseButtonMinimisesAndRestoreBringsBackTheSkinnedWindow) {
  const skin::TWinSysButton* min = ButtonWithAction(2);
  ASSERT_NE(min, nullptr);
  ASSERT_TRUE(Click(Centre(form, min->Rect)));
  ASSERT_TRUE(fwtest::PumpUntil([&] { return IsIconic(form) != 0; }, 30000));
  ShowWindow(form, SW_RESTORE);
  EXPECT_TRUE(fwtest::PumpUntil([&] { return !IsIconic(form) && SkinnedAndSized(); }, 30000));
  EXPECT_EQ(Manager()->SkinnedWindows().size(), 1u);
}

TEST_F(SkinnedWindow, IconOpensTheSystemMenuAndADoubleClickCloses) {
  const skin::TWinSysButton* icon = ButtonWithAction(3);
  ASSERT_NE(icon, nullptr);
  // A single click opens the skinned system menu; Escape closes it.
  std::atomic<bool> menu_seen{false};
  std::thread watcher([&] {
    for (int i = 0; i < 3000 && !menu_seen; ++i) {
      if (HWND m = OpenMenu()) {
        menu_seen = SendMessageA(m, skin::msg::kQuerySkinned, 0, 0) == 1;
        PostMessageA(m, WM_KEYDOWN, VK_ESCAPE, 0);
        break;
      }
      Sleep(20);
    }
  });
  EXPECT_TRUE(Click(Centre(form, icon->Rect)));
  EXPECT_TRUE(fwtest::PumpUntil([&] { return menu_seen.load() && !OpenMenu(); }, 60000));
  watcher.join();
  EXPECT_TRUE(menu_seen);
  EXPECT_FALSE(Closed());

  POINT p = Centre(form, icon->Rect);
  SendMessageA(form, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(p.x, p.y));
  EXPECT_TRUE(fwtest::PumpUntil([&] { return Closed(); }, 30000));
}

TEST_F(SkinnedWindow, AltSpaceOpensTheSkinnedSystemMenuWhoseCloseCloses) {
  SetForegroundWindow(form);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return GetForegroundWindow() == form; }, 30000));
  std::atomic<bool> skinned_menu{false};
  std::thread watcher([&] {
    for (int i = 0; i < 3000; ++i) {
      if (HWND m = OpenMenu()) {
        skinned_menu = SendMessageA(m, skin::msg::kQuerySkinned, 0, 0) == 1;
        // "&Close" by its accelerator.
        PostMessageA(m, WM_CHAR, 'c', 0);
        return;
      }
      Sleep(20);
    }
  });
  AltKey(VK_SPACE);
  EXPECT_TRUE(fwtest::PumpUntil([&] { return Closed(); }, 60000));
  watcher.join();
  EXPECT_TRUE(skinned_menu);
}

TEST_F(SkinnedWindow, ANewTitleIsShownAndAWindowGoneDuringItsPumpIsNotTouched) {
  w->SetCaption("Renamed");
  EXPECT_EQ(fwtest::TextOf(form), "Renamed");
  EXPECT_TRUE(Skinned(form));
  // Work posted before the new title destroys the window while the title
  // is being set (the skin pumps messages there): nothing touches it after.
  fw::Application().Post([&] { DestroyWindow(form); });
  w->SetCaption("Gone");
  EXPECT_FALSE(IsWindow(form));
  fwtest::PumpUntil([] { return true; }, 0);
}

TEST_F(SkinnedWindow, AltF4Closes) {
  SetForegroundWindow(form);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return GetForegroundWindow() == form; }, 30000));
  AltKey(VK_F4);
  EXPECT_TRUE(fwtest::PumpUntil([&] { return Closed(); }, 30000));
}

TEST_F(SkinnedWindow, MessageBoxesAndFileDialogsAreSkinned) {
  std::atomic<int> box{-1};
  std::thread watcher([&] {
    HWND b = fwtest::WaitForWindow("#32770", "Information");
    if (!b) return;
    DWORD_PTR r = 0;
    for (int i = 0; i < 1500 && r != 1; ++i) {
      SendMessageTimeoutA(b, skin::msg::kQuerySkinned, 0, 0, SMTO_NORMAL, 2000, &r);
      if (r != 1) Sleep(20);
    }
    box = int(r);
    PostMessageA(b, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  fw::Application().MessageBox("Skinned?", "Information", 0);
  watcher.join();
  EXPECT_EQ(box.load(), 1);

  std::atomic<int> dialog{-1};
  std::thread dialog_watcher([&] {
    HWND d = nullptr;
    for (int i = 0; i < 3000 && !d; ++i) {
      d = FindWindowA("#32770", nullptr);
      if (!d) Sleep(20);
    }
    if (!d) return;
    DWORD_PTR r = 0;
    for (int i = 0; i < 1500 && r != 1; ++i) {
      SendMessageTimeoutA(d, skin::msg::kQuerySkinned, 0, 0, SMTO_NORMAL, 2000, &r);
      if (r != 1) Sleep(20);
    }
    dialog = int(r);
    PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  });
  w->opend->Execute();
  dialog_watcher.join();
  EXPECT_EQ(dialog.load(), 1);
}

TEST_F(SkinnedWindow, UnskinningGivesBackTheSystemFrameAndSkinningAgainWorks) {
  RECT before;
  GetWindowRect(form, &before);
  w->SkinData1->SetActive(false);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return !Skinned(form); }, 30000));
  RECT c, r;
  GetClientRect(form, &c);
  GetWindowRect(form, &r);
  EXPECT_EQ(c.right, kClientW);
  EXPECT_EQ(c.bottom, kClientH);
  EXPECT_EQ(r.left, before.left);
  EXPECT_EQ(r.top, before.top);
  EXPECT_TRUE(GetWindowLongA(form, GWL_STYLE) & WS_SYSMENU);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(form, rgn), ERROR);  // no region any more
  DeleteObject(rgn);
  RECT expect{0, 0, kClientW, kClientH};
  AdjustWindowRectEx(&expect, GetWindowLongA(form, GWL_STYLE), FALSE, GetWindowLongA(form, GWL_EXSTYLE));
  EXPECT_EQ(r.right - r.left, expect.right - expect.left);
  EXPECT_EQ(r.bottom - r.top, expect.bottom - expect.top);

  w->SkinData1->SetActive(true);
  EXPECT_TRUE(fwtest::PumpUntil([&] { return SkinnedAndSized(); }, 30000));
}

TEST_F(SkinnedWindow, AFormTaggedNinetyNineKeepsTheSystemFrame) {
  fw::TForm plain(nullptr);
  plain.Tag = 99;
  plain.BorderStyle = fw::TFormBorderStyle::bsSingle;
  plain.SetCaption("Tagged");
  plain.SetClientSize(200, 100);
  plain.Show();
  HWND h = static_cast<HWND>(plain.Handle());
  ASSERT_TRUE(fwtest::PumpUntil([&] { return GetActiveWindow() == h; }, 30000));
  // Activation went through the hook; asked again, the manager refuses.
  EXPECT_FALSE(Skinned(h));
  EXPECT_FALSE(Manager()->SkinWindow(h));
  EXPECT_EQ(skin::TWinSkinForm::Of(h), nullptr);
}

}  // namespace
