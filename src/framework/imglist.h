// TImageList: a set of equal-sized glyphs kept side by side in one strip
// bitmap, drawn with a mask colour as transparency, greyed when disabled.
#pragma once

#include "framework/component.h"
#include "framework/graphics.h"

namespace fw {

// The disabled look of a glyph: every pixel that is not of the mask colour
// (clNone: every pixel) becomes a light grey of its own brightness.
void GreyGlyph(TBitmap& glyph, TColor mask);

class TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* owner);
  const char* ClassName() const override { return "TImageList"; }

  // The glyph size (16 by 16 by default, each 1 to kMaxSize pixels).
  // Changing it empties the list.
  static constexpr int kMaxSize = 1024;
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetSize(int width, int height);
  void SetWidth(int w) { SetSize(w, height_); }
  void SetHeight(int h) { SetSize(width_, h); }

  // Pixels of this colour are not drawn; clNone draws every pixel.
  TColor MaskColor = clFuchsia;

  int Count() const { return count_; }
  // Appends the glyphs of an image: one per full glyph width, from the
  // left (an image narrower than one glyph gives one, filled out with the
  // mask colour); rows beyond the glyph height are cut. Returns the index
  // of the first glyph added, -1 when none was.
  int Add(const TBitmap& image);
  void Delete(int index);
  void Clear();

  // All glyphs side by side, Count() * Width() by Height().
  const TBitmap& Strip() const { return strip_; }
  // One glyph; an empty bitmap for an index out of range.
  TBitmap Glyph(int index) const;

  // Draws a glyph with its top-left corner at (x, y); disabled glyphs are
  // drawn greyed. An index out of range draws nothing.
  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;

 private:
  int width_ = 16;
  int height_ = 16;
  int count_ = 0;
  TBitmap strip_;
};

}  // namespace fw
