#include "skin/skin_platform.h"

namespace skin::platform {

bool LoadNativeBitmap(const std::string& name, fw::TBitmap& bmp);  // per flavour

namespace {
BitmapSource& Override() {
  static BitmapSource source;
  return source;
}
}  // namespace

void SetBitmapSourceForTesting(BitmapSource source) { Override() = std::move(source); }

bool LoadProgramBitmap(const std::string& name, fw::TBitmap& bmp) {
  bmp = fw::TBitmap();
  bool ok = Override() ? Override()(name, bmp) : LoadNativeBitmap(name, bmp);
  if (!ok) bmp = fw::TBitmap();
  return ok;
}

}  // namespace skin::platform
