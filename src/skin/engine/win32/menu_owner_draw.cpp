// Menu items drawn by the skin: a framework menu made owner-drawn gets the
// skin's measure and paint for every item (an application's own measuring
// stays), and everything is given back on restore. The paint takes the
// popup window's skinned background under each item, so that items and
// border are one picture.
#include <algorithm>

#include "framework/forms.h"
#include "framework/imglist.h"
#include "framework/menus.h"
#include "framework/shortcuts.h"
#include "skin/engine/win32/popup_skin_win32.h"
#include "skin/engine/win32/win_skin_form.h"
#include "skin/paint/menu_painter.h"
#include "skin/paint/text.h"
#include "skin/paint/win32/gdi_bitmap.h"
#include "skin/skin_data.h"

namespace skin {

namespace {

bool IsMainMenuItem(fw::TMenuItem& item) {
  fw::TMenu* menu = item.GetParentMenu();
  return menu && menu->IsBar();
}

}  // namespace

void TWinSkinForm::MeasureMenuItem(fw::TMenuItem& item, fw::TCanvas& canvas, int& width, int& height) {
  fw::TMenu* menu = item.GetParentMenu();
  const bool images = menu && menu->Images();
  width = paint::MenuItemWidth(*SkinData(), width, IsMainMenuItem(item), images);
  height = paint::MenuItemHeight(*SkinData(), canvas.Font, item.IsLine());
}

void TWinSkinForm::DrawMenuItem(fw::TMenuItem& item, fw::TCanvas& canvas, const fw::TRect& r, bool selected) {
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
  s.right_to_left = rtl_;
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
  paint::PaintMenuItem(bmp, *SkinData(), s);
  win32::Blit(dc, r.Left, r.Top, bmp);
}

void TWinSkinForm::OwnerDrawItems(fw::TMenuItem& parent) {
  for (int i = 0; i < parent.Count(); ++i) {
    fw::TMenuItem& item = *parent.Items(i);
    OwnerDrawnItem record{&item, false, true};
    if (!item.OnMeasureItem) {
      item.OnMeasureItem = [this, &item](fw::TObject*, fw::TCanvas& c, int& w, int& h) { MeasureMenuItem(item, c, w, h); };
      record.measure = true;
    }
    item.OnDrawItem = [this, &item](fw::TObject*, fw::TCanvas& c, const fw::TRect& r, bool selected) {
      DrawMenuItem(item, c, r, selected);
    };
    FreeNotification(&item);
    owner_drawn_items_.push_back(record);
    OwnerDrawItems(item);
  }
}

void TWinSkinForm::MakeOwnerDraw(fw::TMenu& menu) {
  if (std::any_of(owner_drawn_menus_.begin(), owner_drawn_menus_.end(),
                  [&](const OwnerDrawnMenu& m) { return m.menu == &menu; }))
    return;
  owner_drawn_menus_.push_back({&menu, menu.OwnerDraw()});
  FreeNotification(&menu);
  OwnerDrawItems(*menu.Items());
  menu.SetOwnerDraw(true);
}

void TWinSkinForm::UndoOwnerDraw() {
  for (const OwnerDrawnItem& r : owner_drawn_items_) {
    if (!r.item) continue;
    RemoveFreeNotification(r.item);
    if (r.measure) r.item->OnMeasureItem = nullptr;
    if (r.draw) r.item->OnDrawItem = nullptr;
  }
  owner_drawn_items_.clear();
  for (const OwnerDrawnMenu& m : owner_drawn_menus_) {
    if (!m.menu) continue;
    RemoveFreeNotification(m.menu);
    m.menu->SetOwnerDraw(m.was_owner_draw);
  }
  owner_drawn_menus_.clear();
}

void TWinSkinForm::Notification(fw::TComponent* c, fw::TOperation op) {
  fw::TComponent::Notification(c, op);
  if (op != fw::TOperation::opRemove) return;
  for (OwnerDrawnItem& r : owner_drawn_items_)
    if (r.item == c) r.item = nullptr;
  for (OwnerDrawnMenu& m : owner_drawn_menus_)
    if (m.menu == c) m.menu = nullptr;
}

void TWinSkinForm::OwnerDrawFormMenus() {
  if (!form_) return;
  TSkinData& d = *SkinData();
  if (d.SkinControls.Contains(xcMenuItem) && form_->Menu()) MakeOwnerDraw(*form_->Menu());
  if (!d.SkinControls.Contains(xcPopupMenu)) return;
  // Popup menus of the form and of the forms it owns.
  std::vector<fw::TComponent*> owners{form_};
  for (fw::TComponent* c : form_->Components())
    if (dynamic_cast<fw::TForm*>(c)) owners.push_back(c);
  for (fw::TComponent* owner : owners) {
    if (std::string(owner->ClassName()) == "TwwRichEditForm") continue;
    for (fw::TComponent* c : owner->Components())
      if (auto* p = dynamic_cast<fw::TPopupMenu*>(c); p && p->Tag != d.DisableTag) MakeOwnerDraw(*p);
  }
}

}  // namespace skin
