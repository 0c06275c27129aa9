#include "skin/engine/property_access.h"

#include "framework/controls.h"
#include "framework/properties.h"
#include "skin/paint/text.h"

namespace skin::props {

namespace {

bool Read(const fw::TControl& c, const std::string& name, std::string& v) {
  try {
    return c.GetPropertyText(name, v);
  } catch (...) {
    return false;
  }
}

}  // namespace

bool Has(const fw::TControl& c, const std::string& name) {
  std::string v;
  return Read(c, name, v);
}

long long ReadOrdinal(const fw::TControl& c, const std::string& name) {
  std::string v;
  if (!Read(c, name, v)) return -1;
  long long n = 0;
  if (fw::ParseInt(v, n)) return n;
  bool b = false;
  if (fw::ParseBool(v, b)) return b ? 1 : 0;
  fw::TColor colour = 0;
  if (fw::ParseColor(v, colour)) return colour;
  return -1;
}

std::string ReadEnumName(const fw::TControl& c, const std::string& name) {
  std::string v;
  return Read(c, name, v) ? v : std::string();
}

std::wstring ReadText(const fw::TControl& c, const std::string& name) {
  std::string v;
  return Read(c, name, v) ? paint::Widen(v) : std::wstring();
}

std::optional<fw::TFont> ReadFont(const fw::TControl& c, const std::string& name) {
  std::string v;
  fw::TFont f;
  if (!Read(c, name, v) || !fw::ParseFont(v, f)) return std::nullopt;
  return f;
}

bool WriteText(fw::TControl& c, const std::string& name, const std::string& value) {
  if (!Has(c, name)) return false;
  try {
    return c.SetPropertyText(name, value);
  } catch (...) {
    return false;
  }
}

}  // namespace skin::props
