// Conversion of UCS-2 text to the single-byte ANSI code page the controls
// hold their text in.
#pragma once

#include <string>
#include <string_view>

namespace protocol {

// To the ANSI code page of the flavour: the system's on Windows, fixed to
// Windows-1252 elsewhere so that results are the same on every machine.
std::string WideToAnsi(std::u16string_view text);

// To Windows-1252; a code unit the code page lacks becomes "?".
std::string WideToCp1252(std::u16string_view text);

}  // namespace protocol
