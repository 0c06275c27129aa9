#include "protocol/ansi_codepage.h"

namespace protocol {

// Without a system ANSI code page, the controls hold Windows-1252.
std::string WideToAnsi(std::u16string_view text) { return WideToCp1252(text); }

}  // namespace protocol
