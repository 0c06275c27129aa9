// The hidden application window, timers, work posted from other threads and
// the message loop.
#include <memory>
#include <optional>

#include "framework/extctrls.h"
#include "framework/win32/win32_internal.h"

namespace fw::win32 {
namespace {

// Set before the window is created: its first messages arrive while the
// widgetset is still being constructed.
Win32WidgetSet* g_app_owner = nullptr;

LRESULT CALLBACK AppWindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (!g_app_owner) return DefWindowProcA(wnd, msg, wp, lp);
  return g_app_owner->AppMessage(wnd, msg, wp, lp);
}

}  // namespace

void Win32WidgetSet::CreateAppWindow() {
  g_app_owner = this;
  HINSTANCE inst = GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = AppWindowProc;
  wc.hInstance = inst;
  wc.lpszClassName = "TApplication";
  wc.hIcon = LoadIconA(inst, "MAINICON");
  if (!wc.hIcon) wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  RegisterClassExA(&wc);
  // A hidden top-level window: it never shows, so it never has a taskbar
  // button; forms are not owned by it.
  HWND w = CreateWindowExA(0, "TApplication", "", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                           nullptr, nullptr, inst, nullptr);
  app_wnd_.store(w);
}

HWND ApplicationWindow() { return WS().AppWnd(); }

LRESULT Win32WidgetSet::AppMessage(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_TIMER: {
      auto it = timers_.find(unsigned(wp));
      if (it != timers_.end()) {
        TTimer* t = it->second;
        try {
          t->Fire();
        } catch (...) {
          // A timer handler's failure stays inside the handler.
        }
      }
      return 0;
    }
    case WM_FW_POST: {
      // Whatever the parameters say: they are not ours to trust.
      std::optional<std::function<void()>> fn = posted_.Pop();
      try {
        if (fn && *fn) (*fn)();
      } catch (...) {
        // Posted work that fails is dropped; the loop goes on.
      }
      return 0;
    }
    case WM_CLOSE: return 0;  // the application window lives as long as the process
    default: return DefWindowProcA(wnd, msg, wp, lp);
  }
}

unsigned Win32WidgetSet::StartTimer(TTimer* timer, unsigned interval_ms) {
  do {
    ++next_timer_;
  } while (next_timer_ == 0 || timers_.count(next_timer_));
  timers_[next_timer_] = timer;
  SetTimer(AppWnd(), next_timer_, interval_ms, nullptr);
  return next_timer_;
}

void Win32WidgetSet::StopTimer(unsigned id) {
  if (timers_.erase(id)) KillTimer(AppWnd(), id);
}

bool Win32WidgetSet::Post(std::function<void()> fn) {
  HWND w = app_wnd_.load();
  if (!w) return false;
  const uint64_t id = posted_.Push(std::move(fn));
  if (!id) return false;
  // Not woken: the work is taken back, unless a wake-up meant for other
  // work has already run it.
  if (!PostMessageA(w, WM_FW_POST, 0, 0)) return !posted_.Withdraw(id);
  return true;
}

bool Win32WidgetSet::PreTranslate(MSG& msg) {
  if (MenuShortCut(msg)) return true;
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) return false;
  if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
  TWinControl* c = FindOwningControl(msg.hwnd);
  if (!c) return false;
  // A control that takes Tab itself keeps it.
  if (SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) & DLGC_WANTTAB) return false;
  TForm* f = c->GetParentForm();
  if (!f) return false;
  return f->Perform(CM_DIALOGKEY, VK_TAB, 0) != 0;
}

void Win32WidgetSet::Deliver(MSG& msg) {
  if (PreTranslate(msg)) return;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

void Win32WidgetSet::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      // Leave the quit for an outer loop too.
      PostQuitMessage(int(msg.wParam));
      return;
    }
    Deliver(msg);
  }
}

void Win32WidgetSet::Run() {
  MSG msg;
  while (!terminated_) {
    BOOL r = GetMessageA(&msg, nullptr, 0, 0);
    if (r == 0 || r == -1) {
      terminated_ = true;
      break;
    }
    Deliver(msg);
  }
}

void Win32WidgetSet::Terminate() {
  terminated_ = true;
  // Wakes a loop waiting in GetMessage.
  if (HWND w = app_wnd_.load()) PostMessageA(w, WM_NULL, 0, 0);
}

}  // namespace fw::win32
