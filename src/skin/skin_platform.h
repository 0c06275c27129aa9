// What the skin component needs from the platform: system metrics, the
// caption font, the program's bitmap resources and the application icon.
// The win32 flavour asks Windows; the headless flavour answers with fixed,
// typical values.
#pragma once

#include <functional>
#include <string>

#include "framework/bitmap.h"
#include "framework/graphics.h"

namespace skin::platform {

// Whether the system offers GetScrollBarInfo (the scroll bar skins need it).
bool ScrollBarInfoAvailable();
// Width of a horizontal scroll bar arrow (SM_CXHSCROLL).
int HorzScrollArrowWidth();
// Size of a maximized top-level window (SM_CXMAXIMIZED, SM_CYMAXIMIZED).
void MaximizedSize(int& width, int& height);
// The caption font of the non-client metrics.
fw::TFont CaptionFont();
// The application's small icon (or its big one scaled down) drawn at the
// small-icon size on magenta; a magenta square when there is no icon.
fw::TBitmap ApplicationIconBitmap();

// A bitmap resource of the program ("TRACK", "TRACKVERT", "TESSERAMENU").
// False, with bmp emptied, when the program has none of that name.
bool LoadProgramBitmap(const std::string& name, fw::TBitmap& bmp);

// Tests replace the program's bitmap resources with their own; an empty
// function restores the platform's.
using BitmapSource = std::function<bool(const std::string& name, fw::TBitmap& bmp)>;
void SetBitmapSourceForTesting(BitmapSource source);

}  // namespace skin::platform
