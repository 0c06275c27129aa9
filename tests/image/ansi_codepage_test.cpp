#include "text/codepage.h"

#include <gtest/gtest.h>

using namespace text;

TEST(Cp1252, MapsEveryByteOfTheCodePage) {
  EXPECT_EQ(WideToCp1252(u"AB z~"), "AB z~");
  EXPECT_EQ(WideToCp1252(u"\u00A0\u00E9\u00FF"), "\xA0\xE9\xFF");
  EXPECT_EQ(WideToCp1252(u"\u20AC\u201E\u0160\u2122\u0178"), "\x80\x84\x8A\x99\x9F");
  EXPECT_EQ(WideToCp1252(u"\u0081\u008D\u008F\u0090\u009D"), "\x81\x8D\x8F\x90\x9D");
  // Not in the code page.
  EXPECT_EQ(WideToCp1252(std::u16string{0x0080, 0x0100, 0x0414, 0x4E2D, 0xD800}), "?????");
  EXPECT_EQ(WideToCp1252(std::u16string(1, u'\0')), std::string(1, '\0'));
  // Each of the 256 bytes comes from exactly one code unit.
  int hits[256] = {};
  for (unsigned u = 0; u < 0x10000; ++u) {
    char16_t c = char16_t(u);
    std::string s = WideToCp1252(std::u16string_view(&c, 1));
    ASSERT_EQ(s.size(), 1u);
    if (s[0] != '?' || u == '?') ++hits[uint8_t(s[0])];
  }
  for (int b = 0; b < 256; ++b) EXPECT_EQ(hits[b], 1) << b;
}

// The flavour's conversion agrees with Windows-1252 wherever the code page
// has the character (on Windows: when the system's ANSI code page is 1252).
TEST(AnsiCodePage, AgreesWithCp1252) {
  if (WideToAnsi(u"\u20AC") != "\x80") GTEST_SKIP() << "the ANSI code page is not Windows-1252";
  int best_fit = 0;
  for (unsigned u = 1; u < 0x10000; ++u) {
    char16_t c = char16_t(u);
    const std::string mine = WideToCp1252(std::u16string_view(&c, 1));
    const std::string ansi = WideToAnsi(std::u16string_view(&c, 1));
    if (mine != "?" || u == '?') {
      ASSERT_EQ(ansi, mine) << "U+" << std::hex << u;
    } else if (ansi != "?") {
      ++best_fit;  // the system's best-fit mapping, e.g. U+0100 to "A"
    }
  }
  RecordProperty("best_fit_units", best_fit);
  EXPECT_EQ(WideToAnsi(u"caf\u00E9 \u20AC5"), "caf\xE9 \x80" "5");
}
