// Menu items drawn by the skin. The paint takes the popup window's skinned
// background under each item, so that items and border are one picture.
#include "skin/engine/win32/menu_owner_draw.h"

#include <algorithm>
#include <string>
#include <utility>

#include "framework/forms.h"
#include "framework/imglist.h"
#include "framework/menus.h"
#include "framework/shortcuts.h"
#include "skin/engine/win32/popup_skin_win32.h"
#include "skin/paint/menu_painter.h"
#include "skin/paint/text.h"
#include "skin/paint/win32/gdi_bitmap.h"
#include "skin/skin_data.h"

namespace skin {

namespace {

// A form class whose popup menus keep the system's look (its rich editor
// paints its own).
constexpr char kUnskinnedPopupOwnerClass[] = "TwwRichEditForm";

bool IsMainMenuItem(fw::TMenuItem& item) {
  fw::TMenu* menu = item.GetParentMenu();
  return menu && menu->IsBar();
}

}  // namespace

TMenuOwnerDraw::TMenuOwnerDraw(TSkinData& data, std::function<bool()> right_to_left)
    : fw::TComponent(nullptr), data_(data), right_to_left_(std::move(right_to_left)) {}

TMenuOwnerDraw::~TMenuOwnerDraw() { Undo(); }

void TMenuOwnerDraw::MeasureItem(fw::TMenuItem& item, fw::TCanvas& canvas, int& width, int& height) {
  fw::TMenu* menu = item.GetParentMenu();
  const bool images = menu && menu->Images();
  width = paint::MenuItemWidth(data_, width, IsMainMenuItem(item), images);
  height = paint::MenuItemHeight(data_, canvas.Font, item.IsLine());
}

void TMenuOwnerDraw::DrawItem(fw::TMenuItem& item, fw::TCanvas& canvas, const fw::TRect& r, bool selected) {
  auto* dc_canvas = dynamic_cast<fw::win32::TDCCanvas*>(&canvas);
  if (!dc_canvas || r.Width() <= 0 || r.Height() <= 0) return;
  HDC dc = dc_canvas->Handle();
  fw::TMenu* menu = item.GetParentMenu();
  paint::MenuItemState s;
  s.width = r.Width();
  s.height = r.Height();
  s.caption = paint::Widen(item.Caption());
  s.shortcut = paint::Widen(fw::ShortCutToText(item.ShortCut()));
  s.separator = item.IsLine();
  s.enabled = item.Enabled();
  s.selected = selected;
  s.checked = item.Checked();
  s.font = canvas.Font;
  s.right_to_left = right_to_left_();
  fw::TBitmap glyph;
  if (fw::TImageList* images = menu ? menu->Images() : nullptr) {
    s.has_images = true;
    s.glyph_mask = images->MaskColor;
    glyph = images->Glyph(item.ImageIndex());
    if (!glyph.Empty()) s.glyph = &glyph;
  }
  // The popup window the item is drawn in, and its skinned background.
  if (HWND popup = WindowFromDC(dc))
    if (TWinSkinPopMenu* p = TWinSkinPopMenu::Of(popup); p && !p->Background().Empty()) {
      const POINT o = p->ClientOrigin();
      s.background = &p->Background();
      s.background_x = r.Left + o.x;
      s.background_y = r.Top + o.y;
    }
  fw::TBitmap bmp;
  paint::PaintMenuItem(bmp, data_, s);
  win32::Blit(dc, r.Left, r.Top, bmp);
}

void TMenuOwnerDraw::OwnerDrawItems(fw::TMenuItem& parent) {
  for (int i = 0; i < parent.Count(); ++i) {
    fw::TMenuItem& item = *parent.Items(i);
    OwnerDrawnItem record{&item, false, true};
    if (!item.OnMeasureItem) {
      item.OnMeasureItem = [this, &item](fw::TObject*, fw::TCanvas& c, int& w, int& h) { MeasureItem(item, c, w, h); };
      record.measure = true;
    }
    item.OnDrawItem = [this, &item](fw::TObject*, fw::TCanvas& c, const fw::TRect& r, bool selected) {
      DrawItem(item, c, r, selected);
    };
    FreeNotification(&item);
    items_.push_back(record);
    OwnerDrawItems(item);
  }
}

void TMenuOwnerDraw::MakeOwnerDraw(fw::TMenu& menu) {
  if (std::any_of(menus_.begin(), menus_.end(), [&](const OwnerDrawnMenu& m) { return m.menu == &menu; })) return;
  menus_.push_back({&menu, menu.OwnerDraw()});
  FreeNotification(&menu);
  OwnerDrawItems(*menu.Items());
  menu.SetOwnerDraw(true);
}

void TMenuOwnerDraw::Undo() {
  for (const OwnerDrawnItem& r : items_) {
    if (!r.item) continue;
    RemoveFreeNotification(r.item);
    if (r.measure) r.item->OnMeasureItem = nullptr;
    if (r.draw) r.item->OnDrawItem = nullptr;
  }
  items_.clear();
  for (const OwnerDrawnMenu& m : menus_) {
    if (!m.menu) continue;
    RemoveFreeNotification(m.menu);
    m.menu->SetOwnerDraw(m.was_owner_draw);
  }
  menus_.clear();
}

void TMenuOwnerDraw::Notification(fw::TComponent* c, fw::TOperation op) {
  fw::TComponent::Notification(c, op);
  if (op != fw::TOperation::opRemove) return;
  for (OwnerDrawnItem& r : items_)
    if (r.item == c) r.item = nullptr;
  for (OwnerDrawnMenu& m : menus_)
    if (m.menu == c) m.menu = nullptr;
}

void TMenuOwnerDraw::OwnerDrawFormMenus(fw::TForm& form) {
  if (data_.SkinControls.Contains(xcMenuItem) && form.Menu()) MakeOwnerDraw(*form.Menu());
  if (!data_.SkinControls.Contains(xcPopupMenu)) return;
  // Popup menus of the form and of the forms it owns.
  std::vector<fw::TComponent*> owners{&form};
  for (fw::TComponent* c : form.Components())
    if (dynamic_cast<fw::TForm*>(c)) owners.push_back(c);
  for (fw::TComponent* owner : owners) {
    if (std::string(owner->ClassName()) == kUnskinnedPopupOwnerClass) continue;
    for (fw::TComponent* c : owner->Components())
      if (auto* p = dynamic_cast<fw::TPopupMenu*>(c); p && p->Tag != data_.DisableTag) MakeOwnerDraw(*p);
  }
}

}  // namespace skin
