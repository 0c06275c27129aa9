// Fetching a skin image named by an INI value from the container.
#pragma once

#include <string>

#include "framework/bitmap.h"

namespace skin {

class TSkinReader;

// Fills bmp with the entry named by the file-name part of value (after the
// last "\" or ":"). The bitmap is emptied when the name is empty, when its
// extension is not exactly ".bmp" (case-sensitive), or when there is no such
// entry. Raises ESkinError when the entry is not a valid BMP.
void FetchImage(const TSkinReader& reader, fw::TBitmap& bmp, const std::string& value);

}  // namespace skin
