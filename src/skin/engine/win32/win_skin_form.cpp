// The frame object's life: the two attach paths and their common set-up,
// the deferred initialisation, sizing the window for the skinned frame,
// the frame metrics and caption buttons, and giving the window back.
#include "skin/engine/win32/win_skin_form.h"

#include <algorithm>

#include "framework/extctrls.h"
#include "framework/forms.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/win32/control_skin.h"
#include "skin/engine/win32/skin_menu_bar.h"
#include "skin/engine/win32/window_icon.h"
#include "skin/paint/text.h"
#include "skin/skin_data.h"

namespace skin {

TWinSkinForm::TWinSkinForm(fw::TForm* form, TSkinManage& manager, HWND wnd, std::string class_name,
                           TSkinData* data)
    : TSkinFrame(form, manager, wnd, std::move(class_name), data),
      manager_(manager),
      owner_draw_(*data, [this] { return rtl_; }),
      system_menu_(wnd, *data, owner_draw_),
      menu_loop_(*this, manager),
      controls_(*this, *data) {}

TWinSkinForm::~TWinSkinForm() {
  menu_loop_.End();
  owner_draw_.Undo();
  hover_.reset();
  controls_.FreeAll();
  if (attached_) Detach();
}

TWinSkinForm* TWinSkinForm::Of(HWND w) { return static_cast<TWinSkinForm*>(TWindowSubclass::Owner(w, kFrameProp)); }

fw::TColor TWinSkinForm::FormColour() const { return SkinData()->Colours().ButtonFace; }

// ---- control skins ----

void TWinSkinForm::AttachControlSkins() {
  controls_.PurgeDead();
  if (!SkinData()->SkinLoaded()) return;
  if (form_) {
    controls_.SkinFormControls(*form_);
    owner_draw_.OwnerDrawFormMenus(*form_);
    return;
  }
  controls_.SkinForeignChildren(Wnd());
}

void TWinSkinForm::SkinSizeGrip(skin::Wnd grip) { controls_.SkinSizeGrip(static_cast<HWND>(grip)); }

// ---- attaching ----

void TWinSkinForm::AttachForm(fw::TForm* form) {
  form_ = form;
  TSkinData* d = SkinData();
  if (d->OnBeforeSkinForm) d->OnBeforeSkinForm(d, Wnd(), WindowClass());
  CommonSetup();
}

void TWinSkinForm::AttachWindow() { CommonSetup(); }

void TWinSkinForm::ReadStyles() {
  style_ = uint32_t(GetWindowLongPtrA(Wnd(), GWL_STYLE));
  ex_style_ = uint32_t(GetWindowLongPtrA(Wnd(), GWL_EXSTYLE));
}

void TWinSkinForm::ReadPlacement() {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  if (GetWindowPlacement(Wnd(), &wp)) placement_ = PlacementFromShowCommand(wp.showCmd);
}

void TWinSkinForm::CommonSetup() {
  if (attached_) return;
  TSkinManage& mgr = Manager();
  if (mgr.StartedState() == kNotStarted) mgr.SetStartedState(kRunning);
  hover_ = std::make_unique<fw::TTimer>(nullptr);
  hover_->SetInterval(250);
  hover_->OnTimer = [this](fw::TObject*) { HoverTick(); };

  TSkinData* d = SkinData();
  frame_skinning_ = d->SkinControls.Contains(xcMainMenu);
  ReadStyles();
  owner_ = GetWindow(Wnd(), GW_OWNER);
  rtl_ = ex_style_ & WS_EX_LEFTSCROLLBAR;
  sizeable_ = style_ & WS_THICKFRAME;
  child_ = style_ & WS_CHILD;
  unicode_ = IsWindowUnicode(Wnd());
  dialog_class_ = IsDialogClass(WindowClass());
  features_ = 0;
  if ((style_ & WS_SYSMENU) || GetSystemMenu(Wnd(), FALSE)) features_ |= kFeatSysMenu;
  if (style_ & WS_MINIMIZEBOX) features_ |= kFeatMinimizeBox;
  if (style_ & WS_MAXIMIZEBOX) features_ |= kFeatMaximizeBox;
  ReadPlacement();
  if (FindWindowExA(Wnd(), nullptr, "MDIClient", nullptr)) mdi_kind_ = kMdiParent;
  else if (ex_style_ & WS_EX_MDICHILD) mdi_kind_ = kMdiChild;
  border_kind_ = BorderKindOf(style_, ex_style_, dialog_class_);
  const uint32_t v = mgr.SystemVersion();
  const unsigned major = v & 0xFF, minor = (v >> 8) & 0xFF;
  if (major > 4 && minor == 0 && ((ex_style_ & WS_EX_APPWINDOW) || (!owner_ && mdi_kind_ != kMdiChild)))
    features_ |= kFeatCaptionHidden;
  if (mgr.Windows9x()) d->SkinControls.Exclude(xcSystemMenu);

  HookWindowProc();

  if (frame_skinning_) {
    menu_ = GetMenu(Wnd());
    if ((menu_ || (form_ && form_->Menu())) && mdi_kind_ != kMdiChild) CreateMenuBar();
    ShowCaptionStyles(false);
    RefreshMetrics();
  } else {
    SetSkinState(kFrameSkinned);
  }
  if (mdi_kind_ == kMdiChild) {
    const int system_caption = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CXFRAME);
    if (m_.top < system_caption) m_.menu = system_caption - m_.top;
    if (placement_ == kPlaceMaximized) mgr.SetMdiMaximized(true);
  }
  if (form_) {
    if (frame_skinning_) {
      saved_window_proc_ = form_->WindowProc;
      form_->WindowProc = [this](fw::TMessage& m) { FormWindowProc(m); };
      window_proc_hooked_ = true;
    }
    saved_colour_ = form_->Color();
    colour_saved_ = true;
    form_->SetColor(FormColour());
  }
}

