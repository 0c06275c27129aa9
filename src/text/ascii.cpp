#include "text/ascii.h"

namespace text {

std::string Lower(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = LowerAscii(c);
  return r;
}

std::string Upper(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = UpperAscii(c);
  return r;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

std::string_view Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= 0x20) ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= 0x20) --e;
  return s.substr(b, e - b);
}

}  // namespace text
