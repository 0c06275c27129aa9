#include "text/strtoint.h"

namespace text {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool TryStrToInt(std::string_view s, int32_t& out) {
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';

  bool hex = false;
  if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i == s.size()) return false;  // no digits

  // Accumulate in 64 bits and stop as soon as the value leaves 32 bits.
  const uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  uint64_t v = 0;
  for (; i < s.size(); ++i) {
    int d = hex ? HexDigit(s[i]) : (s[i] >= '0' && s[i] <= '9' ? s[i] - '0' : -1);
    if (d < 0) return false;
    v = v * (hex ? 16 : 10) + uint64_t(d);
    if (v > limit) return false;
  }
  uint32_t bits = uint32_t(v);
  if (negative) bits = 0u - bits;
  out = int32_t(bits);
  return true;
}

int32_t StrToIntDef(std::string_view s, int32_t def) {
  int32_t v;
  return TryStrToInt(s, v) ? v : def;
}

}  // namespace text
