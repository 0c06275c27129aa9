// The small icon of a window as a bitmap on magenta (transparent), at the
// system's small-icon size.
#pragma once

#include "framework/win32/win32_widgetset.h"

#include "framework/bitmap.h"

namespace skin::win32 {

// The window's small icon (WM_GETICON), else its big one, else its class's;
// fallback when it has none.
fw::TBitmap WindowIconBitmap(HWND w, const fw::TBitmap& fallback);

}  // namespace skin::win32
