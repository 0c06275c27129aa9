// TMenuOwnerDraw: framework menus whose items the skin measures and paints.
// A menu made owner-drawn gets the skin's measure and paint for every item
// (an application's own measuring stays); Undo gives every menu and item
// back what it had. Menus and items freed meanwhile are forgotten through
// the framework's free notification.
#pragma once

#include <functional>
#include <vector>

#include "framework/component.h"
#include "framework/graphics.h"

class TSkinData;
namespace fw {
class TCanvas;
class TForm;
class TMenu;
class TMenuItem;
}  // namespace fw

namespace skin {

class TMenuOwnerDraw final : public fw::TComponent {
 public:
  // right_to_left answers whether the window's menus read right to left.
  TMenuOwnerDraw(TSkinData& data, std::function<bool()> right_to_left);
  ~TMenuOwnerDraw() override;
  const char* ClassName() const override { return "TMenuOwnerDraw"; }

  // The menu and all its items painted by the skin (once per menu).
  void MakeOwnerDraw(fw::TMenu& menu);
  // The form's main menu (when the skin paints menu items) and the popup
  // menus of the form and of the forms it owns (when the skin paints popup
  // menus).
  void OwnerDrawFormMenus(fw::TForm& form);
  // Every menu and item back as it was.
  void Undo();

 protected:
  void Notification(fw::TComponent* c, fw::TOperation op) override;

 private:
  void OwnerDrawItems(fw::TMenuItem& parent);
  void MeasureItem(fw::TMenuItem& item, fw::TCanvas& canvas, int& width, int& height);
  void DrawItem(fw::TMenuItem& item, fw::TCanvas& canvas, const fw::TRect& r, bool selected);

  struct OwnerDrawnItem {
    fw::TMenuItem* item;
    bool measure;  // the skin set the item's measuring (the application had none)
    bool draw;
  };
  struct OwnerDrawnMenu {
    fw::TMenu* menu;
    bool was_owner_draw;
  };

  TSkinData& data_;
  std::function<bool()> right_to_left_;
  std::vector<OwnerDrawnItem> items_;
  std::vector<OwnerDrawnMenu> menus_;
};

}  // namespace skin
