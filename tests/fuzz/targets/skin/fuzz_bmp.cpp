// BMP reader on arbitrary bytes; what it accepts survives a write and
// re-read unchanged, and the bitmap helpers run on it.
#include <cstdlib>

#include "skin/bitmap_ops.h"
#include "skin/bmp_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fw::TBitmap bmp;
  if (!skin::LoadBmp(std::span(data, size), bmp)) {
    if (!bmp.Empty()) std::abort();
    return 0;
  }
  if (bmp.Width() * bmp.Height() > 1 << 16) return 0;  // keep runs fast
  std::vector<uint8_t> file;
  if (!skin::SaveBmp(bmp, 24, file)) std::abort();
  fw::TBitmap back;
  if (!skin::LoadBmp(file, back) || !(back == bmp)) std::abort();
  skin::RotateLeft(back);
  skin::MirrorHorizontal(back);
  skin::ReplaceMagenta(back, 0x123456);
  skin::MakeGray(back);
  return 0;
}
