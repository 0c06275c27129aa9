// Text on skin bitmaps. Painters compose a control or a frame in a TBitmap
// and let a text renderer draw its captions into it; the platform supplies
// the renderer (GDI on Win32; a fixed-metric one without glyphs in the
// headless flavour, which tests may replace to see what was drawn where).
//
// Captions are wide text. Flags take the values of the system's text
// drawing flags so that the Win32 renderer passes them on unchanged.
#pragma once

#include <memory>
#include <string>

#include "framework/bitmap.h"
#include "framework/graphics.h"

namespace skin::paint {

enum TextFlag : unsigned {
  kTextLeft = 0x0,
  kTextCenter = 0x1,
  kTextRight = 0x2,
  kTextVCenter = 0x4,
  kTextBottom = 0x8,
  kTextWordBreak = 0x10,
  kTextSingleLine = 0x20,
  kTextExpandTabs = 0x40,
  kTextNoClip = 0x100,
  kTextCalcRect = 0x400,
  kTextNoPrefix = 0x800,
  kTextEndEllipsis = 0x8000,
  kTextRtlReading = 0x20000,
};

class TTextRenderer {
 public:
  virtual ~TTextRenderer() = default;
  // The box the text needs when drawn in r with these flags (the system's
  // calculate-rectangle pass): same top-left as r, width and height of the
  // text; word-broken text keeps within r's width.
  virtual fw::TRect Measure(const std::wstring& text, const fw::TFont& font, const fw::TRect& r,
                            unsigned flags) = 0;
  // Draws the text into target, clipped to r unless kTextNoClip, and always
  // clipped to target, with a transparent background.
  virtual void Draw(fw::TBitmap& target, const std::wstring& text, const fw::TFont& font, fw::TColor colour,
                    const fw::TRect& r, unsigned flags) = 0;
};

// The platform's renderer.
TTextRenderer& TextRenderer();
// Tests put their own renderer in place; nullptr gives the platform's back.
void SetTextRendererForTesting(TTextRenderer* renderer);

// The one caption routine of the painters: measures the text with the
// flags, centres the measured box vertically in r (and horizontally when
// kTextCenter is set; with kTextRight alone it goes to r's right edge),
// draws it there and answers the box it drew in.
fw::TRect DrawCaptionText(fw::TBitmap& target, const std::wstring& text, const fw::TFont& font, fw::TColor colour,
                          const fw::TRect& r, unsigned flags);

// Framework text (the program's narrow code page) as wide text, and back.
std::wstring Widen(const std::string& text);
std::string Narrow(const std::wstring& text);

// A canvas on a bitmap whose text goes through the text renderer, so that
// graphic controls (labels, shapes) can paint into a painter's bitmap.
class TSkinCanvas : public fw::TCanvas {
 public:
  explicit TSkinCanvas(fw::TBitmap& target);
  // Canvas coordinates (0, 0) fall on bitmap pixel (x, y), and drawing is
  // cut to clip (bitmap coordinates): graphic children paint at their own
  // origin, inside their own bounds.
  void SetOrigin(int x, int y, const fw::TRect& clip);
  void FillRect(const fw::TRect& r) override;
  void Rectangle(const fw::TRect& r) override;
  void Ellipse(const fw::TRect& r) override;
  void TextOut(int x, int y, const std::string& text) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  void Draw(int x, int y, const fw::TBitmap& bmp) override;

 private:
  fw::TRect ToBitmap(const fw::TRect& r) const;
  void Fill(const fw::TRect& r, fw::TColor c);
  fw::TBitmap& bmp_;
  int ox_ = 0, oy_ = 0;
  fw::TRect clip_;
};

}  // namespace skin::paint
