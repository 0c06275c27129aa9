// The code page the framework's controls hold their text in: the one of
// the text helpers.
#pragma once

#include "text/codepage.h"

namespace fw {

using text::AnsiToWide;
using text::Cp1252ToWide;
using text::WideToAnsi;
using text::WideToCp1252;

}  // namespace fw
