// Colours, fonts, pens, brushes and the canvas interface graphic controls
// paint on.
#pragma once

#include <cstdint>
#include <string>

#include "framework/bitmap.h"

namespace fw {

// System colours are 0x80000000 | the platform's colour index, as usual for
// TColor; ColorToRGB resolves them.
constexpr TColor clSystemColor = 0x80000000u;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clMenu = clSystemColor | 4;
constexpr TColor clMenuText = clSystemColor | 7;
constexpr TColor clDefault = 0x20000000u;
constexpr TColor clNone = 0x1FFFFFFFu;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clGreen = 0x008000;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;

// Resolves a system colour through the widgetset; plain colours pass through.
TColor ColorToRGB(TColor c);

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

struct TFont {
  std::string Name = "MS Sans Serif";
  int Height = -11;  // negative: character height in pixels
  TColor Color = clWindowText;
  unsigned Style = 0;
  int Charset = 1;  // DEFAULT_CHARSET
  bool operator==(const TFont&) const = default;
};

struct TPen {
  TColor Color = clBlack;
  int Width = 1;
  bool operator==(const TPen&) const = default;
};

struct TBrush {
  TColor Color = clWhite;
  bool Clear = false;  // bsClear: no fill
  bool operator==(const TBrush&) const = default;
};

struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const TRect&) const = default;
};

// What a graphic control paints on. The Win32 widgetset wraps a device
// context; the portable one paints into a TBitmap.
class TCanvas {
 public:
  virtual ~TCanvas() = default;
  TPen Pen;
  TBrush Brush;
  TFont Font;
  virtual void FillRect(const TRect& r) = 0;
  virtual void Rectangle(const TRect& r) = 0;
  virtual void Ellipse(const TRect& r) = 0;
  virtual void TextOut(int x, int y, const std::string& text) = 0;
  virtual int TextWidth(const std::string& text) = 0;
  virtual int TextHeight(const std::string& text) = 0;
  virtual void Draw(int x, int y, const TBitmap& bmp) = 0;
};

// A canvas on a TBitmap: rectangles and ellipses are drawn, text is measured
// at a fixed average width and not drawn (there is no font rasteriser).
class TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap& target) : bmp_(target) {}
  void FillRect(const TRect& r) override;
  void Rectangle(const TRect& r) override;
  void Ellipse(const TRect& r) override;
  void TextOut(int, int, const std::string&) override {}
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  void Draw(int x, int y, const TBitmap& bmp) override;

 private:
  TBitmap& bmp_;
};

}  // namespace fw
