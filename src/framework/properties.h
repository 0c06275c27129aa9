// Text forms of published property values, for reading and writing
// properties by name.
#pragma once

#include <string>

#include "framework/graphics.h"

namespace fw {

// Property names match without regard to case.
bool PropIs(const std::string& name, const char* want);

std::string BoolText(bool b);  // "True" / "False"
bool ParseBool(const std::string& s, bool& out);
bool ParseInt(const std::string& s, long long& out);

// Colours as "clRed"-style names where one exists, otherwise "$00BBGGRR".
std::string ColorText(TColor c);
bool ParseColor(const std::string& s, TColor& out);

// Fonts as "Name,Height,Color,Style" (style bits as a number).
std::string FontText(const TFont& f);
bool ParseFont(const std::string& s, TFont& out);

}  // namespace fw
