// Reading a setting's text as a signed 32-bit integer, the way the window's
// change rules read the number boxes: optional leading blanks, an optional
// sign, then either decimal digits or hexadecimal digits after "$", "x",
// "X", "0x" or "0X". Nothing may follow the number. A value that does not
// fit in 32 bits cannot be read; a hexadecimal value of up to eight digits
// is taken as a 32-bit pattern ("$FFFFFFFF" is -1).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

std::optional<int32_t> ReadInt32(std::string_view text);
