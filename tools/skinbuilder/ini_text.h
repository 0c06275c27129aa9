// The INI text of the built-in skin.
#pragma once

#include <string>

namespace sb {

// Lines end with CR LF.
std::string SkinIniText();

}  // namespace sb
