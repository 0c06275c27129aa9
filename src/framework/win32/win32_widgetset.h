// Win32-only extras of the widgetset, beyond the portable TWidgetSet
// interface: what the skin engine and the Win32 tests need to reach the
// native side of the framework.
//
// How a message travels: every window of a framework control belongs to a
// window class named after the framework class ("TEdit", "TForm", ...); the
// class's window procedure finds the control (window property under the
// control atom) and hands the message to the control's replaceable
// WindowProc. Its default, TControl::WndProc, does the framework's handling
// and ends in DefaultHandler: the standard control's original procedure (or
// DefWindowProc for the framework's own window classes).
#pragma once

#include <windows.h>
// These names are framework functions (TApplication::MessageBox,
// TCanvas::TextOut, fw::GetRValue ...): the framework calls the A functions
// by name and has its own colour helpers.
#undef MessageBox
#undef TextOut
#undef GetRValue
#undef GetGValue
#undef GetBValue

#include <string>

#include "framework/controls.h"
#include "framework/graphics.h"
#include "framework/messages.h"

namespace fw {

class TForm;

namespace win32 {

// Framework notifications (framework/messages.h), under their usual names
// here too.
using fw::CM_BASE;
using fw::CM_DIALOGKEY;
using fw::CM_DIALOGCHAR;
using fw::CM_FOCUSCHANGED;
using fw::CM_ENABLEDCHANGED;
using fw::CM_MOUSELEAVE;
using fw::CM_MENUCHANGED;

// Notifications of a child window, reflected by the parent to the child's
// own control as CN_BASE + the parent's message, same wParam and lParam.
using fw::CN_BASE;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;

// The control atom of the calling thread: the global atom named
// "ControlOfs" + the module instance and the thread id in upper-case hex,
// each at least eight digits. Every window of a framework control carries
// its control (a TControl*) as the window property under this atom.
ATOM ControlAtom();
std::string ControlAtomName();

// The control whose window this is (created by this module in this
// thread), or nullptr.
TControl* FindControl(HWND wnd);
// The nearest control at or above this window (for the inner windows of a
// combo box, for example), or nullptr.
TWinControl* FindOwningControl(HWND wnd);
// The control's window, created if needed; nullptr when it has none.
HWND WindowOf(TWinControl* control);

// The final default handling of a message: the original window procedure of
// the standard control the control's window class is built on, or
// DefWindowProc. The skin engine calls it to bypass the framework.
void DefaultHandler(TWinControl* control, TMessage& msg);
// The original class procedure of the control's window, or nullptr.
WNDPROC OriginalWindowProc(TWinControl* control);

// Paints the visible graphic controls (labels, shapes) of parent on dc, whose
// origin is the top-left corner of parent's client area; each is clipped to
// its bounds. Parents call this after painting themselves.
void PaintGraphicControls(TWinControl* parent, HDC dc);
// Paints one graphic control on dc with its top-left corner at (x, y).
void PaintGraphicControl(TGraphicControl* control, HDC dc, int x, int y);

// The shift state of a mouse message's key flags (MK_*), Alt read from the
// keyboard; ssDouble is added for a double click.
TShiftState KeysToShiftState(WPARAM keys, bool double_click = false);

// The hidden application window (class "TApplication").
HWND ApplicationWindow();
// The hidden window (class "TPopupList") that owns the popup menus while
// they are shown: it gets their WM_COMMAND, WM_INITMENUPOPUP,
// WM_MEASUREITEM and WM_DRAWITEM.
HWND PopupMenuOwner();

// GDI objects for framework values, cached and owned by the widgetset: do
// not delete them.
HFONT FontHandle(const TFont& font);
HBRUSH ColorBrush(TColor color);
// A TColor as COLORREF (system colours resolved).
inline COLORREF ColorRef(TColor c) { return ColorToRGB(c); }

// A canvas on a device context. Pen, brush and font are applied for each
// operation and the DC's own objects are put back afterwards, so the canvas
// may be used on any DC, including one that another painter has set up.
class TDCCanvas : public TCanvas {
 public:
  explicit TDCCanvas(HDC dc) : dc_(dc) {}
  HDC Handle() const { return dc_; }
  void FillRect(const TRect& r) override;
  void Rectangle(const TRect& r) override;
  void Ellipse(const TRect& r) override;
  void TextOut(int x, int y, const std::string& text) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  void Draw(int x, int y, const TBitmap& bmp) override;

 private:
  HDC dc_;
};

}  // namespace win32
}  // namespace fw
