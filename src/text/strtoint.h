// Integer text as the settings' rules, the settings image and profiles read
// it: optional leading blanks, an optional sign, then decimal digits or
// hexadecimal digits after a "$", "x" or "0x" prefix (either case of x).
// Nothing may follow the digits, and the value must fit in 32 bits.
#pragma once

#include <cstdint>
#include <string_view>

namespace text {

// True and the value in out when the whole text reads as an integer.
// Hexadecimal digits may use all 32 bits: "$FFFFFFFF" reads as -1.
bool TryStrToInt(std::string_view text, int32_t& out);

// The value of the text, or def when it does not read as an integer.
int32_t StrToIntDef(std::string_view text, int32_t def);

}  // namespace text
