#include "skin/engine/win32/control_skin.h"

#include <algorithm>

#include "framework/widgetset.h"
#include "skin/engine/property_access.h"
#include "skin/engine/skin_messages.h"
#include "skin/paint/text.h"
#include "skin/paint/win32/gdi_bitmap.h"
#include "skin/skin_data.h"

namespace skin {

namespace {

constexpr char kControlProp[] = "GsmSkinControl";
constexpr char kControlOldProp[] = "GsmSkinControlProc";

std::wstring WindowTextOf(HWND w, bool unicode) {
  if (unicode) {
    const int n = int(SendMessageW(w, WM_GETTEXTLENGTH, 0, 0));
    std::wstring s(size_t(std::clamp(n, 0, 4096)) + 1, L'\0');
    const int got = int(SendMessageW(w, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data())));
    s.resize(size_t(std::max(got, 0)));
    return s;
  }
  char buf[1001] = {};
  const int got = int(SendMessageA(w, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf)));
  return paint::Widen(std::string(buf, size_t(std::clamp(got, 0, 1000))));
}

}  // namespace

TSkinControl::TSkinControl(fw::TComponent* owner)
    : fw::TComponent(owner), subclass_(kControlProp, kControlOldProp, &TSkinControl::Proc) {}

TSkinControl* TSkinControl::Of(HWND w) {
  return static_cast<TSkinControl*>(TWindowSubclass::Owner(w, kControlProp));
}

TSkinControl::~TSkinControl() {
  *alive_ = false;
  Unhook();
  // A control that is going away keeps whatever colour it has.
  if (control_ && !control_->Destroying()) RestoreColours();
  if (list_) list_->Unregister(this);
}

bool TSkinControl::Dead() const {
  if (life_ == kLifeWindowGone) return true;
  auto* wc = dynamic_cast<const fw::TWinControl*>(control_);
  return wc && (!wc->Widget() || wc->Widget()->Native() != window_);
}

fw::TColor TSkinControl::FormColour() const { return data_ ? data_->Colours().ButtonFace : fw::clBtnFace; }

void TSkinControl::Attach(TControlSkinKeeper& list, TSkinData& data, bool use_form_colour, fw::TControl& control) {
  if (attached_) return;
  use_form_colour_ = use_form_colour;
  data_ = &data;
  list_ = &list;
  control_ = &control;
  auto* wc = dynamic_cast<fw::TWinControl*>(&control);
  window_ = wc ? static_cast<HWND>(wc->Handle()) : nullptr;
  unicode_ = window_ && IsWindowUnicode(window_);
  saved_window_proc_ = control.WindowProc;
  control.WindowProc = [this](fw::TMessage& m) { HandleMessage(m); };
  window_proc_hooked_ = true;
  if (window_) TWindowSubclass::SetValue(window_, kControlProp, this);
  list.Register(this);
  if (use_form_colour_) {
    if (!data.Options.Contains(xoParentBackGround) &&
        paint::Narrow(props::ReadText(control, "ParentBackground")) == "True") {
      props::WriteText(control, "ParentBackground", "False");
      parent_background_switched_ = true;
    }
    saved_colour_ = control.Color();
    colour_saved_ = true;
    control.SetColor(FormColour());
  }
  control.Invalidate();
  attached_ = true;
}

void TSkinControl::AttachHandle(HWND w, TSkinData& data, TControlSkinKeeper& list) {
  if (attached_) return;
  data_ = &data;
  list_ = &list;
  window_ = w;
  unicode_ = IsWindowUnicode(w);
  list.Register(this);
  caption_ = WindowTextOf(w, unicode_);
  subclass_.Install(w, this, TWindowSubclass::Charset::OfWindow);
  InvalidateRect(w, nullptr, TRUE);
  attached_ = true;
}

void TSkinControl::Unhook() {
  if (window_proc_hooked_ && control_) {
    control_->WindowProc = saved_window_proc_;
    window_proc_hooked_ = false;
  }
  subclass_.Remove();
  // A framework control's window carries the skin without a subclass.
  if (window_) TWindowSubclass::RemoveValue(window_, kControlProp, this);
}

void TSkinControl::RestoreColours() {
  if (!control_) return;
  if (parent_background_switched_) {
    props::WriteText(*control_, "ParentBackground", "True");
    parent_background_switched_ = false;
  }
  if (colour_saved_) {
    control_->SetColor(saved_colour_);
    colour_saved_ = false;
  }
}

void TSkinControl::Refresh() {
  if (use_form_colour_ && control_) control_->SetColor(FormColour());
  Repaint();
}

void TSkinControl::Repaint() {
  if (Dead() || !window_ || !IsWindow(window_)) return;
  if (control_) {
    // Painted with the control's next paint.
    InvalidateRect(window_, nullptr, TRUE);
    return;
  }
  {
    InvalidateRect(window_, nullptr, TRUE);
    UpdateWindow(window_);
  }
}

void TSkinControl::ReadState() {
  if (!window_) return;
  GetWindowRect(window_, &window_rect_);
  focused_ = GetFocus() == window_;
  enabled_ = !(GetWindowLongPtrA(window_, GWL_STYLE) & WS_DISABLED);
  if (control_) {
    caption_ = props::ReadText(*control_, "Caption");
  } else {
    caption_ = WindowTextOf(window_, unicode_);
  }
}

