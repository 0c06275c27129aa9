#include "framework/codepage.h"
#include "protocol/ansi_codepage.h"

namespace protocol {

std::string WideToAnsi(std::u16string_view text) { return fw::WideToAnsi(text); }
std::string WideToCp1252(std::u16string_view text) { return fw::WideToCp1252(text); }

}  // namespace protocol
