// Real menus: a form's native menu bar, commands from it, owner-drawn
// items painted through their handlers on real DCs, popup menus shown as
// "#32768" windows, chosen and dismissed with keys, and freed while shown.
#include <gtest/gtest.h>

#include "support/win32_helpers.h"

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "framework/extctrls.h"
#include "framework/menus.h"
#include "support/form_fixture.h"

using namespace fw;
using fw::win32::WindowOf;

namespace {

HWND VisibleMenuWindow() {
  HWND found = nullptr;
  EnumWindows(
      [](HWND w, LPARAM lp) -> BOOL {
        if (fwtest::ClassOf(w) != "#32768" || !IsWindowVisible(w)) return TRUE;
        *reinterpret_cast<HWND*>(lp) = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// From another thread: waits for the popup menu to show, then plays keys
// into it.
class MenuKeys {
 public:
  explicit MenuKeys(std::vector<std::pair<UINT, WPARAM>> keys, const std::atomic<bool>* ready = nullptr)
      : thread_([this, keys, ready] {
          const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
          HWND w = nullptr;
          while (!(w = VisibleMenuWindow()) || (ready && !*ready)) {
            if (std::chrono::steady_clock::now() > end) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
          }
          shown_ = true;
          for (auto [msg, key] : keys) PostMessageA(w, msg, key, 0);
        }) {}
  ~MenuKeys() { thread_.join(); }
  bool Shown() const { return shown_; }

 private:
  std::atomic<bool> shown_{false};
  std::thread thread_;
};

std::string MenuText(HMENU m, UINT pos) {
  char buf[256] = {};
  GetMenuStringA(m, pos, buf, sizeof buf, MF_BYPOSITION);
  return buf;
}

class Win32Menus : public fwtest::FormTest {
 protected:
  TMenuItem* Item(TMenuItem* parent, const std::string& caption, TShortCut sc = scNone) {
    auto* it = new TMenuItem(form);
    it->SetCaption(caption);
    it->SetShortCut(sc);
    it->OnClick = [this, caption](TObject*) { clicks.push_back(caption); };
    parent->Add(it);
    return it;
  }
  std::vector<std::string> clicks;
};

TEST_F(Win32Menus, FormShowsItsMenuAsANativeBar) {
  auto* menu = new TMainMenu(form);
  auto* file = Item(menu->Items(), "&File");
  Item(file, "&Open", ShortCut('O', scCtrl));
  Item(file, "-");
  auto* exit = Item(file, "E&xit");
  exit->SetEnabled(false);
  auto* view = Item(menu->Items(), "&View");
  auto* bar = Item(view, "Status &bar");
  bar->SetChecked(true);
  form->SetMenu(menu);
  Show();
  const int client_h = form->ClientHeight();
  EXPECT_EQ(client_h, 240);  // the bar comes on top of the client area

  HMENU h = GetMenu(WindowOf(form));
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h, menu->Handle());
  ASSERT_EQ(GetMenuItemCount(h), 2);
  EXPECT_EQ(MenuText(h, 0), "&File");
  HMENU sub = GetSubMenu(h, 0);
  EXPECT_EQ(sub, file->Handle());
  EXPECT_EQ(TMenuItem::FindByHandle(sub), file);
  ASSERT_EQ(GetMenuItemCount(sub), 3);
  EXPECT_EQ(MenuText(sub, 0), "&Open\tCtrl+O");
  EXPECT_TRUE(GetMenuState(sub, 1, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_TRUE(GetMenuState(sub, 2, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_TRUE(GetMenuState(GetSubMenu(h, 1), 0, MF_BYPOSITION) & MF_CHECKED);

  // Changes reach the native menus.
  exit->SetEnabled(true);
  EXPECT_FALSE(GetMenuState(sub, 2, MF_BYPOSITION) & MF_GRAYED);
  file->Items(1)->SetVisible(false);
  EXPECT_EQ(GetMenuItemCount(sub), 2);
  bar->SetCaption("&Status");
  EXPECT_EQ(MenuText(GetSubMenu(h, 1), 0), "&Status");
  view->Clear();  // no sub-items: a plain command on the bar
  EXPECT_EQ(GetSubMenu(h, 1), nullptr);
  Item(view, "&Again");
  EXPECT_EQ(GetSubMenu(h, 1), view->Handle());

  // Taking the menu off the form takes the bar off the window.
  form->SetMenu(nullptr);
  EXPECT_EQ(GetMenu(WindowOf(form)), nullptr);
  form->SetMenu(menu);
  EXPECT_EQ(GetMenu(WindowOf(form)), h);
}

TEST_F(Win32Menus, MenuOwnedElsewhereOutlivesTheFormsWindow) {
  auto* menu = new TMainMenu(nullptr);
  Item(Item(menu->Items(), "&File"), "&Open");
  form->SetMenu(menu);
  Show();
  HMENU h = static_cast<HMENU>(menu->Handle());
  delete form;
  form = nullptr;
  EXPECT_TRUE(IsMenu(h));  // the window did not free it with itself
  EXPECT_EQ(menu->Form(), nullptr);
  delete menu;
  EXPECT_FALSE(IsMenu(h));
}

TEST_F(Win32Menus, CommandsAndOpeningSubmenusClickTheirItems) {
  auto* menu = new TMainMenu(form);
  auto* file = Item(menu->Items(), "&File");
  auto* open = Item(file, "&Open");
  auto* off = Item(file, "O&ff");
  off->SetEnabled(false);
  form->SetMenu(menu);
  Show();
  HWND w = WindowOf(form);
  SendMessageA(w, WM_COMMAND, MAKEWPARAM(open->Command(), 0), 0);
  SendMessageA(w, WM_COMMAND, MAKEWPARAM(off->Command(), 0), 0);
  SendMessageA(w, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file->Handle()), 0);
  EXPECT_EQ(clicks, (std::vector<std::string>{"&Open", "&File"}));

  // Its shortcut, typed into the form.
  open->SetShortCut(ShortCut(0x71, scNone));  // F2
  clicks.clear();
  PostMessageA(w, WM_KEYDOWN, 0x71, 1);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return !clicks.empty(); }));
  EXPECT_EQ(clicks, std::vector<std::string>{"&Open"});
}

TEST_F(Win32Menus, OwnerDrawnBarItemsMeasureAndPaintOnARealDC) {
  auto* menu = new TMainMenu(form);
  auto* file = Item(menu->Items(), "&File");
  Item(file, "&Open");
  int measured = 0;
  bool drawn = false, pixel_ok = false;
  file->OnMeasureItem = [&](TObject*, TCanvas&, int& w, int& h) {
    ++measured;
    w = 60;
    h = 20;
  };
  file->OnDrawItem = [&](TObject*, TCanvas& c, const TRect& r, bool) {
    auto* dc = dynamic_cast<win32::TDCCanvas*>(&c);
    if (!dc || !dc->Handle()) return;
    c.Brush.Color = clLime;
    c.FillRect(r);
    pixel_ok = GetPixel(dc->Handle(), r.Left + 2, r.Top + 2) == RGB(0, 255, 0);
    drawn = true;
  };
  menu->SetOwnerDraw(true);
  form->SetMenu(menu);
  Show();
  HWND w = WindowOf(form);
  MENUITEMINFOA mi{};
  mi.cbSize = sizeof mi;
  mi.fMask = MIIM_FTYPE | MIIM_DATA;
  ASSERT_TRUE(GetMenuItemInfoA(GetMenu(w), 0, TRUE, &mi));
  EXPECT_TRUE(mi.fType & MFT_OWNERDRAW);
  EXPECT_EQ(mi.dwItemData, file->Command());
  RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return drawn; }));
  EXPECT_GT(measured, 0);
  EXPECT_TRUE(pixel_ok);
}