fw::TFont TSkinControl::ControlFont() const {
  if (control_) return control_->Font();
  fw::TFont f;
  f.Color = data_ ? data_->Colours().ButtonText : fw::clBtnText;
  HFONT h = window_ ? reinterpret_cast<HFONT>(SendMessageA(window_, WM_GETFONT, 0, 0)) : nullptr;
  if (!h) h = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTA lf{};
  if (h && GetObjectA(h, sizeof lf, &lf)) {
    f.Name = lf.lfFaceName;
    f.Height = lf.lfHeight;
    f.Charset = lf.lfCharSet;
    f.Style = (lf.lfWeight >= FW_BOLD ? unsigned(fw::fsBold) : 0u) | (lf.lfItalic ? unsigned(fw::fsItalic) : 0u) |
              (lf.lfUnderline ? unsigned(fw::fsUnderline) : 0u);
  }
  return f;
}

void TSkinControl::Put(HDC dc, const fw::TBitmap& bmp, const fw::TRect& exclude) {
  if (bmp.Empty()) return;
  const int saved = SaveDC(dc);
  if (exclude.Width() > 0 && exclude.Height() > 0)
    ExcludeClipRect(dc, exclude.Left, exclude.Top, exclude.Right, exclude.Bottom);
  win32::Blit(dc, 0, 0, bmp);
  RestoreDC(dc, saved);
}

bool TSkinControl::TransparentMode() const {
  if (data_ && data_->Options.Contains(xoTransparent)) return true;
  return control_ && control_->Tag == kTransparentTag;
}

fw::TBitmap TSkinControl::ParentBackground() const {
  // What the parent shows there now, read from the screen: the parent has
  // painted itself before its children.
  HWND parent = window_ ? GetParent(window_) : nullptr;
  if (!parent) return {};
  RECT r;
  GetWindowRect(window_, &r);
  HDC dc = GetDC(parent);
  if (!dc) return {};
  POINT at{r.left, r.top};
  ScreenToClient(parent, &at);
  fw::TBitmap out = win32::Capture(dc, RECT{at.x, at.y, at.x + (r.right - r.left), at.y + (r.bottom - r.top)});
  ReleaseDC(parent, dc);
  return out;
}

// ---- messages ----

LRESULT CALLBACK TSkinControl::Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  TSkinControl* c = Of(w);
  if (!c || c->control_) return TWindowSubclass::PassOn(w, kControlOldProp, TWindowSubclass::Charset::OfWindow, msg, wp, lp);
  fw::TMessage m{msg, wp, lp, 0};
  try {
    c->HandleMessage(m);
  } catch (...) {
  }
  return m.Result;
}

void TSkinControl::CallOwn(fw::TMessage& m) {
  if (window_proc_hooked_) {
    if (saved_window_proc_) saved_window_proc_(m);
    return;
  }
  if (!window_) return;
  m.Result = subclass_.CallPrevious(m.Msg, m.WParam, m.LParam);
}

void TSkinControl::HandleMessage(fw::TMessage& m) {
  std::shared_ptr<bool> alive = alive_;
  ++busy_;
  struct Done {
    TSkinControl* c;
    std::shared_ptr<bool> alive;
    ~Done() {
      if (*alive) --c->busy_;
    }
  } done{this, alive};
  // The window is going: its handle may soon name another window.
  if (m.Msg == WM_NCDESTROY && window_) TWindowSubclass::RemoveValue(window_, kControlProp, this);
  if (m.Msg == msg::kSkinSwitch) {
    skin_enabled_ = intptr_t(m.WParam) > 0;
    Repaint();
    return;
  }
  // Switched off, or its window gone: the control is on its own.
  if (!skin_enabled_ || Dead()) {
    CallOwn(m);
    return;
  }
  if (!BeforeMessage(m)) return;
  CallOwn(m);
  if (!*alive) return;
  AfterMessage(m);
}

void TSkinControl::AnswerPaint(fw::TMessage& m) {
  if (auto dc = reinterpret_cast<HDC>(m.WParam)) {
    PaintWindow(dc);
  } else {
    PAINTSTRUCT ps;
    dc = BeginPaint(window_, &ps);
    PaintWindow(dc);
    EndPaint(window_, &ps);
  }
  m.Result = 0;
}

bool TSkinControl::BeforeMessage(fw::TMessage& m) {
  switch (m.Msg) {
    case WM_NCDESTROY: {
      // Its window goes: everything after this passes straight through.
      std::shared_ptr<bool> alive = alive_;
      CallOwn(m);
      if (!*alive) return false;
      life_ = kLifeWindowGone;
      skin_enabled_ = false;
      RestoreColours();
      return false;
    }
    case msg::kQuerySkinned: m.Result = 1; return false;
    default: return true;
  }
}

void TSkinControl::AfterMessage(fw::TMessage& m) {
  switch (m.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case msg::kEnabledChanged: Repaint(); break;
    case WM_PAINT: PaintWindow(reinterpret_cast<HDC>(m.WParam)); break;
    default: break;
  }
}

void TSkinControl::PaintWindow(HDC dc) {
  if (!window_ || !IsWindow(window_) || Dead()) return;
  ReadState();
  HDC own = nullptr;
  if (!dc) dc = own = GetWindowDC(window_);
  if (!dc) return;
  try {
    RECT r{0, 0, window_rect_.right - window_rect_.left, window_rect_.bottom - window_rect_.top};
    Draw(dc, r);
  } catch (...) {
  }
  if (own) ReleaseDC(window_, own);
}

}  // namespace skin
