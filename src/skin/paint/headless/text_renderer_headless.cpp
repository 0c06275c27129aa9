// Text without glyphs: the headless flavour measures text with the fixed
// metrics of the framework's bitmap canvas (every character as wide as the
// font height allows, a line two pixels higher than the font) and draws
// nothing. Line breaks, word breaks, tabs and "&" prefixes are laid out as
// the system would, so that painters place boxes where they would on
// Windows.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "skin/paint/text_platform.h"

namespace skin::paint {
namespace {

class THeadlessTextRenderer : public TTextRenderer {
 public:
  fw::TRect Measure(const std::wstring& text, const fw::TFont& font, const fw::TRect& r, unsigned flags) override {
    const int h = std::abs(font.Height);
    const int cw = h * 5 / 11 + 1, lh = h + 2;
    const std::vector<int> lines = LineLengths(text, flags, std::max(1, r.Width() / cw));
    const int longest = lines.empty() ? 0 : *std::max_element(lines.begin(), lines.end());
    return fw::TRect{r.Left, r.Top, r.Left + longest * cw, r.Top + int(lines.size()) * lh};
  }

  void Draw(fw::TBitmap&, const std::wstring&, const fw::TFont&, fw::TColor, const fw::TRect&, unsigned) override {}

 private:
  // The length in characters of each line the text takes.
  static std::vector<int> LineLengths(const std::wstring& text, unsigned flags, int width) {
    const bool wrap = (flags & kTextWordBreak) && !(flags & kTextSingleLine);
    std::vector<int> lines;
    // The line before the current word, the spaces that end it, the word.
    int line = 0, spaces = 0, word = 0;
    for (size_t i = 0; i < text.size(); ++i) {
      const wchar_t c = text[i];
      if (c == L'\r' || c == L'\n') {
        if (flags & kTextSingleLine) continue;
        if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
        lines.push_back(line + word);
        line = spaces = word = 0;
        continue;
      }
      if (c == L'&' && !(flags & kTextNoPrefix)) {
        if (i + 1 >= text.size() || text[i + 1] != L'&') continue;
        ++i;  // "&&" shows one "&"
      }
      const int n = (c == L'\t' && (flags & kTextExpandTabs)) ? 8 : 1;
      if (c == L' ' || c == L'\t') {
        spaces = word > 0 ? n : spaces + n;
        line += word + n;
        word = 0;
        continue;
      }
      // A word that no longer fits starts the next line; a word wider than
      // the whole width stays whole on a line of its own.
      if (wrap && line > 0 && line + word + n > width) {
        lines.push_back(line - spaces);
        line = spaces = 0;
      }
      word += n;
    }
    lines.push_back(line + word);
    return lines;
  }
};

}  // namespace

TTextRenderer& detail::PlatformTextRenderer() {
  static THeadlessTextRenderer renderer;
  return renderer;
}

}  // namespace skin::paint
