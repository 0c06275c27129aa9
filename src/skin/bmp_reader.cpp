#include "skin/bmp_reader.h"

namespace skin {

bool LoadBmp(std::span<const uint8_t>, fw::TBitmap& bmp, std::string*, int*) { bmp.SetSize(0, 0); return false; }
bool SaveBmp(const fw::TBitmap&, int, std::vector<uint8_t>&) { return false; }

}  // namespace skin
