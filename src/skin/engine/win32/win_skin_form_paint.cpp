// Painting the skinned frame: the borders, the caption strip with its
// buttons and title (composed off screen, one blit), the menu strip, and the
// window region cut from the border images.
#include <algorithm>

#include "skin/engine/caption_text.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/win32/skin_menu_bar.h"
#include "skin/engine/win32/win_skin_form.h"
#include "skin/paint/frame_painter.h"
#include "skin/paint/primitives.h"
#include "skin/paint/text.h"
#include "skin/paint/win32/gdi_bitmap.h"
#include "skin/skin_data.h"

namespace skin {

namespace {

// Reads a window's text as wide text, whatever the window's character set.
std::wstring WideWindowText(HWND w) {
  const int n = int(SendMessageW(w, WM_GETTEXTLENGTH, 0, 0));
  if (n <= 0) return {};
  std::wstring s(size_t(std::min(n, 4096)) + 1, L'\0');
  const int got = GetWindowTextW(w, s.data(), int(s.size()));
  s.resize(size_t(std::max(got, 0)));
  return s;
}

}  // namespace

std::wstring TWinSkinForm::CaptionText() const { return WideWindowText(Wnd()); }

void TWinSkinForm::RemoveSysMenuStyle() {
  if (features_ & kFeatCaptionHidden) return;
  HWND w = Wnd();
  LONG_PTR s = GetWindowLongPtrA(w, GWL_STYLE);
  if (s & WS_SYSMENU) SetWindowLongPtrA(w, GWL_STYLE, s & ~LONG_PTR(WS_SYSMENU));
}

void TWinSkinForm::LayoutButtons() {
  RECT wr;
  GetWindowRect(Wnd(), &wr);
  ButtonFacts facts;
  facts.features = features_;
  facts.placement = placement_;
  facts.active = active_;
  facts.border_kind = border_kind_;
  facts.dialog_class = dialog_class_;
  HWND w = Wnd();
  facts.ask_custom = [w](int code, int action) {
    DWORD_PTR r = 0;
    if (!SendMessageTimeoutA(w, msg::kCaptionButtonQuery, WPARAM(code), LPARAM(action), SMTO_ABORTIFHUNG, 500, &r))
      return intptr_t(0);
    return intptr_t(r);
  };
  LayoutInput in;
  in.width = wr.right - wr.left;
  in.metrics = m_;
  in.right_to_left = rtl_;
  if (const TDataSkinObject* bar = SkinData()->MenuBar()) in.menu_bar_left_margin = bar->LeftWidth;
  std::vector<const TDataSkinSysButton*> defs;
  for (const auto& b : buttons_) defs.push_back(&b->Definition());
  ButtonLayout layout = skin::LayoutButtons(defs, facts, in);
  for (size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i]->Rect = layout.rects[i];
    buttons_[i]->Visible = layout.visible[i];
  }
}

void TWinSkinForm::PaintFrame(HDC dc) {
  const int state = SkinState();
  if (state != kFrameSkinned && state != kFrameRefreshing) return;
  if (!frame_skinning_ || border_kind_ == kBorderNoCaption || !SkinData()->SkinLoaded() || frame_quiet_) return;
  HWND w = Wnd();
  HDC own = nullptr;
  if (!dc) dc = own = GetWindowDC(w);
  if (!dc) return;
  try {
    LayoutButtons();
    PaintCaptionStrip(dc, true);
    if (placement_ != kPlaceMinimized) PaintMenuStrip(dc);
  } catch (...) {
    // A broken skin image never stops the window.
  }
  // After a full pass every element shows its plain state.
  SetHotElement(nullptr);
  for (auto& b : buttons_) b->State = kElementNormal;
  if (own) ReleaseDC(w, own);
}

