#include "text/codepage.h"

namespace text {

// Without a system ANSI code page, the controls hold Windows-1252.
std::string WideToAnsi(std::u16string_view text) { return WideToCp1252(text); }
std::u16string AnsiToWide(std::string_view text) { return Cp1252ToWide(text); }

}  // namespace text
