// Reading a number box's text as a 32-bit integer, as the change rules do.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "framework/strtoint.h"

namespace {

std::optional<int32_t> ReadInt32(std::string_view s) {
  int32_t v = 0;
  if (!fw::TryStrToInt(s, v)) return std::nullopt;
  return v;
}

TEST(IntReading, DecimalWithBlanksAndSign) {
  EXPECT_EQ(ReadInt32("0"), 0);
  EXPECT_EQ(ReadInt32("007"), 7);
  EXPECT_EQ(ReadInt32("  42"), 42);
  EXPECT_EQ(ReadInt32("-5"), -5);
  EXPECT_EQ(ReadInt32("+17"), 17);
  EXPECT_EQ(ReadInt32("2147483647"), 2147483647);
  EXPECT_EQ(ReadInt32("-2147483648"), INT32_MIN);
}

TEST(IntReading, HexadecimalAfterEachPrefix) {
  EXPECT_EQ(ReadInt32("$1F"), 31);
  EXPECT_EQ(ReadInt32("x1f"), 31);
  EXPECT_EQ(ReadInt32("X10"), 16);
  EXPECT_EQ(ReadInt32("0x10"), 16);
  EXPECT_EQ(ReadInt32("0XfF"), 255);
  EXPECT_EQ(ReadInt32(" -$10"), -16);
  EXPECT_EQ(ReadInt32("$FFFFFFFF"), -1);  // eight hex digits are a 32-bit pattern
  EXPECT_EQ(ReadInt32("$000000000A"), 10);
}

TEST(IntReading, EverythingElseIsUnreadable) {
  for (const char* bad : {"", " ", "-", "+", "$", "0x", "x", "12 ", "1a", "abc", "1.5", "--", "+-1", "1e3",
                          "0x1G", "$-1", "00x1", "99999999999", "2147483648", "-2147483649", "$100000000"}) {
    EXPECT_FALSE(ReadInt32(bad).has_value()) << '"' << bad << '"';
  }
  // A very long run of digits is rejected without overflowing.
  EXPECT_FALSE(ReadInt32(std::string(5000, '9')).has_value());
  EXPECT_FALSE(ReadInt32(std::string("\0" "1", 2)).has_value());
}

}  // namespace
