#include "framework/menu_paint.h"

#include <algorithm>

#include "framework/imglist.h"
#include "framework/menus.h"

namespace fw {
namespace {

constexpr int kGlyphMargin = 4;
constexpr int kArrowRoom = 16;   // the submenu arrow, drawn by the system
constexpr int kShortCutGap = 24;

bool IsBarItem(const TMenuItem& item) {
  const TMenu* m = item.GetParentMenu();
  return m && m->IsBar() && item.Parent() && !item.Parent()->Parent();
}

const TImageList* ImagesOf(const TMenuItem& item) {
  const TMenu* m = item.GetParentMenu();
  return m ? m->Images() : nullptr;
}

int GlyphColumn(const TImageList* images) {
  return std::max(16, images ? images->Width() : 0) + 2 * kGlyphMargin;
}

// The position of the accelerator in the caption as shown, -1 for none.
int HotkeyIndex(const std::string& caption) {
  int shown = 0;
  for (size_t i = 0; i < caption.size(); ++i, ++shown) {
    if (caption[i] != '&') continue;
    if (i + 1 >= caption.size()) return -1;
    if (caption[i + 1] != '&') return shown;
    ++i;  // "&&" shows one "&"
  }
  return -1;
}

void Fill(TCanvas& c, const TRect& r, TColor colour) {
  c.Brush.Clear = false;
  c.Brush.Color = colour;
  c.FillRect(r);
}

// Caption text at (x, y) with the accelerator underlined.
void Caption(TCanvas& c, int x, int y, const std::string& caption, TColor colour) {
  const std::string shown = StripHotkey(caption);
  c.Font.Color = colour;
  c.Brush.Clear = true;
  c.TextOut(x, y, shown);
  const int hot = HotkeyIndex(caption);
  if (hot < 0 || size_t(hot) >= shown.size()) return;
  const int x0 = x + c.TextWidth(shown.substr(0, size_t(hot)));
  const int x1 = x0 + c.TextWidth(shown.substr(size_t(hot), 1));
  const int base = y + c.TextHeight(shown) - 2;
  Fill(c, TRect{x0, base, x1, base + 1}, colour);
}

// A tick three pixels thick, 7 wide, centred on (cx, cy).
void CheckMark(TCanvas& c, int cx, int cy, TColor colour) {
  const int x0 = cx - 3, y0 = cy - 2;
  for (int i = 0; i < 7; ++i) {
    const int top = i <= 2 ? y0 + i : y0 + 2 - (i - 2);
    Fill(c, TRect{x0 + i, top, x0 + i + 1, top + 3}, colour);
  }
}

void SunkenBox(TCanvas& c, const TRect& r) {
  Fill(c, TRect{r.Left, r.Top, r.Right, r.Top + 1}, clBtnShadow);
  Fill(c, TRect{r.Left, r.Top, r.Left + 1, r.Bottom}, clBtnShadow);
  Fill(c, TRect{r.Left, r.Bottom - 1, r.Right, r.Bottom}, clBtnHighlight);
  Fill(c, TRect{r.Right - 1, r.Top, r.Right, r.Bottom}, clBtnHighlight);
}

}  // namespace

void MeasureMenuItem(const TMenuItem& item, TCanvas& canvas, int& width, int& height) {
  const int text_h = canvas.TextHeight("Wg");
  const std::string shown = StripHotkey(item.Caption());
  if (IsBarItem(item)) {
    width = canvas.TextWidth(shown) + 12;
    height = text_h + 6;
    return;
  }
  if (item.IsLine()) {
    width = 12;
    height = std::max(5, text_h / 2);
    return;
  }
  const TImageList* images = ImagesOf(item);
  width = GlyphColumn(images) + canvas.TextWidth(shown) + kArrowRoom;
  const std::string sc = ShortCutToText(item.ShortCut());
  if (!sc.empty()) width += kShortCutGap + canvas.TextWidth(sc);
  height = std::max(text_h + 6, std::max(16, images ? images->Height() : 0) + 4);
}

void PaintMenuItem(const TMenuItem& item, TCanvas& canvas, const TRect& r, bool selected) {
  Fill(canvas, r, selected ? clHighlight : clMenu);
  if (item.IsLine()) {
    const int y = r.Top + r.Height() / 2 - 1;
    Fill(canvas, TRect{r.Left + 2, y, r.Right - 2, y + 1}, clBtnShadow);
    Fill(canvas, TRect{r.Left + 2, y + 1, r.Right - 2, y + 2}, clBtnHighlight);
    return;
  }
  const TColor text = !item.Enabled() ? clGrayText : selected ? clHighlightText : clMenuText;
  const std::string shown = StripHotkey(item.Caption());
  const int text_h = canvas.TextHeight("Wg");
  const int y = r.Top + (r.Height() - text_h) / 2;
  if (IsBarItem(item)) {
    Caption(canvas, r.Left + (r.Width() - canvas.TextWidth(shown)) / 2, y, item.Caption(), text);
    return;
  }
  const TImageList* images = ImagesOf(item);
  const int column = GlyphColumn(images);
  const bool has_image = images && item.ImageIndex() >= 0 && item.ImageIndex() < images->Count();
  if (has_image) {
    const int gx = r.Left + (column - images->Width()) / 2, gy = r.Top + (r.Height() - images->Height()) / 2;
    if (item.Checked()) SunkenBox(canvas, TRect{gx - 2, gy - 2, gx + images->Width() + 2, gy + images->Height() + 2});
    images->Draw(canvas, gx, gy, item.ImageIndex(), item.Enabled());
  } else if (item.Checked()) {
    CheckMark(canvas, r.Left + column / 2, r.Top + r.Height() / 2, text);
  }
  Caption(canvas, r.Left + column, y, item.Caption(), text);
  const std::string sc = ShortCutToText(item.ShortCut());
  if (!sc.empty()) {
    canvas.Font.Color = text;
    canvas.Brush.Clear = true;
    canvas.TextOut(r.Right - kArrowRoom - canvas.TextWidth(sc), y, sc);
  }
}

}  // namespace fw
