// A text renderer for painter tests: fixed metrics (6 pixels a character,
// 12 a line, lines split at CR LF), and every draw recorded and shown as
// its rectangle filled with the text colour.
#pragma once

#include <string>
#include <vector>

#include "skin/paint/text.h"

namespace painttest {

class TFakeText : public skin::paint::TTextRenderer {
 public:
  static constexpr int kCharWidth = 6, kLineHeight = 12;
  struct Call {
    std::wstring text;
    fw::TFont font;
    fw::TColor colour;
    fw::TRect rect;
    unsigned flags;
  };

  TFakeText() { skin::paint::SetTextRendererForTesting(this); }
  ~TFakeText() override { skin::paint::SetTextRendererForTesting(nullptr); }
  TFakeText(const TFakeText&) = delete;
  TFakeText& operator=(const TFakeText&) = delete;

  fw::TRect Measure(const std::wstring& text, const fw::TFont& font, const fw::TRect& r, unsigned flags) override;
  void Draw(fw::TBitmap& target, const std::wstring& text, const fw::TFont& font, fw::TColor colour,
            const fw::TRect& r, unsigned flags) override;

  std::vector<Call> draws;
};

}  // namespace painttest
