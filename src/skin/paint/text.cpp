#include "skin/paint/text.h"

#include "framework/codepage.h"
#include "skin/paint/text_platform.h"

namespace skin::paint {
namespace {

TTextRenderer* g_test_renderer = nullptr;

}  // namespace

TTextRenderer& TextRenderer() { return g_test_renderer ? *g_test_renderer : detail::PlatformTextRenderer(); }

void SetTextRendererForTesting(TTextRenderer* renderer) { g_test_renderer = renderer; }

fw::TRect DrawCaptionText(fw::TBitmap& target, const std::wstring& text, const fw::TFont& font, fw::TColor colour,
                          const fw::TRect& r, unsigned flags) {
  flags &= ~unsigned(kTextCalcRect);
  TTextRenderer& renderer = TextRenderer();
  const fw::TRect m = renderer.Measure(text, font, r, flags);
  const int w = m.Right - m.Left, h = m.Bottom - m.Top;
  fw::TRect box{r.Left, r.Top + (r.Height() - h) / 2, 0, 0};
  if (flags & kTextCenter)
    box.Left = r.Left + (r.Width() - w) / 2;
  else if (flags & kTextRight)
    box.Left = r.Right - w;
  box.Right = box.Left + w;
  box.Bottom = box.Top + h;
  renderer.Draw(target, text, font, colour, box, flags);
  return box;
}

std::wstring Widen(const std::string& text) {
  const std::u16string wide = fw::AnsiToWide(text);
  return std::wstring(wide.begin(), wide.end());
}

std::string Narrow(const std::wstring& text) {
  std::u16string units;
  units.reserve(text.size());
  // Characters beyond 16 bits (only where wchar_t is wider) are not in any
  // single-byte code page.
  for (wchar_t c : text) units.push_back((static_cast<uint32_t>(c) & 0xFFFF0000u) != 0 ? u'\uFFFD' : char16_t(c));
  return fw::WideToAnsi(units);
}

}  // namespace skin::paint