void TWinSkinForm::PaintCaptionStrip(HDC dc, bool whole_pass) {
  RECT wr;
  GetWindowRect(Wnd(), &wr);
  const int W = wr.right - wr.left, H = wr.bottom - wr.top;
  const TSkinData& d = *SkinData();
  const int T = std::min(m_.top, H);
  if (W <= 0 || T <= 0) return;
  const bool minimized = placement_ == kPlaceMinimized;

  fw::TBitmap strip(W, T, FormColour());
  if (!minimized) {
    fw::TBitmap left = paint::RenderBorderPart(d, paint::kPartLeft, m_.left, H, active_);
    fw::TBitmap right = paint::RenderBorderPart(d, paint::kPartRight, m_.right, H, active_);
    if (whole_pass) {
      fw::TBitmap bottom = paint::RenderBorderPart(d, paint::kPartBottom, W - m_.left - m_.right, m_.bottom, active_);
      win32::Blit(dc, 0, T, left, 0, T);
      win32::Blit(dc, W - m_.right, T, right, 0, T);
      win32::Blit(dc, m_.left, H - m_.bottom, bottom);
    }
    // The caption's corners are the top of the side borders.
    paint::Draw(strip, 0, 0, left);
    paint::Draw(strip, W - m_.right, 0, right);
  }

  paint::CaptionPaint cp;
  cp.width = W;
  cp.height = T;
  cp.left = m_.left;
  cp.right = m_.right;
  cp.active = active_;
  cp.minimized = minimized;
  cp.icon = &icon_;
  int limit = W;
  for (const auto& b : buttons_) {
    if (!b->Visible) continue;
    const TDataSkinSysButton& def = b->Definition();
    if (def.Visibility == 100) continue;
    paint::CaptionButton cb;
    cb.def = &def;
    cb.rect = b->Rect;
    cb.frame = b->State != kElementNormal ? StateFrame(def, b->State) : CaptionPassFrame(def, active_);
    cb.is_icon = IsIconAction(def.Action);
    cp.buttons.push_back(cb);
    if (b->Rect.Left > W / 2) limit = std::min(limit, b->Rect.Left - 4);
  }
  if (CaptionExtrasActive()) {
    CaptionTextInput in;
    in.text = CaptionText();
    in.width = W;
    in.height = T;
    in.active = active_;
    in.limit = limit;
    in.right_to_left = rtl_;
    paint::CaptionText text;
    if (PlaceCaptionText(d, in, text)) cp.texts.push_back(text);
  }
  paint::PaintCaption(strip, d, cp);
  win32::Blit(dc, 0, 0, strip);
}

void TWinSkinForm::PaintMenuStrip(HDC dc) {
  if (m_.menu <= 0) return;
  if (menu_bar_) {
    menu_bar_->PaintBar(dc, active_);
    return;
  }
  RECT wr;
  GetWindowRect(Wnd(), &wr);
  const int W = wr.right - wr.left;
  const int w = W - m_.left - m_.right;
  if (w <= 0) return;
  fw::TBitmap bar(w, m_.menu, FormColour());
  win32::Blit(dc, m_.left, m_.top, bar);
}

void TWinSkinForm::PaintElement(TNCObject& e) {
  const int state = SkinState();
  if (state != kFrameSkinned && state != kFrameRefreshing) return;
  if (!frame_skinning_ || !IsWindowVisible(Wnd()) || !e.Visible) return;
  HWND w = Wnd();
  HDC dc = GetWindowDC(w);
  if (!dc) return;
  try {
    if (auto* b = dynamic_cast<TMenuBtn*>(&e); b && menu_bar_) menu_bar_->PaintItem(dc, *b);
    else PaintCaptionStrip(dc, false);
  } catch (...) {
  }
  ReleaseDC(w, dc);
}

void TWinSkinForm::ApplyRegion() {
  if (SkinState() == kFrameDead || !frame_skinning_ || border_kind_ == kBorderNoCaption) return;
  if (mdi_kind_ == kMdiChild && placement_ != kPlaceNormal) return;
  HWND w = Wnd();
  RECT wr;
  GetWindowRect(w, &wr);
  const int W = wr.right - wr.left, H = wr.bottom - wr.top;
  if (W <= 0 || H <= 0) return;
  if (has_region_ && W == region_w_ && H == region_h_ && mdi_kind_ != kMdiChild && SkinState() != kFrameRefreshing)
    return;
  paint::FrameGeometry g;
  g.width = W;
  g.height = H;
  g.left = m_.left;
  g.top = m_.top;
  g.right = m_.right;
  g.bottom = m_.bottom;
  std::vector<fw::TRect> runs;
  HRGN rgn = paint::FrameRegionRuns(*SkinData(), g, active_, runs) ? win32::RegionFromRuns(runs)
                                                                     : CreateRectRgn(0, 0, W, H);
  if (!rgn) return;
  // The system owns the region from here on.
  if (!SetWindowRgn(w, rgn, TRUE)) {
    DeleteObject(rgn);
    return;
  }
  has_region_ = true;
  region_w_ = W;
  region_h_ = H;
}

}  // namespace skin
