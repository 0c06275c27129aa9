// Creating and destroying the window of a control: styles per kind, the
// window itself, and every property applied once the window exists.
#include "framework/extctrls.h"
#include "framework/menus.h"
#include "framework/stdctrls.h"
#include "framework/win32/win32_internal.h"

#include <commctrl.h>

namespace fw::win32 {

ControlHandle::ControlHandle(TWinControl* control, Kind kind) : control_(control), kind_(kind) {}

ControlHandle::~ControlHandle() {
  HWND w = wnd_;
  if (!w) return;
  // Detach first: whatever the window receives while it is destroyed goes
  // to the class's own procedure, not to a control that is going away.
  if (combo_edit_ && IsWindow(combo_edit_) &&
      reinterpret_cast<WNDPROC>(GetWindowLongPtrA(combo_edit_, GWLP_WNDPROC)) == ComboEditProc) {
    SetWindowLongPtrA(combo_edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(combo_edit_proc_));
  }
  if (combo_edit_) ForgetComboEdit(combo_edit_, this);
  DetachWindow(w);
  wnd_ = nullptr;
  // The menu bar belongs to the form's menu, not to the window.
  if (kind_ == Kind::Form && GetMenu(w)) ::SetMenu(w, nullptr);
  DestroyWindow(w);
}

void ControlHandle::StylesFor(DWORD& style, DWORD& ex) const {
  style = 0;
  ex = 0;
  if (kind_ == Kind::Form) {
    const auto* f = static_cast<const TForm*>(control_);
    style = WS_CLIPCHILDREN;
    bool caption = true, can_min = true, can_max = true;
    switch (f->BorderStyle) {
      case TFormBorderStyle::bsNone: style |= WS_POPUP; caption = false; break;
      case TFormBorderStyle::bsSingle: style |= WS_CAPTION; break;
      case TFormBorderStyle::bsSizeable: style |= WS_CAPTION | WS_THICKFRAME; break;
      case TFormBorderStyle::bsDialog:
        style |= WS_CAPTION;
        ex |= WS_EX_DLGMODALFRAME;
        can_min = can_max = false;
        break;
      case TFormBorderStyle::bsToolWindow:
        style |= WS_CAPTION;
        ex |= WS_EX_TOOLWINDOW;
        can_min = can_max = false;
        break;
      case TFormBorderStyle::bsSizeToolWin:
        style |= WS_CAPTION | WS_THICKFRAME;
        ex |= WS_EX_TOOLWINDOW;
        can_min = can_max = false;
        break;
    }
    if (caption && (f->BorderIcons & biSystemMenu)) {
      style |= WS_SYSMENU;
      if (can_min && (f->BorderIcons & biMinimize)) style |= WS_MINIMIZEBOX;
      if (can_max && (f->BorderIcons & biMaximize)) style |= WS_MAXIMIZEBOX;
    }
    return;
  }

  style = WS_CHILD | WS_CLIPSIBLINGS;
  if (control_->TabStop) style |= WS_TABSTOP;
  switch (kind_) {
    case Kind::Edit:
      style |= ES_AUTOHSCROLL;
      if (static_cast<const TEdit*>(control_)->ReadOnly) style |= ES_READONLY;
      ex |= WS_EX_CLIENTEDGE;
      break;
    case Kind::Button: style |= BS_PUSHBUTTON; break;
    // Not an auto check box: the control toggles its own state on a click.
    case Kind::CheckBox: style |= BS_3STATE; break;
    case Kind::GroupBox: style |= BS_GROUPBOX | WS_CLIPCHILDREN; break;
    case Kind::ComboBox: style |= CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL; break;
    case Kind::StatusBar: {
      // Placed by the framework, not by the bar itself.
      style |= CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | WS_CLIPCHILDREN;
      const auto* sb = static_cast<const TStatusBar*>(control_);
      const TForm* f = control_->GetParentForm();
      bool sizeable = !f || f->BorderStyle == TFormBorderStyle::bsSizeable ||
                      f->BorderStyle == TFormBorderStyle::bsSizeToolWin;
      if (sb->SizeGrip && sizeable) style |= SBARS_SIZEGRIP;
      break;
    }
    case Kind::Panel:
    case Kind::Custom: style |= WS_CLIPCHILDREN; break;
    default: break;
  }
}

int ComboListHeight(const TWinControl* combo) {
  int lines = static_cast<const TComboBox*>(combo)->DropDownCount;
  if (lines < 1) lines = 1;
  int item = -static_cast<const TComboBox*>(combo)->Font().Height;
  if (item < 8) item = 8;
  return lines * (item + 5) + 2;
}

bool ControlHandle::Create() {
  const WindowClass& wc = EnsureWindowClass(control_, kind_);
  original_ = wc.original;
  DWORD style, ex;
  StylesFor(style, ex);
  if (!control_->Enabled()) style |= WS_DISABLED;

  HWND parent = nullptr;
  HMENU menu = nullptr;
  int x = control_->Left(), y = control_->Top(), w = control_->Width(), h = control_->Height();
  if (kind_ == Kind::Form) {
    auto* f = static_cast<TForm*>(control_);
    if (f->Menu()) menu = static_cast<HMENU>(f->Menu()->Handle());
    // The client size decides the outer size when the form has one.
    if (f->ClientWidth() > 0 || f->ClientHeight() > 0) {
      RECT r{0, 0, f->ClientWidth(), f->ClientHeight()};
      AdjustWindowRectEx(&r, style, menu != nullptr, ex);
      w = r.right - r.left;
      h = r.bottom - r.top;
    }
    if (f->Position == TPosition::poScreenCenter && !f->ShowingForm()) {
      x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
      y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    } else if (f->Position == TPosition::poDefault) {
      x = y = CW_USEDEFAULT;
    }
  } else {
    TWinControl* p = control_->Parent();
    parent = p ? static_cast<HWND>(p->Widget() ? p->Widget()->Native() : nullptr) : nullptr;
    if (!parent) return false;  // a child window needs its parent's window
    if (control_->Visible()) style |= WS_VISIBLE;
    if (kind_ == Kind::ComboBox) h += ComboListHeight(control_);
  }

  const std::string& text = kind_ == Kind::StatusBar || kind_ == Kind::ComboBox ? std::string() : control_->Text();
  {
    ScopedOverride g(updating_);
    SetCreatingHandle(this);
    HWND wnd = CreateWindowExA(ex, wc.name.c_str(), text.c_str(), style, x, y, w, h, parent, menu,
                               GetModuleHandleA(nullptr), nullptr);
    SetCreatingHandle(nullptr);
    if (!wnd) {
      if (wnd_) DetachWindow(wnd_);
      wnd_ = nullptr;
      return false;
    }
    if (!wnd_) AttachWindow(wnd, this);  // no message arrived during creation
  }

  if (kind_ == Kind::Form) {
    RECT wr, cr;
    GetWindowRect(wnd_, &wr);
    GetClientRect(wnd_, &cr);
    // The control does not own this handle yet: these calls reach no window.
    control_->SetBounds(wr.left, wr.top, wr.right - wr.left, wr.bottom - wr.top);
    static_cast<TForm*>(control_)->ClientSizeChanged(cr.right, cr.bottom);
  }
  ApplyAll();
  return true;
}

void ControlHandle::ApplyAll() {
  ScopedOverride g(updating_);
  ApplyFont();
  switch (kind_) {
    case Kind::Edit:
      SendMessageA(wnd_, EM_LIMITTEXT, WPARAM(static_cast<TEdit*>(control_)->MaxLength()), 0);
      break;
    case Kind::CheckBox: ApplyCheck(); break;
    case Kind::ComboBox:
      SubclassComboEdit();
      ApplyItems();
      break;
    case Kind::StatusBar: ApplyPanels(); break;
    default: break;
  }
  ApplyHint();
  if (kind_ == Kind::Form && control_->Visible()) ShowWindow(wnd_, SW_SHOW);
}

std::unique_ptr<WidgetHandle> Win32WidgetSet::CreateHandle(TWinControl* control) {
  Kind kind = KindOf(control);
  auto h = std::make_unique<ControlHandle>(control, kind);
  if (!h->Create()) return nullptr;
  return h;
}

}  // namespace fw::win32