void TWinSkinForm::HookWindowProc() {
  subclass_.Install(Wnd(), this, TWindowSubclass::Charset::OfWindow);
  attached_ = true;
}

void TWinSkinForm::UnhookWindowProc() {
  if (window_proc_hooked_ && form_) {
    form_->WindowProc = saved_window_proc_;
    window_proc_hooked_ = false;
  }
  if (!attached_) return;
  attached_ = false;
  // Someone subclassed the window after us: our procedure stays in the
  // chain and passes everything on through the saved procedure.
  subclass_.Remove();
}

// ---- deferred initialisation ----

void TWinSkinForm::DeferredInit() {
  HWND w = Wnd();
  system_menu_.ReadWindowMenu();
  icon_ = win32::WindowIconBitmap(w, SkinData()->IconBitmap());
  RECT wr;
  GetWindowRect(w, &wr);
  GetClientRect(w, &attach_client_);
  dx_ = (wr.right - wr.left) - attach_client_.right;
  dy_ = (wr.bottom - wr.top) - attach_client_.bottom;
  AttachControlSkins();
  if (SkinState() == kFrameCreated) {
    if (!child_ && border_kind_ != kBorderNoCaption && placement_ != kPlaceMinimized && mdi_kind_ != kMdiChild) {
      SetSkinState(kFrameResizing);
      ResizeForSkin();
      SetSkinState(kFrameSkinned);
      if (placement_ == kPlaceMaximized)
        SetWindowPos(w, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      else
        ApplyRegion();
    } else if (mdi_kind_ == kMdiChild) {
      MdiMaximizeChanged(Manager().MdiMaximized(), false);
    }
  }
  SendMessageA(w, msg::kFrameSkinned, 0, msg::kMagic);
  TSkinData* d = SkinData();
  if (d->OnAfterSkinForm) d->OnAfterSkinForm(d, w, WindowClass());
  SetSkinState(kFrameSkinned);
  if (frame_skinning_) {
    // Painted now in the skin's frame, with the right active look.
    active_ = GetActiveWindow() == w;
    RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  }
  StartHover();
}

void TWinSkinForm::ResizeForSkin() {
  HWND w = Wnd();
  if (placement_ == kPlaceMaximized) {
    SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  int cw = attach_client_.right, ch = attach_client_.bottom;
  if (form_ && mdi_kind_ != kMdiChild) {
    cw = form_->ClientWidth();
    ch = form_->ClientHeight() - m_.menu;
  }
  int nw = 0, nh = 0;
  OuterSizeFor(cw, ch, m_, nw, nh);
  if (dialog_class_ && SkinData()->Title()) {
    // A dialog whose title does not fit grows, its controls keep to the
    // middle.
    const TDataSkinTitle& t = *SkinData()->Title();
    const std::wstring text = CaptionText();
    const fw::TRect box = paint::TextRenderer().Measure(text, SkinData()->CaptionFont(), {0, 0, 10000, 100},
                                                          paint::kTextSingleLine | paint::kTextNoPrefix);
    const int need = t.LeftWidth + box.Width() + t.RightWidth;
    if (need > nw) {
      const int shift = (need - nw) / 2;
      nw = need;
      for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(c, &r);
        MapWindowPoints(HWND_DESKTOP, w, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(c, nullptr, r.left + shift, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
    }
  }
  SetWindowPos(w, nullptr, 0, 0, nw, nh, SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
}

// ---- metrics and caption buttons ----

void TWinSkinForm::RefreshMetrics() {
  TSkinData* d = SkinData();
  if (!d->SkinLoaded()) return;
  const int menu = m_.menu;
  m_ = BorderMetrics(*d, border_kind_);
  m_.menu = border_kind_ == kBorderNoCaption ? 0 : menu;
  buttons_.clear();
  for (const auto& def : d->SysButtons()) {
    if (IsIconAction(def->Action)) {
      if (icon_.Empty()) icon_ = win32::WindowIconBitmap(Wnd(), d->IconBitmap());
      if (def->Image.Empty()) def->Image = icon_;
      if (d->IconBitmap().Empty()) d->IconBitmap() = icon_;
      def->Frames = 1;
    }
    buttons_.push_back(std::make_unique<TWinSysButton>(*this, *def));
  }
}

void TWinSkinForm::FreeButtonImages() {
  SetHotElement(nullptr);
  buttons_.clear();
}

void TWinSkinForm::RefreshColours() {
  Busy busy(*this);
  const int old_state = SkinState();
  SetSkinState(kFrameRefreshing);
  if (form_) form_->SetColor(FormColour());
  controls_.RefreshAll();
  if (frame_skinning_ && border_kind_ != kBorderNoCaption && !child_ && placement_ == kPlaceNormal) {
    ResizeForSkin();
    ApplyRegion();
  }
  SetSkinState(old_state == kFrameRefreshing ? kFrameSkinned : old_state);
  RedrawWindow(Wnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// ---- giving the window back ----

void TWinSkinForm::Restore() {
  Busy busy(*this);
  HWND w = Wnd();
  system_menu_.FreePopup();
  StopHover();
  SetHotElement(nullptr);
  UnhookWindowProc();
  controls_.FreeAll();
  owner_draw_.Undo();
  const bool destroying = form_ && form_->Destroying();
  if (form_ && colour_saved_ && !destroying) form_->SetColor(saved_colour_);
  colour_saved_ = false;
  if (!IsWindow(w)) return;
  if (!frame_skinning_) {
    InvalidateRect(w, nullptr, TRUE);
    return;
  }
  ReadStyles();
  if ((features_ & kFeatSysMenu) && !(style_ & WS_SYSMENU))
    SetWindowLongPtrA(w, GWL_STYLE, LONG_PTR(style_ | WS_SYSMENU));
  ShowCaptionStyles(true);
  if (menu_bar_) {
    HMENU bar = menu_bar_->WindowMenu();
    FreeMenuBar();
    if (bar && GetMenu(w) != bar) SetMenu(w, bar);
  } else if (menu_ && GetMenu(w) != menu_) {
    SetMenu(w, menu_);
  }
  if (!destroying && !child_) {
    RECT r;
    GetWindowRect(w, &r);
    POINT at{r.left, r.top};
    if (mdi_kind_ == kMdiChild) ScreenToClient(GetParent(w), &at);
    const int cw = (r.right - r.left) - m_.left - m_.right;
    const int ch = (r.bottom - r.top) - m_.top - m_.bottom;
    SetWindowPos(w, nullptr, at.x, at.y, cw + dx_, ch + dy_, SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
  }
  SetWindowRgn(w, nullptr, TRUE);
  has_region_ = false;
}

void TWinSkinForm::Detach() {
  StopHover();
  menu_loop_.End();
  FreeMenuBar();
  UnhookWindowProc();
}

void TWinSkinForm::CreateMenuBar() {
  if (menu_bar_) return;
  menu_bar_ = std::make_unique<TWinSkinMenu>(*this, *SkinData());
  menu_bar_->LoadItems();
  m_.menu = GetSystemMetrics(SM_CYMENU);
}

void TWinSkinForm::FreeMenuBar() {
  SetHotElement(nullptr);
  menu_bar_.reset();
}

void TWinSkinForm::ShowCaptionStyles(bool show) {
  if (!(features_ & kFeatCaptionHidden)) return;
  HWND w = Wnd();
  LONG_PTR s = GetWindowLongPtrA(w, GWL_STYLE);
  LONG_PTR n = show ? (s | WS_CAPTION) : (s & ~LONG_PTR(WS_CAPTION));
  if (n != s) SetWindowLongPtrA(w, GWL_STYLE, n);
}

}  // namespace skin
