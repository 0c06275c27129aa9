// Where the bench puts the painted parts: a device context on Win32,
// nowhere in the headless flavour.
#pragma once

#include "framework/bitmap.h"

namespace paintbench {

// Prepares a target of w x h; false when the flavour has none.
bool OpenTarget(int w, int h);
// Copies bmp to the target at (x, y).
void BlitToTarget(const fw::TBitmap& bmp, int x, int y);
void CloseTarget();

}  // namespace paintbench
