// Drop-downs: after the system has painted the control, the skin's edge
// and button go over it, leaving the text field as the system drew it. The
// button shows pressed while the list is down, hot under the mouse and
// while the drop-down has the focus. The edit part inside is watched too:
// its painting and clicks repaint the skinned edge.
#include "skin/engine/win32/control_skins.h"

#include "skin/engine/skin_messages.h"
#include "skin/paint/combo_painter.h"
#include "skin/skin_data.h"

namespace skin {

namespace {
constexpr char kEditPartProp[] = "GsmSkinComboEdit";
constexpr char kEditPartOldProp[] = "GsmSkinComboEditProc";
}  // namespace

TSkinComBox::TSkinComBox(fw::TComponent* owner)
    : TSkinControl(owner), edit_part_subclass_(kEditPartProp, kEditPartOldProp, &TSkinComBox::EditPartProc) {}

TSkinComBox::~TSkinComBox() { UnhookEditPart(); }

void TSkinComBox::Attach(TControlSkinKeeper& list, TSkinData& data, bool use_form_colour, fw::TControl& control) {
  TSkinControl::Attach(list, data, use_form_colour, control);
  HookEditPart();
}

void TSkinComBox::AttachHandle(HWND w, TSkinData& data, TControlSkinKeeper& list) {
  TSkinControl::AttachHandle(w, data, list);
  HookEditPart();
}

void TSkinComBox::HookEditPart() {
  if (!window_ || unicode_) return;
  const LONG_PTR style = GetWindowLongPtrA(window_, GWL_STYLE);
  if ((style & 0x3) == CBS_SIMPLE) return;
  COMBOBOXINFO ci{};
  ci.cbSize = sizeof ci;
  HWND edit = GetComboBoxInfo(window_, &ci) ? ci.hwndItem : GetWindow(window_, GW_CHILD);
  if (!edit || edit == window_ || !IsChild(window_, edit)) return;
  edit_part_ = edit;
  edit_part_subclass_.Install(edit, this, TWindowSubclass::Charset::Ansi);
}

void TSkinComBox::UnhookEditPart() {
  if (!edit_part_) return;
  edit_part_subclass_.Remove();
  edit_part_ = nullptr;
}

LRESULT CALLBACK TSkinComBox::EditPartProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  auto* c = static_cast<TSkinComBox*>(TWindowSubclass::Owner(w, kEditPartProp));
  // Given back while someone came after us: we stay in the chain, passing
  // everything on.
  if (!c) return TWindowSubclass::PassOn(w, kEditPartOldProp, TWindowSubclass::Charset::Ansi, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    c->edit_part_subclass_.Release();
    c->edit_part_ = nullptr;
    return TWindowSubclass::PassOn(w, kEditPartOldProp, TWindowSubclass::Charset::Ansi, msg, wp, lp);
  }
  LRESULT r = c->edit_part_subclass_.CallPrevious(msg, wp, lp);
  if (c->Dead() || !c->SkinEnabled()) return r;
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: c->mouse_ |= kPressed; c->PaintWindow(nullptr); break;
    case WM_LBUTTONUP: c->mouse_ &= uint8_t(~kPressed); c->PaintWindow(nullptr); break;
    case WM_PAINT:
    case WM_SETFOCUS:
    case WM_KILLFOCUS: c->PaintWindow(nullptr); break;
    default: break;
  }
  return r;
}

RECT TSkinComBox::ButtonRect() const {
  COMBOBOXINFO ci{};
  ci.cbSize = sizeof ci;
  if (window_ && GetComboBoxInfo(window_, &ci)) return ci.rcButton;
  return RECT{};
}

bool TSkinComBox::ButtonVisible() const {
  COMBOBOXINFO ci{};
  ci.cbSize = sizeof ci;
  return window_ && GetComboBoxInfo(window_, &ci) && !(ci.stateButton & STATE_SYSTEM_INVISIBLE);
}

bool TSkinComBox::BeforeMessage(fw::TMessage& m) { return TSkinControl::BeforeMessage(m); }

void TSkinComBox::AfterMessage(fw::TMessage& m) {
  switch (m.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return;
    case WM_MOUSEMOVE: {
      POINT p{short(LOWORD(m.LParam)), short(HIWORD(m.LParam))};
      const RECT b = ButtonRect();
      const bool over = PtInRect(&b, p);
      if (over != bool(mouse_ & kHot)) {
        mouse_ = over ? uint8_t(mouse_ | kHot) : uint8_t(mouse_ & ~kHot);
        PaintWindow(nullptr);
        if (over) {
          TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, window_, 0};
          TrackMouseEvent(&t);
        }
      }
      return;
    }
    case WM_MOUSELEAVE:
    case msg::kMouseLeave:
      if (mouse_ & kHot) {
        mouse_ &= uint8_t(~kHot);
        PaintWindow(nullptr);
      }
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_DRAWITEM:
    case WM_NCPAINT:
    case CB_SHOWDROPDOWN:
    case WM_CAPTURECHANGED: PaintWindow(nullptr); return;
    default: TSkinControl::AfterMessage(m);
  }
}

void TSkinComBox::Draw(HDC dc, const RECT& r) {
  if (!data_ || !paint::CanPaintCombo(*data_) || !ButtonVisible()) return;
  paint::ComboState s;
  s.width = r.right - r.left;
  s.height = r.bottom - r.top;
  const bool dropped = SendMessageA(window_, CB_GETDROPPEDSTATE, 0, 0) != 0;
  HWND focus = GetFocus();
  s.pressed = (mouse_ & kPressed) || dropped;
  s.focused = focus == window_ || (focus && IsChild(window_, focus));
  s.hot = mouse_ & kHot;
  s.enabled = enabled_;
  s.left_scroll = GetWindowLongPtrA(window_, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR;
  s.button_width = GetSystemMetrics(SM_CXHSCROLL) + 2;
  s.thumb_width = GetSystemMetrics(SM_CYVTHUMB);
  s.field = control_ ? control_->Color() : fw::TColor(GetSysColor(COLOR_WINDOW));
  if (control_ && (s.field & fw::clSystemColor)) s.field = fw::ColorToRGB(s.field);
  fw::TBitmap bmp;
  const fw::TRect inner = paint::PaintCombo(bmp, *data_, s);
  Put(dc, bmp, inner);
}

}  // namespace skin
