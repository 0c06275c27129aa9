// Group boxes: painted whole by the skin (the form colour, a rounded frame,
// the caption on the form colour), then the box's labels and shapes on the
// same picture, which goes to the screen in one blit.
#include "skin/engine/win32/control_skins.h"

#include <algorithm>

#include "framework/controls.h"
#include "framework/stdctrls.h"
#include "skin/paint/group_box_painter.h"
#include "skin/paint/text.h"
#include "skin/skin_data.h"

namespace skin {

// A label that sizes itself to its text is not cut at its nominal size.
void PaintGraphicChildrenInto(fw::TWinControl* parent, fw::TBitmap& bmp) {
  if (!parent) return;
  paint::TSkinCanvas canvas(bmp);
  for (fw::TControl* c : parent->Controls()) {
    auto* g = dynamic_cast<fw::TGraphicControl*>(c);
    if (!g || !g->Visible()) continue;
    fw::TRect clip = g->BoundsRect();
    if (auto* l = dynamic_cast<fw::TLabel*>(g); l && l->AutoSize && !l->Caption().empty()) {
      canvas.Font = l->Font();
      clip.Right = std::max(clip.Right, clip.Left + canvas.TextWidth(l->Caption()));
      clip.Bottom = std::max(clip.Bottom, clip.Top + canvas.TextHeight(l->Caption()));
    }
    canvas.SetOrigin(g->Left(), g->Top(), clip);
    try {
      g->Paint(canvas);
    } catch (...) {
    }
  }
}

bool TSkinGroupBox::BeforeMessage(fw::TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT: AnswerPaint(m); return false;
    case WM_ERASEBKGND: m.Result = 1; return false;
    default: return TSkinControl::BeforeMessage(m);
  }
}

void TSkinGroupBox::Draw(HDC dc, const RECT& r) {
  paint::GroupBoxState s;
  s.width = r.right - r.left;
  s.height = r.bottom - r.top;
  s.caption = caption_;
  if (s.caption.empty() && control_) s.caption = paint::Widen(control_->Caption());
  s.font = ControlFont();
  s.right_aligned = GetWindowLongPtrA(window_, GWL_EXSTYLE) & WS_EX_RIGHT;
  s.right_to_left = GetWindowLongPtrA(window_, GWL_EXSTYLE) & WS_EX_RTLREADING;
  fw::TBitmap bmp;
  paint::PaintGroupBox(bmp, *data_, s);
  PaintGraphicChildrenInto(dynamic_cast<fw::TWinControl*>(control_), bmp);
  Put(dc, bmp);
}

}  // namespace skin
