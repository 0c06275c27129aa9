// BMP files to and from fw::TBitmap.
//
// The reader takes 1, 4, 8, 16, 24 and 32 bits per pixel, uncompressed or
// with bit fields, bottom-up or top-down, with any of the usual info header
// sizes. Everything is checked against the data: a file that is malformed or
// shorter than it claims is rejected, never read past.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "framework/bitmap.h"

namespace skin {

// Fills bmp from a BMP file. On failure bmp is emptied and false returned
// (with the reason in *error when given). *bits_per_pixel, when given,
// receives the file's depth.
bool LoadBmp(std::span<const uint8_t> data, fw::TBitmap& bmp, std::string* error = nullptr,
             int* bits_per_pixel = nullptr);

// Writes bmp as a bottom-up uncompressed BMP of 4, 8, 24 or 32 bits per
// pixel. The palette of 4 and 8 bits holds the bitmap's colours in order of
// first appearance. Returns false (out untouched) for another depth or when
// the bitmap has more colours than the palette holds.
bool SaveBmp(const fw::TBitmap& bmp, int bits_per_pixel, std::vector<uint8_t>& out);

}  // namespace skin
