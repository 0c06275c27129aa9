// The single-byte ANSI code page that the controls and the settings hold
// their texts in, and its conversion to and from UTF-16. On Windows it is the system's
// ANSI code page; elsewhere it is fixed to Windows-1252, so that results
// are the same on every machine.
#pragma once

#include <string>
#include <string_view>

namespace text {

// Windows-1252 both ways. A code unit the code page lacks becomes "?"; the
// five bytes the code page leaves unassigned stand for the C1 code point of
// the same value.
std::string WideToCp1252(std::u16string_view text);
std::u16string Cp1252ToWide(std::string_view text);

// The flavour's ANSI code page, both ways. Code units the code page lacks
// become the system's default character ("?" for Windows-1252).
std::string WideToAnsi(std::u16string_view text);
std::u16string AnsiToWide(std::string_view text);

}  // namespace text
