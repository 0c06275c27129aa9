#include "skin/paint/edit_painter.h"

#include <algorithm>

#include "skin/paint/primitives.h"
#include "skin/skin_data.h"

namespace skin::paint {

bool EditHasBorder(const EditState& s) { return s.client_width < s.width && s.client_height < s.height; }

fw::TRect PaintEditFrame(fw::TBitmap& out, const TSkinData& skin, const EditState& s) {
  if (!EditHasBorder(s)) return {};
  const int w = s.width, h = s.height;
  // White under the outer line: the two lines inside it.
  out.SetSize(w, h, fw::clWhite);
  out.Transparent = false;
  FrameRect(out, fw::TRect{0, 0, w, h}, skin.Colours().ButtonShadow);
  return fw::TRect{3, 3, std::max(w - 3, 3), std::max(h - 3, 3)};
}

}  // namespace skin::paint
