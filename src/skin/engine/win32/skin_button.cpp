// Push buttons: painted whole from the skin's button strip by state
// (normal, pressed, disabled, hot, focused). The skin takes the press: the
// button is pressed and captures the mouse on the press, and clicks on the
// release wherever the mouse then is; the keyboard's space bar and the
// dialog keys stay with the system. A framework button still hears the
// press as its mouse-down.
#include "skin/engine/win32/control_skins.h"

#include <windowsx.h>

#include "skin/engine/skin_messages.h"
#include "skin/paint/button_painter.h"
#include "skin/skin_data.h"
#include "text/ascii.h"

namespace skin {

namespace {

std::string LowerClass(HWND w, fw::TControl* c) {
  if (c) return text::Lower(c->ClassName());
  char buf[101] = {};
  GetClassNameA(w, buf, sizeof buf);
  return text::Lower(buf);
}

}  // namespace

void TSkinButton::SetVariant() {
  const std::string cls = LowerClass(window_, control_);
  variant_ = cls.rfind("trz", 0) == 0 || cls.rfind("tel", 0) == 0 ? 1 : 0;
}

void TSkinButton::Attach(TControlSkinKeeper& list, TSkinData& data, bool use_form_colour, fw::TControl& control) {
  TSkinControl::Attach(list, data, use_form_colour, control);
  SetVariant();
}

void TSkinButton::AttachHandle(HWND w, TSkinData& data, TControlSkinKeeper& list) {
  TSkinControl::AttachHandle(w, data, list);
  SetVariant();
}

bool TSkinButton::BeforeMessage(fw::TMessage& m) {
  // A skin without button images leaves buttons to the system.
  if (!data_ || !paint::CanPaintButton(*data_)) return TSkinControl::BeforeMessage(m);
  switch (m.Msg) {
    case WM_PAINT: AnswerPaint(m); return false;
    case WM_ERASEBKGND: m.Result = 1; return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!IsWindowEnabled(window_)) return false;
      if (GetFocus() != window_) SetFocus(window_);
      mouse_ |= kPressed;
      SetCapture(window_);
      PaintWindow(nullptr);
      m.Result = 0;
      // The system never sees the press, so the control hears it from here.
      if (control_ && variant_ == 0) RaiseMouseDown(m);
      return false;
    default: return TSkinControl::BeforeMessage(m);
  }
}

void TSkinButton::RaiseMouseDown(const fw::TMessage& m) {
  // The message carries 16-bit coordinates; a larger control reads the
  // cursor instead.
  constexpr int kShortCoordinates = 32768;
  POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  RECT r;
  GetWindowRect(window_, &r);
  if (r.right - r.left > kShortCoordinates || r.bottom - r.top > kShortCoordinates) {
    GetCursorPos(&p);
    ScreenToClient(window_, &p);
  }
  control_->MouseDown(fw::TMouseButton::mbLeft, fw::win32::KeysToShiftState(m.WParam, m.Msg == WM_LBUTTONDBLCLK),
                      p.x, p.y);
}

void TSkinButton::ClickNow() {
  if (control_) {
    control_->Click();
    return;
  }
  HWND parent = GetParent(window_);
  if (!parent) return;
  char cls[16] = {};
  GetClassNameA(window_, cls, sizeof cls);
  const WPARAM id = lstrcmpiA(cls, "tbutton") == 0 ? 0 : WPARAM(GetDlgCtrlID(window_));
  SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(window_));
}

void TSkinButton::AfterMessage(fw::TMessage& m) {
  switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (m.WParam == VK_SPACE) {
        if (m.Msg == WM_KEYDOWN) mouse_ |= kPressed;
        else mouse_ &= uint8_t(~kPressed);
        Repaint();
      }
      return;
    case WM_MOUSEMOVE:
      if (IsWindowEnabled(window_) && !(mouse_ & kHot)) {
        mouse_ |= kHot;
        Repaint();
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, window_, 0};
        TrackMouseEvent(&t);
      }
      return;
    case WM_LBUTTONUP:
      if (mouse_ & kPressed) {
        mouse_ &= uint8_t(~kPressed);
        if (GetCapture() == window_) ReleaseCapture();
        Repaint();
        // Released anywhere, the press still clicks.
        ClickNow();
      }
      return;
    case WM_MOUSELEAVE:
      // While the button holds the mouse it stays pressed.
      mouse_ &= uint8_t(GetCapture() == window_ ? ~kHot : ~(kHot | kPressed));
      Repaint();
      return;
    case WM_CAPTURECHANGED:
      if ((mouse_ & kPressed) && reinterpret_cast<HWND>(m.LParam) != window_) {
        mouse_ &= uint8_t(~kPressed);
        Repaint();
      }
      return;
    case msg::kDialogKey:
    case msg::kFocusChanged: Repaint(); return;
    default: TSkinControl::AfterMessage(m);
  }
}

void TSkinButton::Draw(HDC dc, const RECT& r) {
  paint::ButtonState s;
  s.width = r.right - r.left;
  s.height = r.bottom - r.top;
  s.pressed = mouse_ & kPressed;
  s.hot = mouse_ & kHot;
  s.focused = focused_;
  s.enabled = enabled_;
  s.caption = caption_;
  s.font = ControlFont();
  s.right_to_left = GetWindowLongPtrA(window_, GWL_EXSTYLE) & WS_EX_RTLREADING;
  fw::TBitmap background;
  if (TransparentMode()) {
    background = ParentBackground();
    s.background = &background;
  }
  fw::TBitmap bmp;
  paint::PaintButton(bmp, *data_, s);
  Put(dc, bmp);
}

}  // namespace skin
