#include "skin/paint/control_canvas.h"

#include "skin/paint/primitives.h"
#include "skin/skin_data.h"

namespace skin::paint {

void StartControlBitmap(fw::TBitmap& out, const TSkinData& skin, int w, int h, const fw::TBitmap* background) {
  out.SetSize(w, h, skin.Colours().ButtonFace);
  out.Transparent = false;
  if (background) Draw(out, 0, 0, *background);
}

fw::TColor DisabledTextColour() { return fw::ColorToRGB(fw::clBtnShadow); }

}  // namespace skin::paint
