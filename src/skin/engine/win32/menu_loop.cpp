// The drop-downs of the skinned menu bar and the message-filter hook that
// moves between them.
#include "skin/engine/win32/menu_loop.h"

#include <vector>

#include "skin/engine/menu_bar.h"
#include "skin/engine/skin_manager.h"

namespace skin {

namespace {

// The hook of the open drop-down and the loop it belongs to: one at a time
// in the GUI thread.
HHOOK g_hook = nullptr;
TFrameMenuLoop* g_loop = nullptr;

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

TFrameMenuLoop::TFrameMenuLoop(TMenuLoopHost& host, TSkinManage& manager) : host_(host), manager_(manager) {}

TFrameMenuLoop::~TFrameMenuLoop() { End(); }

bool TFrameMenuLoop::HookInstalled() { return g_hook != nullptr; }

LRESULT CALLBACK TFrameMenuLoop::Hook(int code, WPARAM wp, LPARAM lp) {
  auto* msg = reinterpret_cast<MSG*>(lp);
  TFrameMenuLoop* loop = g_loop;
  if (code != MSGF_MENU || !loop || !msg || !loop->host_.MenuBar()) return CallNextHookEx(g_hook, code, wp, lp);
  // A menu read right to left has its arrows the other way round.
  if (msg->message == WM_KEYDOWN && loop->host_.RightToLeft() && (msg->wParam == VK_LEFT || msg->wParam == VK_RIGHT))
    msg->wParam = msg->wParam == VK_LEFT ? VK_RIGHT : VK_LEFT;
  const LRESULT next = CallNextHookEx(g_hook, code, wp, lp);
  if (loop->select_first_) {
    loop->select_first_ = false;
    PostMessageA(msg->hwnd, WM_KEYDOWN, VK_DOWN, 0);
  }
  const int target = loop->SwitchTarget(*msg);
  if (target < 0) return next;
  // Another bar item: this drop-down closes, and the loop in Open opens the
  // other one once TrackPopupMenu has returned. (A message posted to the
  // window instead would be dispatched by the still running menu loop and
  // find a drop-down open.)
  loop->pending_switch_ = target;
  EndMenu();
  return 1;
}

int TFrameMenuLoop::SwitchTarget(const MSG& msg) {
  const TWinSkinMenu& bar = *host_.MenuBar();
  switch (msg.message) {
    case WM_KEYDOWN:
      if (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE) {
        pending_switch_ = -1;
        return -1;
      }
      return KeySwitchTarget(msg, bar);
    case WM_SYSKEYDOWN:
      if (msg.wParam == VK_MENU) menu_running_ = false;
      return -1;
    case WM_MOUSEMOVE: return MouseSwitchTarget(msg, bar);
    default: return -1;
  }
}

int TFrameMenuLoop::KeySwitchTarget(const MSG& msg, const TWinSkinMenu& bar) const {
  const TMenuBtn* open =
      open_item_ >= 0 && size_t(open_item_) < bar.Items().size() ? bar.Items()[size_t(open_item_)].get() : nullptr;
  MenuLoopKey k;
  k.left = msg.wParam == VK_LEFT;
  k.right = msg.wParam == VK_RIGHT;
  k.in_top_drop_down = open && select_menu_ == open->SubMenu;
  k.selected_has_sub_items = select_has_sub_;
  const std::vector<MenuBarEntry> entries = Entries(bar);
  int target = MenuLoopSwitch(k, open_item_, entries);
  // An arrow moves on to the next drop-down: a command item on the way is
  // passed over (an arrow key never runs a command).
  for (size_t n = 0; target >= 0 && n < entries.size() && !bar.Items()[size_t(target)]->SubMenu; ++n)
    target = MenuLoopSwitch(MenuLoopKey{k.left, k.right, false, true, false}, target, entries);
  return target == open_item_ ? -1 : target;
}

int TFrameMenuLoop::MouseSwitchTarget(const MSG& msg, const TWinSkinMenu& bar) {
  // The system reports a move when a drop-down appears under a mouse that
  // stands still; only a real move switches.
  if (msg.pt.x == mouse_.x && msg.pt.y == mouse_.y) return -1;
  mouse_ = msg.pt;
  RECT wr;
  GetWindowRect(host_.Wnd(), &wr);
  if (TMenuBtn* b = bar.ItemAt(msg.pt.x - wr.left, msg.pt.y - wr.top))
    if (b->Index != open_item_) return b->Index;
  return -1;
}

void TFrameMenuLoop::MenuSelect(WPARAM wp, LPARAM lp) {
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

void TFrameMenuLoop::Open(TMenuBtn& first) {
  HWND w = host_.Wnd();
  if (!first.SubMenu) {
    // A command item: its command at once, nothing opens.
    PostMessageA(w, WM_COMMAND, MAKEWPARAM(first.Command, 0), 0);
    return;
  }
  if (g_hook) return;  // a drop-down is already open
  std::shared_ptr<bool> alive = host_.FrameAlive();
  // One drop-down after another while the keys or the mouse move along
  // the bar; the loop ends when a drop-down closes without a switch.
  for (int index = first.Index; index >= 0;) {
    TMenuBtn& b = *host_.MenuBar()->Items()[size_t(index)];
    const bool rtl = host_.RightToLeft();
    RECT wr;
    GetWindowRect(w, &wr);
    const int x = wr.left + (rtl ? b.Rect.Right : b.Rect.Left);
    const int y = wr.top + b.Rect.Bottom;
    if (b.State != kElementPressed) {
      host_.SetHotElement(&b);
      b.State = kElementPressed;
      host_.PaintElement(b);
    }
    open_item_ = index;
    pending_switch_ = -1;
    select_menu_ = b.SubMenu;
    select_has_sub_ = false;
    manager_.SetMenuKind(kMenuDropDown);
    manager_.SetOpenedFromMenuBar(true);
    menu_running_ = true;
    g_loop = this;
    select_first_ = true;
    GetCursorPos(&mouse_);
    g_hook = SetWindowsHookExA(WH_MSGFILTER, &TFrameMenuLoop::Hook, nullptr, GetCurrentThreadId());
    if (b.Enabled) {
      // The owner gets the chosen item's WM_COMMAND as from the system's bar.
      TrackPopupMenu(b.SubMenu, TPM_RIGHTBUTTON | (rtl ? TPM_RIGHTALIGN : TPM_LEFTALIGN), x, y, 0, w, nullptr);
    }
    if (g_hook) UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    g_loop = nullptr;
    // The chosen command may have freed the frame, and this loop with it.
    if (!*alive) return;
    const int next = pending_switch_;
    pending_switch_ = -1;
    menu_running_ = false;
    open_item_ = -1;
    select_menu_ = nullptr;
    // The bar may have been rebuilt by a command of the closed menu.
    TWinSkinMenu* bar = host_.MenuBar();
    const size_t count = bar ? bar->Items().size() : 0;
    if (size_t(index) < count) {
      TMenuBtn& now = *bar->Items()[size_t(index)];
      if (host_.HotElement() == &now) host_.SetHotElement(nullptr);
      now.State = kElementNormal;
      if (IsWindow(w)) host_.PaintElement(now);
    }
    index = next >= 0 && size_t(next) < count && bar->Items()[size_t(next)]->SubMenu && IsWindow(w) ? next : -1;
  }
}

void TFrameMenuLoop::End() {
  if (g_loop != this) return;
  if (g_hook) UnhookWindowsHookEx(g_hook);
  g_hook = nullptr;
  g_loop = nullptr;
}

}  // namespace skin
