// Case and blanks of ASCII text, the same in every locale: names of ports,
// profile keys, skin entries and published properties compare this way.
#pragma once

#include <string>
#include <string_view>

namespace text {

constexpr char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }
constexpr char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

std::string Lower(std::string_view s);
std::string Upper(std::string_view s);

// Equal when the letters A to Z are taken as a to z.
bool EqualNoCase(std::string_view a, std::string_view b);

// Without the blanks and control characters (0x00 to 0x20) at both ends.
std::string_view Trim(std::string_view s);

}  // namespace text
