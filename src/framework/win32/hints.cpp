// Hints: one tooltip window for the GUI thread, with one tool per window of
// a control that has a hint. The tooltip watches the mouse over the tool
// windows itself (it subclasses them), so no message loop has to relay.
#include "framework/win32/win32_internal.h"

#include <commctrl.h>

namespace fw::win32 {
namespace {

HWND Tooltip(bool create) {
  static HWND tips = nullptr;
  if (tips && IsWindow(tips)) return tips;
  tips = nullptr;
  if (!create) return nullptr;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
  if (!tips) return nullptr;
  // A maximum width makes the tooltip break lines; a list of ports needs
  // time to be read.
  SendMessageA(tips, TTM_SETMAXTIPWIDTH, 0, 480);
  SendMessageA(tips, TTM_SETDELAYTIME, TTDT_AUTOPOP, 30000);
  return tips;
}

// The size every version of the common controls accepts.
TOOLINFOA ToolOf(HWND tool) {
  TOOLINFOA ti{};
  ti.cbSize = TTTOOLINFOA_V2_SIZE;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = GetParent(tool) ? GetParent(tool) : tool;
  ti.uId = reinterpret_cast<UINT_PTR>(tool);
  return ti;
}

void SetTool(HWND tool, const std::string& text) {
  if (!tool) return;
  HWND tips = Tooltip(!text.empty());
  if (!tips) return;
  TOOLINFOA ti = ToolOf(tool);
  SendMessageA(tips, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  if (text.empty()) return;
  // Tooltips break lines at CR LF.
  std::string shown;
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\n') shown += '\r';
    shown += c;
  }
  ti.lpszText = shown.data();  // copied by the tooltip
  SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

}  // namespace

void ControlHandle::ApplyHint() {
  const std::string& hint = control_->Hint();
  SetTool(wnd_, hint);
  // The mouse over a combo box's text field is over its edit window.
  if (combo_edit_) SetTool(combo_edit_, hint);
}

void ControlHandle::RemoveHint() {
  if (control_->Hint().empty()) return;
  SetTool(wnd_, {});
  if (combo_edit_) SetTool(combo_edit_, {});
}

}  // namespace fw::win32
