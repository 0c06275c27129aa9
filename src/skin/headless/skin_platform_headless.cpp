// Headless flavour: the values of a typical Windows desktop, and no
// program resources.
#include "framework/widgetset.h"
#include "skin/skin_platform.h"

namespace skin::platform {

bool ScrollBarInfoAvailable() { return true; }

int HorzScrollArrowWidth() { return 17; }

void MaximizedSize(int& width, int& height) {
  fw::WidgetSet().ScreenSize(width, height);
  width += 8;
  height += 8;
}

fw::TFont CaptionFont() {
  fw::TFont f;
  f.Name = "Segoe UI";
  f.Height = -12;
  f.Color = fw::clWindowText;
  return f;
}

fw::TBitmap ApplicationIconBitmap() {
  fw::TBitmap b(16, 16, 0xFF00FF);
  b.Transparent = true;
  return b;
}

bool LoadNativeBitmap(const std::string&, fw::TBitmap&) { return false; }

}  // namespace skin::platform
