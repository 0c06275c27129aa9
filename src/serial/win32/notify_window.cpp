#include "serial/win32/notify_window.h"

#include "serial/comm.h"
#include "serial/comm_messages.h"
#include "serial/comm_notify.h"

namespace serial {
namespace {

constexpr const char* kClassName = "TCommNotifyWindow";

// Releases a received block however the handler ends.
struct BlockGuard {
  HLOCAL block;
  ~BlockGuard() {
    if (block) LocalFree(block);
  }
};

LRESULT CALLBACK NotifyProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg < COMM_RECEIVE_DATA || msg > COMM_SEND_DATA_EMPTY) return DefWindowProcA(wnd, msg, wp, lp);
  BlockGuard guard{msg == COMM_RECEIVE_DATA ? reinterpret_cast<HLOCAL>(lp) : nullptr};
  auto* comm = reinterpret_cast<TComm*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
  if (!comm) return 0;
  // An exception must not unwind through the system's message dispatch.
  try {
    if (msg == COMM_RECEIVE_DATA)
      RaiseCommEvent(*comm, msg, uint32_t(wp), 0, reinterpret_cast<const void*>(lp));
    else
      RaiseCommEvent(*comm, msg, 0, uint32_t(lp), nullptr);
  } catch (...) {
  }
  return 0;
}

bool RegisterNotifyClass(HINSTANCE inst) {
  WNDCLASSA wc{};
  if (GetClassInfoA(inst, kClassName, &wc)) return true;
  wc.lpfnWndProc = NotifyProc;
  wc.hInstance = inst;
  wc.lpszClassName = kClassName;
  return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

HWND CreateNotifyWindow(TComm* comm) {
  HINSTANCE inst = GetModuleHandleA(nullptr);
  if (!RegisterNotifyClass(inst)) return nullptr;
  HWND wnd = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, inst, nullptr);
  if (wnd) SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(comm));
  return wnd;
}

void DestroyNotifyWindow(HWND wnd) {
  if (!wnd) return;
  SetWindowLongPtrA(wnd, GWLP_USERDATA, 0);
  MSG m;
  while (PeekMessageA(&m, wnd, COMM_RECEIVE_DATA, COMM_SEND_DATA_EMPTY, PM_REMOVE))
    if (m.message == COMM_RECEIVE_DATA && m.lParam) LocalFree(reinterpret_cast<HLOCAL>(m.lParam));
  DestroyWindow(wnd);
}

}  // namespace serial
