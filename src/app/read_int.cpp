#include "app/read_int.h"

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<int32_t> ReadInt32(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    negative = s[i] == '-';
    ++i;
  }

  bool hex = false;
  if (i < s.size() && s[i] == '$') {
    hex = true;
    ++i;
  } else if (i < s.size() && (s[i] == 'x' || s[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= s.size()) return std::nullopt;  // no digits at all

  // Accumulate in 64 bits and stop as soon as the value leaves the 32-bit
  // range, so any number of digits is safe.
  uint64_t v = 0;
  const uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  for (; i < s.size(); ++i) {
    int d;
    if (hex) {
      d = HexDigit(s[i]);
    } else {
      d = (s[i] >= '0' && s[i] <= '9') ? s[i] - '0' : -1;
    }
    if (d < 0) return std::nullopt;  // a stray character, trailing blanks included
    v = v * (hex ? 16 : 10) + uint64_t(d);
    if (v > limit) return std::nullopt;
  }

  uint32_t bits = uint32_t(v);
  if (negative) bits = 0u - bits;
  return int32_t(bits);
}
