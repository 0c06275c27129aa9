#include "fake_text.h"

#include <algorithm>

#include "skin/paint/primitives.h"

namespace painttest {

fw::TRect TFakeText::Measure(const std::wstring& text, const fw::TFont&, const fw::TRect& r, unsigned) {
  int lines = 1, longest = 0, line = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, L"\r\n") == 0) {
      ++lines;
      line = 0;
      ++i;
      continue;
    }
    longest = std::max(longest, ++line);
  }
  return fw::TRect{r.Left, r.Top, r.Left + longest * kCharWidth, r.Top + lines * kLineHeight};
}

void TFakeText::Draw(fw::TBitmap& target, const std::wstring& text, const fw::TFont& font, fw::TColor colour,
                     const fw::TRect& r, unsigned flags) {
  draws.push_back(Call{text, font, colour, r, flags});
  skin::paint::FillRect(target, r, colour);
}

}  // namespace painttest
