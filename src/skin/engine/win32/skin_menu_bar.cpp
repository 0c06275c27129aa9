#include "skin/engine/win32/skin_menu_bar.h"

#include <algorithm>

#include "framework/forms.h"
#include "framework/menus.h"
#include "skin/engine/menu_bar.h"
#include "skin/paint/menu_painter.h"
#include "skin/paint/text.h"
#include "skin/paint/win32/gdi_bitmap.h"
#include "skin/skin_data.h"

namespace skin {

namespace {

fw::TFont MenuFont() { return fw::Screen().MenuFont(); }

// The accelerator of a wide caption ("&F" gives 'f'), 0 for none.
unsigned AccelOf(const std::wstring& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] == L'&') {
      ++i;
      continue;
    }
    return unsigned(towlower(caption[i + 1]));
  }
  return 0;
}

}  // namespace

TWinSkinMenu::TWinSkinMenu(TMenuBarHost& frame, TSkinData& data)
    : fw::TComponent(nullptr), frame_(frame), data_(data) {}

TWinSkinMenu::~TWinSkinMenu() = default;

void TWinSkinMenu::LoadItems() {
  HWND w = frame_.Wnd();
  if (HMENU m = GetMenu(w)) window_menu_ = m;
  items_.clear();
  fw::TForm* form = frame_.Form();
  if (form && form->Menu()) {
    fw::TMenuItem* root = form->Menu()->Items();
    for (int i = 0; i < root->Count(); ++i) {
      fw::TMenuItem* it = root->Items(i);
      auto b = std::make_unique<TMenuBtn>(frame_, i);
      b->Caption = paint::Widen(it->Caption());
      b->Enabled = it->Enabled();
      b->ItemVisible = it->Visible();
      b->Command = it->Command();
      b->SubMenu = it->Count() > 0 ? static_cast<HMENU>(it->Handle()) : nullptr;
      b->Item = it;
      items_.push_back(std::move(b));
    }
  } else if (window_menu_) {
    const int n = std::min(GetMenuItemCount(window_menu_), 256);
    for (int i = 0; i < n; ++i) {
      wchar_t text[256] = {};
      MENUITEMINFOW mi{};
      mi.cbSize = sizeof mi;
      mi.fMask = MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU | MIIM_FTYPE;
      mi.dwTypeData = text;
      mi.cch = 255;
      if (!GetMenuItemInfoW(window_menu_, UINT(i), TRUE, &mi)) continue;
      auto b = std::make_unique<TMenuBtn>(frame_, i);
      b->Caption = text;
      b->Enabled = !(mi.fState & (MFS_DISABLED | MFS_GRAYED));
      b->Command = mi.wID;
      b->SubMenu = mi.hSubMenu;
      items_.push_back(std::move(b));
    }
  }
  // The system never paints its own bar while the skin shows this one.
  if (GetMenu(w)) SetMenu(w, nullptr);
}

int TWinSkinMenu::VisibleCount() const {
  return int(std::count_if(items_.begin(), items_.end(), [](const auto& b) { return b->ItemVisible; }));
}

void TWinSkinMenu::Layout(int W) {
  const FrameMetrics& m = frame_.Metrics();
  MenuBarGeometry g;
  g.width = W - m.left - m.right;
  g.height = m.menu;
  if (const TDataSkinObject* bar = data_.MenuBar()) {
    g.has_bar_object = true;
    g.bar_left_margin = bar->LeftWidth;
    g.bar_right_margin = bar->RightWidth;
  }
  g.right_to_left = frame_.RightToLeft();
  std::vector<MenuBarEntry> entries;
  const fw::TFont font = MenuFont();
  for (const auto& b : items_) {
    MenuBarEntry e;
    e.visible = b->ItemVisible;
    e.empty_caption = b->Caption.empty();
    e.caption_width = paint::TextRenderer().Measure(b->Caption, font, {0, 0, 10000, 100}, paint::kTextSingleLine).Width();
    entries.push_back(e);
  }
  const std::vector<fw::TRect> rects = LayoutMenuBar(g, entries);
  for (size_t i = 0; i < items_.size(); ++i) {
    fw::TRect r = rects[i];
    if (r.Width() > 0) r = {r.Left + m.left, r.Top + m.top, r.Right + m.left, r.Bottom + m.top};
    items_[i]->Rect = r;
    items_[i]->Visible = items_[i]->ItemVisible && r.Width() > 0;
  }
}

void TWinSkinMenu::PaintBar(HDC dc, bool active) {
  if (painting_) return;
  painting_ = true;
  RECT wr;
  GetWindowRect(frame_.Wnd(), &wr);
  const int W = wr.right - wr.left;
  const FrameMetrics& m = frame_.Metrics();
  const int w = W - m.left - m.right;
  if (w > 0 && m.menu > 0) {
    Layout(W);
    background_ = paint::RenderMenuBarBackground(data_, w, m.menu, active);
    std::vector<paint::MenuBarItem> bar_items;
    for (const auto& b : items_) {
      paint::MenuBarItem it;
      if (b->Visible) it.rect = {b->Rect.Left - m.left, b->Rect.Top - m.top, b->Rect.Right - m.left, b->Rect.Bottom - m.top};
      it.caption = b->Caption;
      it.enabled = b->Enabled;
      it.state = b->State;
      bar_items.push_back(it);
    }
    fw::TBitmap out = background_;
    paint::PaintMenuBar(out, data_, background_, bar_items, MenuFont());
    win32::Blit(dc, m.left, m.top, out);
  }
  painting_ = false;
}

void TWinSkinMenu::PaintItem(HDC dc, const TMenuBtn& b) {
  const FrameMetrics& m = frame_.Metrics();
  if (background_.Empty() || !b.Visible) return;
  paint::MenuBarItem it;
  it.rect = {b.Rect.Left - m.left, b.Rect.Top - m.top, b.Rect.Right - m.left, b.Rect.Bottom - m.top};
  it.caption = b.Caption;
  it.enabled = b.Enabled;
  it.state = b.State;
  fw::TBitmap out = background_;
  paint::PaintMenuBarItem(out, data_, background_, it, MenuFont());
  win32::Blit(dc, b.Rect.Left, b.Rect.Top, out, it.rect.Left, it.rect.Top, it.rect.Width(), it.rect.Height());
}

TMenuBtn* TWinSkinMenu::ItemAt(int x, int y) const {
  std::vector<fw::TRect> rects;
  std::vector<MenuBarEntry> entries;
  for (const auto& b : items_) {
    rects.push_back(b->Visible ? b->Rect : fw::TRect{});
    MenuBarEntry e;
    e.empty_caption = b->Caption.empty();
    e.visible = b->Visible;
    entries.push_back(e);
  }
  const int i = MenuBarItemAt(rects, entries, x, y);
  return i >= 0 ? items_[size_t(i)].get() : nullptr;
}

TMenuBtn* TWinSkinMenu::ItemForKey(unsigned key) const {
  for (const auto& b : items_) {
    if (!b->ItemVisible || !b->Enabled) continue;
    if (key == 0) return b.get();
    if (AccelOf(b->Caption) == unsigned(towlower(wchar_t(key)))) return b.get();
  }
  return nullptr;
}

TMenuBtn* TWinSkinMenu::ItemOfSubMenu(HMENU menu) const {
  for (const auto& b : items_)
    if (b->SubMenu && b->SubMenu == menu) return b.get();
  return nullptr;
}

}  // namespace skin
