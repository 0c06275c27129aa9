// Text through GDI: the pixels under the text go into a DIB section,
// DrawTextW draws on them with the framework's cached font, and the pixels
// the text changed go back into the bitmap.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "skin/paint/text_platform.h"
#include "framework/win32/dib_section.h"

namespace skin::paint {
namespace {

// A DC kept for measuring (the painters run on the GUI thread only).
HDC MeasureDc() {
  static HDC dc = CreateCompatibleDC(nullptr);
  return dc;
}

LONG Clamp(int64_t v) { return LONG(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

class TGdiTextRenderer : public TTextRenderer {
 public:
  fw::TRect Measure(const std::wstring& text, const fw::TFont& font, const fw::TRect& r, unsigned flags) override {
    HDC dc = MeasureDc();
    RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    if (dc) {
      HGDIOBJ old = SelectObject(dc, fw::win32::FontHandle(font));
      DrawTextW(dc, text.c_str(), int(text.size()), &rc, (flags | DT_CALCRECT) & ~unsigned(DT_NOCLIP));
      SelectObject(dc, old);
    }
    return fw::TRect{r.Left, r.Top, Clamp(int64_t(r.Left) + (rc.right - rc.left)),
                     Clamp(int64_t(r.Top) + (rc.bottom - rc.top))};
  }

  void Draw(fw::TBitmap& target, const std::wstring& text, const fw::TFont& font, fw::TColor colour,
            const fw::TRect& r, unsigned flags) override {
    fw::TRect area{0, 0, target.Width(), target.Height()};
    if (!(flags & kTextNoClip))
      area = fw::TRect{std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, target.Width()),
                       std::min(r.Bottom, target.Height())};
    const int w = area.Right - area.Left, h = area.Bottom - area.Top;
    if (w <= 0 || h <= 0 || text.empty()) return;
    fw::win32::TDibSection& dib = fw::win32::TDibSection::Scratch(w, h);
    if (!dib.Ok()) return;
    dib.Load(target, area.Left, area.Top);
    const std::vector<uint32_t> before(dib.Row(0), dib.Row(h));
    HDC dc = dib.Dc();
    HGDIOBJ old = SelectObject(dc, fw::win32::FontHandle(font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, fw::win32::ColorRef(colour) & 0xFFFFFF);
    RECT rc{Clamp(int64_t(r.Left) - area.Left), Clamp(int64_t(r.Top) - area.Top), Clamp(int64_t(r.Right) - area.Left),
            Clamp(int64_t(r.Bottom) - area.Top)};
    DrawTextW(dc, text.c_str(), int(text.size()), &rc, flags & ~unsigned(DT_CALCRECT));
    SelectObject(dc, old);
    GdiFlush();
    // Only the pixels the text touched go back: the others keep their
    // exact value (a top byte included).
    for (int j = 0; j < h; ++j) {
      const uint32_t* in = dib.Row(j);
      fw::TColor* out = target.Row(area.Top + j) + area.Left;
      for (int i = 0; i < w; ++i)
        if (in[i] != before[size_t(j) * w + i]) out[i] = fw::win32::TDibSection::ToColor(in[i]);
    }
  }
};

}  // namespace

TTextRenderer& detail::PlatformTextRenderer() {
  static TGdiTextRenderer renderer;
  return renderer;
}

}  // namespace skin::paint
