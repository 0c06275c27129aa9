// Opening a drop-down of the skinned menu bar, and the menu loop while it
// is open: a message-filter hook selects the first item, lets Left and
// Right move to the neighbouring bar item (wrapping round), and follows the
// mouse to another bar item. The hook lives exactly as long as the drop-
// down: it is removed however the menu ends (a choice, Escape, a click
// elsewhere, the window going away).
#include "framework/menus.h"
#include "skin/engine/menu_bar.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/win32/skin_menu_bar.h"
#include "skin/engine/win32/win_skin_form.h"

namespace skin {

namespace {

HHOOK g_hook = nullptr;
TWinSkinForm* g_frame = nullptr;
bool g_first = false;
POINT g_mouse{};  // where the mouse was when the drop-down opened, or last moved

std::vector<MenuBarEntry> Entries(const TWinSkinMenu& bar) {
  std::vector<MenuBarEntry> entries;
  for (const auto& b : bar.Items()) {
    MenuBarEntry e;
    e.visible = b->ItemVisible;
    e.empty_caption = b->Caption.empty();
    entries.push_back(e);
  }
  return entries;
}

}  // namespace

bool TWinSkinForm::MenuLoopHookInstalled() { return g_hook != nullptr; }

LRESULT CALLBACK TWinSkinForm::MenuLoopHook(int code, WPARAM wp, LPARAM lp) {
  auto* msg = reinterpret_cast<MSG*>(lp);
  TWinSkinForm* f = g_frame;
  if (code != MSGF_MENU || !f || !msg || !f->menu_bar_) return CallNextHookEx(g_hook, code, wp, lp);
  const bool key = msg->message == WM_KEYDOWN;
  // A menu read right to left has its arrows the other way round.
  if (key && f->rtl_ && (msg->wParam == VK_LEFT || msg->wParam == VK_RIGHT))
    msg->wParam = msg->wParam == VK_LEFT ? VK_RIGHT : VK_LEFT;
  const LRESULT next = CallNextHookEx(g_hook, code, wp, lp);
  if (g_first) {
    g_first = false;
    PostMessageA(msg->hwnd, WM_KEYDOWN, VK_DOWN, 0);
  }
  int target = -1;
  switch (msg->message) {
    case WM_KEYDOWN: {
      if (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE) {
        f->pending_switch_ = -1;
        break;
      }
      const TMenuBtn* open = f->open_item_ >= 0 && size_t(f->open_item_) < f->menu_bar_->Items().size()
                                 ? f->menu_bar_->Items()[size_t(f->open_item_)].get()
                                 : nullptr;
      MenuLoopKey k;
      k.left = msg->wParam == VK_LEFT;
      k.right = msg->wParam == VK_RIGHT;
      k.in_top_drop_down = open && f->select_menu_ == open->SubMenu;
      k.selected_has_sub_items = f->select_has_sub_;
      const std::vector<MenuBarEntry> entries = Entries(*f->menu_bar_);
      target = MenuLoopSwitch(k, f->open_item_, entries);
      // An arrow moves on to the next drop-down: a command item on the
      // way is passed over (an arrow key never runs a command).
      for (size_t n = 0; target >= 0 && n < entries.size() && !f->menu_bar_->Items()[size_t(target)]->SubMenu; ++n)
        target = MenuLoopSwitch(MenuLoopKey{k.left, k.right, false, true, false}, target, entries);
      if (target == f->open_item_) target = -1;
      break;
    }
    case WM_SYSKEYDOWN:
      if (msg->wParam == VK_MENU) f->menu_running_ = false;
      break;
    case WM_MOUSEMOVE: {
      // The system reports a move when a drop-down appears under a mouse
      // that stands still; only a real move switches.
      if (msg->pt.x == g_mouse.x && msg->pt.y == g_mouse.y) break;
      g_mouse = msg->pt;
      RECT wr;
      GetWindowRect(f->Wnd(), &wr);
      if (TMenuBtn* b = f->menu_bar_->ItemAt(msg->pt.x - wr.left, msg->pt.y - wr.top))
        if (b->Index != f->open_item_) target = b->Index;
      break;
    }
    default: break;
  }
  if (target < 0) return next;
  // Another bar item: this drop-down closes, and the loop in OpenBarItem
  // opens the other one once TrackPopupMenu has returned. (A message posted
  // to the window instead would be dispatched by the still running menu
  // loop and find a drop-down open.)
  f->pending_switch_ = target;
  EndMenu();
  return 1;
}

void TWinSkinForm::MenuSelect(WPARAM wp, LPARAM lp) {
  const UINT flags = HIWORD(wp);
  auto menu = reinterpret_cast<HMENU>(lp);
  if (flags == kMenuClosedFlags && !menu) {
    // The menu closed.
    if (pending_switch_ < 0) menu_running_ = false;
    return;
  }
  select_menu_ = menu;
  select_has_sub_ = flags & MF_POPUP;
}

void TWinSkinForm::OpenBarItem(TMenuBtn& first) {
  HWND w = Wnd();
  if (!first.SubMenu) {
    // A command item: its command at once, nothing opens.
    PostMessageA(w, WM_COMMAND, MAKEWPARAM(first.Command, 0), 0);
    return;
  }
  if (g_hook) return;  // a drop-down is already open
  std::shared_ptr<bool> alive = AliveToken();
  // One drop-down after another while the keys or the mouse move along
  // the bar; the loop ends when a drop-down closes without a switch.
  for (int index = first.Index; index >= 0;) {
    TMenuBtn& b = *menu_bar_->Items()[size_t(index)];
    RECT wr;
    GetWindowRect(w, &wr);
    const int x = wr.left + (rtl_ ? b.Rect.Right : b.Rect.Left);
    const int y = wr.top + b.Rect.Bottom;
    if (b.State != kElementPressed) {
      SetHotElement(&b);
      b.State = kElementPressed;
      PaintElement(b);
    }
    open_item_ = index;
    pending_switch_ = -1;
    select_menu_ = b.SubMenu;
    select_has_sub_ = false;
    Manager().SetMenuKind(kMenuDropDown);
    Manager().SetOpenedFromMenuBar(true);
    menu_running_ = true;
    g_frame = this;
    g_first = true;
    GetCursorPos(&g_mouse);
    g_hook = SetWindowsHookExA(WH_MSGFILTER, &TWinSkinForm::MenuLoopHook, nullptr, GetCurrentThreadId());
    if (b.Enabled) {
      // The owner gets the chosen item's WM_COMMAND as from the system's bar.
      TrackPopupMenu(b.SubMenu, TPM_RIGHTBUTTON | (rtl_ ? TPM_RIGHTALIGN : TPM_LEFTALIGN), x, y, 0, w, nullptr);
    }
    if (g_hook) UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    g_frame = nullptr;
    if (!*alive) return;
    const int next = pending_switch_;
    pending_switch_ = -1;
    menu_running_ = false;
    open_item_ = -1;
    select_menu_ = nullptr;
    // The bar may have been rebuilt by a command of the closed menu.
    const size_t count = menu_bar_ ? menu_bar_->Items().size() : 0;
    if (size_t(index) < count) {
      TMenuBtn& now = *menu_bar_->Items()[size_t(index)];
      if (HotElement() == &now) SetHotElement(nullptr);
      now.State = kElementNormal;
      if (IsWindow(w)) PaintElement(now);
    }
    index = next >= 0 && size_t(next) < count && menu_bar_->Items()[size_t(next)]->SubMenu && IsWindow(w) ? next : -1;
  }
}

void TWinSkinForm::EndMenuLoop() {
  if (g_frame != this) return;
  if (g_hook) UnhookWindowsHookEx(g_hook);
  g_hook = nullptr;
  g_frame = nullptr;
}

}  // namespace skin
