// The skinned system menu's border on screen: the skin's menu background,
// not the system's frame, whether the system draws its frame outside the
// menu's client area or inside it.
#include "win32/skinned_fixture.h"
#include "win32/menu_band.h"

#include <atomic>
#include <thread>

namespace {

using namespace skintest;

TEST_F(SkinnedWindow, TheSystemMenuShowsTheSkinsBorder) {
  std::atomic<bool> done{false}, skinned{false};
  BandLook look;
  std::thread watcher([&] {
    HWND m = nullptr;
    for (int i = 0; i < 3000 && !(m = OpenMenu()); ++i) Sleep(20);
    if (m) {
      skinned = Skinned(m);
      look = WaitForSkinnedBand(m, *w->SkinData1, 10000);
      PostMessageA(m, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    done = true;
  });
  // What the system sends for Alt+Space.
  PostMessageA(form, WM_SYSCOMMAND, SC_KEYMENU, ' ');
  fwtest::PumpUntil([&] { return done.load() && !OpenMenu(); }, 60000);
  watcher.join();
  EXPECT_TRUE(skinned);
  ASSERT_GE(look.mismatches, 0) << "no menu, or no menu background in the skin";
  EXPECT_EQ(look.mismatches, 0) << "of " << look.band_pixels << " border pixels";
}

}  // namespace
