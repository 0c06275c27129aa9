// Messages that only this program's own GUI thread may send to its windows:
// the framework's notifications (CM_ and CN_ numbers), WM_NOTIFY and, for a status bar,
// the private messages of the system's status bar, whose parameters are
// pointers into the sender's memory. Any program on the desktop can post or
// send these numbers to our windows, so one that arrives from the queue
// (posted) or from another thread is dropped before the window sees it.
#include "framework/win32/win32_internal.h"

#include <commctrl.h>

namespace fw::win32 {
namespace {

HHOOK g_get_message_hook = nullptr;

// Posted messages pass this hook in every message loop of the thread, the
// system's modal loops included, before they are dispatched.
LRESULT CALLBACK GetMessageHook(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION && lp) {
    auto* m = reinterpret_cast<MSG*>(lp);
    if (m->hwnd) {
      ControlHandle* h = HandleOfWindow(m->hwnd);
      if (h && IsPrivateMessage(h->GetKind(), m->message)) {
        m->message = WM_NULL;
        m->wParam = 0;
        m->lParam = 0;
      }
    }
  }
  return CallNextHookEx(g_get_message_hook, code, wp, lp);
}

}  // namespace

bool IsPrivateMessage(Kind kind, UINT msg) {
  // WM_NOTIFY carries a pointer to the sender's NMHDR, which the system
  // does not copy between processes; ours come from our own controls.
  if (msg == WM_NOTIFY) return true;
  if ((msg >= CM_BASE && msg < CM_BASE + 0x400) || (msg >= CN_BASE && msg < CN_BASE + 0x400)) return true;
  if (kind == Kind::StatusBar)
    return (msg >= WM_USER && msg < WM_USER + 0x100) || (msg >= CCM_FIRST && msg < CCM_FIRST + 0x200);
  return false;
}

void FilterPostedPrivateMessages() {
  if (!g_get_message_hook)
    g_get_message_hook = SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, nullptr, GetCurrentThreadId());
}

bool SentFromElsewhere(bool outermost) {
  // A message another thread sent is handed to the window procedure by the
  // system, never from inside one of our own window procedures; while one
  // runs, the sends of our own code (which the system would report with the
  // outer message's sender) are ours.
  return outermost && InSendMessageEx(nullptr) != ISMEX_NOSEND;
}

}  // namespace fw::win32
