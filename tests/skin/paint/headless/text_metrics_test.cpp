// The headless renderer's fixed metrics: what the painters' layout sees in
// the native tests.
#include <gtest/gtest.h>

#include "skin/paint/text.h"

namespace {

using namespace skin::paint;

TEST(HeadlessText, MeasuresLinesWithFixedMetrics) {
  fw::TFont font;
  font.Height = -11;  // 6 pixels a character, 13 a line
  struct Case {
    const wchar_t* text;
    unsigned flags;
    int w, h;
  } cases[] = {
      {L"abcd", kTextSingleLine, 24, 13},
      {L"ab\r\nc", 0, 12, 26},
      {L"ab\r\nc", kTextSingleLine, 18, 13},
      {L"&Read &&", 0, 36, 13},
      {L"&Read", kTextNoPrefix, 30, 13},
      {L"one two three", kTextWordBreak, 30, 39},  // 6 characters a line: a word each
      {L"", 0, 0, 13},
  };
  for (const Case& c : cases) {
    const fw::TRect r = TextRenderer().Measure(c.text, font, fw::TRect{3, 4, 39, 40}, c.flags);
    EXPECT_EQ(r, (fw::TRect{3, 4, 3 + c.w, 4 + c.h})) << "case with flags " << c.flags << " and width " << c.w;
  }
}

}  // namespace
