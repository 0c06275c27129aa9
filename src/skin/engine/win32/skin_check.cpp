// Check boxes and radio buttons: the glyph from the skin's check or radio
// strip by state, the caption beside it, on the form colour. Clicks and
// keys stay with the system (and the framework), which toggles the state;
// the skin repaints whatever changed.
#include "skin/engine/win32/control_skins.h"

#include "skin/engine/property_access.h"
#include "skin/engine/skin_messages.h"
#include "skin/paint/check_painter.h"
#include "skin/paint/text.h"
#include "skin/skin_data.h"

namespace skin {

bool TSkinCheckBox::BeforeMessage(fw::TMessage& m) {
  if (!data_ || !paint::CanPaintCheck(*data_, radio_)) return TSkinControl::BeforeMessage(m);
  switch (m.Msg) {
    case WM_PAINT: AnswerPaint(m); return false;
    case WM_PRINT:
    case WM_PRINTCLIENT:
      PaintWindow(reinterpret_cast<HDC>(m.WParam));
      m.Result = 0;
      return false;
    case WM_ERASEBKGND: m.Result = 1; return false;
    case BM_SETCHECK: last_check_ = int(m.WParam) + 1; return true;
    default: return TSkinControl::BeforeMessage(m);
  }
}

void TSkinCheckBox::AfterMessage(fw::TMessage& m) {
  if (!data_ || !paint::CanPaintCheck(*data_, radio_)) return;
  switch (m.Msg) {
    case BM_SETCHECK:
    case BM_SETSTATE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_KEYUP:
    case msg::kDialogKey:
    case msg::kFocusChanged: Repaint(); return;
    default: TSkinControl::AfterMessage(m);
  }
}

void TSkinCheckBox::Draw(HDC dc, const RECT& r) {
  paint::CheckState s;
  s.width = r.right - r.left;
  s.height = r.bottom - r.top;
  s.radio = radio_;
  s.enabled = enabled_;
  s.focused = focused_;
  if (control_) {
    s.data_binding = props::Has(*control_, "DataBinding");
    if (props::Has(*control_, "DataField")) s.data_field_check = last_check_ > 0 ? last_check_ - 1 : 0;
    if (props::Has(*control_, "State")) s.state = props::ReadEnumName(*control_, "State");
    if (props::Has(*control_, "Checked")) s.checked = props::ReadEnumName(*control_, "Checked");
  }
  s.button_state = int(SendMessageA(window_, BM_GETSTATE, 0, 0));
  const LONG_PTR style = GetWindowLongPtrA(window_, GWL_STYLE);
  s.left_text = style & BS_LEFTTEXT;
  s.right_to_left = GetWindowLongPtrA(window_, GWL_EXSTYLE) & WS_EX_RTLREADING;
  s.caption = caption_;
  s.font = ControlFont();
  fw::TBitmap background;
  if (TransparentMode()) {
    background = ParentBackground();
    s.background = &background;
  }
  fw::TBitmap bmp;
  paint::PaintCheck(bmp, *data_, s);
  Put(dc, bmp);
}

}  // namespace skin
