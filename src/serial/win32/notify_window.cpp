#include "serial/win32/notify_window.h"

#include <new>

#include "serial/comm.h"
#include "serial/comm_messages.h"
#include "serial/comm_notify.h"

namespace serial {
namespace {

constexpr const char* kClassName = "TCommNotifyWindow";

LRESULT CALLBACK NotifyProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg < COMM_RECEIVE_DATA || msg > COMM_SEND_DATA_EMPTY) return DefWindowProcA(wnd, msg, wp, lp);
  // wParam and lParam are not looked at: anyone can post these numbers.
  if (auto* target = reinterpret_cast<NotifyTarget*>(GetWindowLongPtrA(wnd, GWLP_USERDATA))) target->Deliver();
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

NotifyTarget::NotifyTarget(TComm* comm) : comm_(comm) {
  HINSTANCE inst = GetModuleHandleA(nullptr);
  if (!RegisterNotifyClass(inst)) return;
  wnd_ = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, inst, nullptr);
  if (wnd_) SetWindowLongPtrA(wnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

NotifyTarget::~NotifyTarget() {
  queue_.Close();
  if (!wnd_) return;
  SetWindowLongPtrA(wnd_, GWLP_USERDATA, 0);
  DestroyWindow(wnd_);
}

bool NotifyTarget::Queue(Notification n) {
  // Without a window a post would go to the posting thread itself.
  if (!wnd_) return false;
  const uint32_t msg = n.msg;
  const uint64_t id = queue_.Push(std::move(n));
  if (!id) return false;
  if (PostMessageA(wnd_, msg, 0, 0)) return true;
  // Not woken: taken back, unless a wake-up has already delivered it.
  return !queue_.Withdraw(id);
}

bool NotifyTarget::Post(uint32_t msg, uint32_t bits) {
  if (msg == COMM_RECEIVE_DATA) return false;  // data goes through PostData
  Notification n;
  n.msg = msg;
  n.bits = bits;
  return Queue(std::move(n));
}

bool NotifyTarget::PostData(const uint8_t* data, uint32_t count) {
  if (!data || count == 0) return false;
  Notification n;
  n.msg = COMM_RECEIVE_DATA;
  n.count = count;
  try {
    n.data.assign(data, data + count);
    n.data.push_back(0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return Queue(std::move(n));
}

void NotifyTarget::PostHangup() { Post(COMM_REQUEST_HANGUP); }

bool NotifyTarget::Deliver() {
  // The oldest, whatever number woke the window: the read and the write
  // threads queue and post apart, so their wake-ups may arrive in the other
  // order, and a wake-up that took nothing would leave a notification
  // behind with no wake-up left for it.
  auto n = queue_.Pop();
  if (!n) return false;
  // An exception must not unwind through the system's message dispatch.
  try {
    RaiseCommEvent(*comm_, n->msg, n->count, n->bits, n->data.empty() ? nullptr : n->data.data());
  } catch (...) {
  }
  return true;
}

}  // namespace serial
