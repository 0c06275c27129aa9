// The quiet skins: the background of a dialog inside a foreign dialog, and
// a foreign window's size grip.
#include "skin/engine/win32/control_skins.h"

#include "skin/paint/primitives.h"
#include "skin/skin_data.h"

namespace skin {

bool TSkinBoxH::BeforeMessage(fw::TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND: {
      RECT rc;
      GetClientRect(window_, &rc);
      FillRect(reinterpret_cast<HDC>(m.WParam), &rc, fw::win32::ColorBrush(FormColour()));
      m.Result = 1;
      return false;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: {
      CallOwn(m);
      SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
      m.Result = reinterpret_cast<LRESULT>(fw::win32::ColorBrush(FormColour()));
      return false;
    }
    default: return TSkinControl::BeforeMessage(m);
  }
}

bool TSkinSizer::BeforeMessage(fw::TMessage& m) {
  const TDataSkinObject* extra = data_ ? data_->Object("ExtraImages") : nullptr;
  if (!extra || extra->Image.Empty()) return TSkinControl::BeforeMessage(m);
  switch (m.Msg) {
    case WM_PAINT: AnswerPaint(m); return false;
    case WM_ERASEBKGND: m.Result = 1; return false;
    default: return TSkinControl::BeforeMessage(m);
  }
}

void TSkinSizer::Draw(HDC dc, const RECT& r) {
  const TDataSkinObject* extra = data_->Object("ExtraImages");
  fw::TBitmap bmp(r.right - r.left, r.bottom - r.top, FormColour());
  const fw::TBitmap grip = paint::CutFrame(extra->Image, extra->Frames, 5, paint::Orientation::SideBySide);
  paint::Draw(bmp, bmp.Width() - grip.Width() - 1, bmp.Height() - grip.Height() - 1, grip, true);
  Put(dc, bmp);
}

}  // namespace skin
