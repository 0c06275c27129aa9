// A 32-bit top-down DIB section selected into a memory DC: the way TBitmap
// pixels go to GDI and come back. TBitmap holds 0x00BBGGRR, a DIB pixel is
// 0x00RRGGBB.
#pragma once

#include "framework/win32/win32_widgetset.h"

#include <cstdint>

namespace fw::win32 {

class TDibSection {
 public:
  // A black w x h section; Ok() is false when GDI refuses it.
  TDibSection(int w, int h);
  ~TDibSection();
  TDibSection(const TDibSection&) = delete;
  TDibSection& operator=(const TDibSection&) = delete;

  bool Ok() const { return bits_ != nullptr; }
  HDC Dc() const { return dc_; }
  int Width() const { return w_; }
  int Height() const { return h_; }
  uint32_t* Row(int y) { return bits_ + size_t(y) * size_t(w_); }

  // Copies the section-sized part of bmp at (sx, sy), which the caller
  // keeps inside bmp, into the section.
  void Load(const TBitmap& bmp, int sx = 0, int sy = 0);
  // The section's pixels as a bitmap (after GDI has finished drawing).
  TBitmap Save();

  // A section of exactly w x h kept for reuse by the GUI thread's
  // painters: the last few sizes asked for stay allocated, so that painting
  // many controls of a few sizes does not make a section each time. Valid
  // until the next call; not Ok() when GDI refuses one.
  static TDibSection& Scratch(int w, int h);

  static uint32_t FromColor(TColor c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }
  static TColor ToColor(uint32_t pixel) { return FromColor(pixel) & 0xFFFFFF; }

 private:
  int w_ = 0, h_ = 0;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
};

}  // namespace fw::win32
