// Published properties of a framework control read and written by name, as
// the control skins need them. A property the control does not have reads
// empty (or -1 for a number) and is not written.
#pragma once

#include <optional>
#include <string>

#include "framework/graphics.h"

namespace fw {
class TControl;
}

namespace skin::props {

// An integer, Boolean (0 or 1) or colour value; -1 when the control has no
// such property or it is not a number.
long long ReadOrdinal(const fw::TControl& c, const std::string& name);
// An enumeration's (or Boolean's) name as the control gives it; empty when
// absent.
std::string ReadEnumName(const fw::TControl& c, const std::string& name);
// A string property as wide text; empty when absent.
std::wstring ReadText(const fw::TControl& c, const std::string& name);
// The font property, when the control has one.
std::optional<fw::TFont> ReadFont(const fw::TControl& c, const std::string& name = "Font");
// Whether the control publishes the property at all.
bool Has(const fw::TControl& c, const std::string& name);
// Writes the property from text (numbers, enumeration names and strings as
// they are); false, and nothing written, when the control has no such
// property or refuses the value.
bool WriteText(fw::TControl& c, const std::string& name, const std::string& value);

}  // namespace skin::props
