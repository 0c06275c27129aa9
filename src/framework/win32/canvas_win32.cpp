// Painting on device contexts: the DC canvas, cached fonts and brushes, and
// graphic controls painted by their parent.
#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

#include "framework/stdctrls.h"
#include "framework/win32/dib_section.h"
#include "framework/win32/win32_internal.h"

namespace fw::win32 {
namespace {

// GDI objects live as long as the process: the set of fonts and colours a
// program uses is small and fixed.
struct GdiCache {
  std::map<std::tuple<std::string, int, unsigned, int>, HFONT> fonts;
  std::map<COLORREF, HBRUSH> brushes;
};
GdiCache& Cache() {
  static GdiCache* c = new GdiCache;
  return *c;
}

// Selects objects into a DC for one operation and puts the old ones back.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
  ~Selected() { SelectObject(dc_, old_); }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

class GdiObject {
 public:
  explicit GdiObject(HGDIOBJ o) : o_(o) {}
  ~GdiObject() {
    if (o_) DeleteObject(o_);
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  HGDIOBJ get() const { return o_; }

 private:
  HGDIOBJ o_;
};

HGDIOBJ MakePen(const TPen& p) {
  if (p.Width <= 0) return GetStockObject(NULL_PEN);
  return CreatePen(PS_SOLID, p.Width, ColorRef(p.Color));
}

}  // namespace

HFONT FontHandle(const TFont& f) {
  auto key = std::make_tuple(f.Name, f.Height, f.Style, f.Charset);
  auto& fonts = Cache().fonts;
  auto it = fonts.find(key);
  if (it != fonts.end()) return it->second;
  HFONT h = CreateFontA(f.Height, 0, 0, 0, (f.Style & fsBold) ? FW_BOLD : FW_NORMAL, (f.Style & fsItalic) != 0,
                        (f.Style & fsUnderline) != 0, (f.Style & fsStrikeOut) != 0, BYTE(f.Charset),
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                        f.Name.substr(0, LF_FACESIZE - 1).c_str());
  if (!h) h = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  fonts.emplace(key, h);
  return h;
}

HBRUSH ColorBrush(TColor color) {
  COLORREF c = ColorRef(color);
  auto& brushes = Cache().brushes;
  auto it = brushes.find(c);
  if (it != brushes.end()) return it->second;
  HBRUSH b = CreateSolidBrush(c);
  brushes.emplace(c, b);
  return b;
}

// ---- TDCCanvas ----

void TDCCanvas::FillRect(const TRect& r) {
  if (Brush.Clear) return;
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  ::FillRect(dc_, &rc, ColorBrush(Brush.Color));
}

void TDCCanvas::Rectangle(const TRect& r) {
  GdiObject pen(MakePen(Pen));
  Selected sp(dc_, pen.get());
  Selected sb(dc_, Brush.Clear ? GetStockObject(NULL_BRUSH) : ColorBrush(Brush.Color));
  ::Rectangle(dc_, r.Left, r.Top, r.Right, r.Bottom);
}

void TDCCanvas::Ellipse(const TRect& r) {
  GdiObject pen(MakePen(Pen));
  Selected sp(dc_, pen.get());
  Selected sb(dc_, Brush.Clear ? GetStockObject(NULL_BRUSH) : ColorBrush(Brush.Color));
  ::Ellipse(dc_, r.Left, r.Top, r.Right, r.Bottom);
}

void TDCCanvas::TextOut(int x, int y, const std::string& text) {
  Selected sf(dc_, FontHandle(Font));
  int old_mode = SetBkMode(dc_, Brush.Clear ? TRANSPARENT : OPAQUE);
  COLORREF old_bk = SetBkColor(dc_, ColorRef(Brush.Color));
  COLORREF old_fg = SetTextColor(dc_, ColorRef(Font.Color));
  ::TextOutA(dc_, x, y, text.data(), int(text.size()));
  SetTextColor(dc_, old_fg);
  SetBkColor(dc_, old_bk);
  SetBkMode(dc_, old_mode);
}

int TDCCanvas::TextWidth(const std::string& text) {
  Selected sf(dc_, FontHandle(Font));
  SIZE s{};
  GetTextExtentPoint32A(dc_, text.data(), int(text.size()), &s);
  return s.cx;
}

int TDCCanvas::TextHeight(const std::string& text) {
  Selected sf(dc_, FontHandle(Font));
  SIZE s{};
  GetTextExtentPoint32A(dc_, text.empty() ? "0" : text.data(), text.empty() ? 1 : int(text.size()), &s);
  return s.cy;
}

void TDCCanvas::Draw(int x, int y, const TBitmap& bmp) {
  if (bmp.Empty()) return;
  const int w = bmp.Width(), h = bmp.Height();
  TDibSection dib(w, h);
  if (!dib.Ok()) return;
  dib.Load(bmp);
  if (bmp.Transparent)
    GdiTransparentBlt(dc_, x, y, w, h, dib.Dc(), 0, 0, w, h, ColorRef(bmp.TransparentColor & 0xFFFFFF));
  else
    BitBlt(dc_, x, y, w, h, dib.Dc(), 0, 0, SRCCOPY);
}

// ---- graphic controls ----

void PaintGraphicControl(TGraphicControl* c, HDC dc, int x, int y) {
  int saved = SaveDC(dc);
  int right = x + c->Width(), bottom = y + c->Height();
  // A label that sizes itself to its text is not cut at its nominal size.
  if (auto* l = dynamic_cast<TLabel*>(c); l && l->AutoSize && !l->Caption().empty()) {
    TDCCanvas m(dc);
    m.Font = l->Font();
    right = std::max(right, x + m.TextWidth(l->Caption()));
    bottom = std::max(bottom, y + m.TextHeight(l->Caption()));
  }
  IntersectClipRect(dc, x, y, right, bottom);
  POINT old;
  OffsetViewportOrgEx(dc, x, y, &old);
  TDCCanvas canvas(dc);
  try {
    c->Paint(canvas);
  } catch (...) {
    // A failing painter leaves its area as it is.
  }
  RestoreDC(dc, saved);
}

void PaintGraphicControls(TWinControl* parent, HDC dc) {
  if (!parent) return;
  for (TControl* c : parent->Controls()) {
    auto* g = dynamic_cast<TGraphicControl*>(c);
    if (g && g->Visible()) PaintGraphicControl(g, dc, g->Left(), g->Top());
  }
}

}  // namespace fw::win32