TEST_F(Win32Menus, PopupShowsAMenuWindowAndTheChosenItemClicksAfterItCloses) {
  auto* menu = new TPopupMenu(form);
  Item(menu->Items(), "&First");
  auto* second = Item(menu->Items(), "&Second");
  std::atomic<bool> drawn{false};
  bool returned = false, clicked_after = false;
  menu->SetOwnerDraw(true);
  second->OnDrawItem = [&](TObject*, TCanvas& c, const TRect& r, bool) {
    auto* dc = dynamic_cast<win32::TDCCanvas*>(&c);
    c.FillRect(r);
    if (dc && dc->Handle() && GetObjectType(dc->Handle())) drawn = true;
  };
  second->OnClick = [&](TObject*) { clicked_after = returned; };
  int popups = 0;
  menu->OnPopup = [&](TObject*) { ++popups; };
  Show();
  {
    MenuKeys keys({{WM_KEYDOWN, VK_DOWN}, {WM_KEYDOWN, VK_DOWN}, {WM_CHAR, '\r'}}, &drawn);
    menu->Popup(form->Left() + 20, form->Top() + 40);
    returned = true;
  }
  EXPECT_EQ(popups, 1);
  EXPECT_TRUE(drawn);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return clicked_after; }));
  EXPECT_TRUE(clicks.empty());  // only the chosen one

  // Escape closes it with nothing chosen.
  {
    MenuKeys keys({{WM_KEYDOWN, VK_ESCAPE}});
    menu->Popup(form->Left() + 20, form->Top() + 40);
    EXPECT_TRUE(keys.Shown());
  }
  // A command would have been posted before this marker.
  bool marker = false;
  Application().Post([&] { marker = true; });
  ASSERT_TRUE(fwtest::PumpUntil([&] { return marker; }));
  EXPECT_TRUE(clicks.empty());
}

TEST_F(Win32Menus, PopupFreedWhileShownCloses) {
  auto* menu = new TPopupMenu(form);
  auto* item = Item(menu->Items(), "&Only");
  Item(item, "&Nested");
  auto* timer = new TTimer(form);
  timer->SetInterval(30);
  int ticks = 0;
  timer->OnTimer = [&](TObject*) {
    if (menu && VisibleMenuWindow()) {
      delete menu;
      menu = nullptr;
    } else if (++ticks > 2000) {
      EndMenu();  // never shown as it should be: do not hang
    }
  };
  Show();
  HMENU native = static_cast<HMENU>(menu->Handle()), nested = static_cast<HMENU>(item->Handle());
  timer->SetEnabled(true);
  menu->Popup(form->Left() + 20, form->Top() + 40);
  timer->SetEnabled(false);
  EXPECT_EQ(menu, nullptr);
  // Freed once the menu loop was over.
  EXPECT_FALSE(IsMenu(native));
  EXPECT_FALSE(IsMenu(nested));
  EXPECT_TRUE(fwtest::PumpUntil([] { return VisibleMenuWindow() == nullptr; }));
  EXPECT_TRUE(clicks.empty());
}

}  // namespace
