// The text renderer of the flavour (win32/ or headless/).
#pragma once

#include "skin/paint/text.h"

namespace skin::paint::detail {

TTextRenderer& PlatformTextRenderer();

}  // namespace skin::paint::detail
