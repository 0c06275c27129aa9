#include "skin/image_fetch.h"

#include "skin/skin_reader.h"

namespace skin {

void FetchImage(const TSkinReader&, fw::TBitmap& bmp, const std::string&) { bmp.SetSize(0, 0); }

}  // namespace skin
