// Menus: TMenuItem (a tree of items), TMenu with its root item, TMainMenu
// (the menu bar of a form) and TPopupMenu (shown at a point).
//
// Items keep their whole state (caption, shortcut, states, sub-items); a
// native menu exists only when asked for (Handle) and is filled again from
// the items whenever they change. A change in a form's main menu is also
// told to the form: CM_MENUCHANGED through its Perform, so that its
// WindowProc (and whatever replaced it) sees it in every flavour.
//
// Every item has a command id unique in the process: the id a native menu
// reports when the item is chosen (WM_COMMAND on Win32) and the item data
// of its native entry (MEASUREITEMSTRUCT/DRAWITEMSTRUCT itemData).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/graphics.h"
#include "framework/shortcuts.h"

namespace fw {

class TForm;
class TImageList;
class TMenu;

// Owner drawing. Measure: width and height come in with the default size
// and may be changed. Draw: paint the whole rectangle.
using TMenuMeasureItemEvent = std::function<void(TObject* sender, TCanvas& canvas, int& width, int& height)>;
using TMenuDrawItemEvent = std::function<void(TObject* sender, TCanvas& canvas, const TRect& rect, bool selected)>;

enum class TFindItemKind { fkCommand, fkHandle, fkShortCut };

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  // Frees the sub-items too, and leaves the parent.
  ~TMenuItem() override;
  const char* ClassName() const override { return "TMenuItem"; }

  // "&" marks the accelerator, "&&" is a literal "&"; "-" makes a separator.
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool IsLine() const { return caption_ == "-"; }
  TShortCut ShortCut() const { return shortcut_; }
  void SetShortCut(TShortCut shortcut);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  bool Checked() const { return checked_; }
  void SetChecked(bool v);
  // Index into the menu's Images, -1 for none.
  int ImageIndex() const { return image_index_; }
  void SetImageIndex(int index);

  TNotifyEvent OnClick;
  TMenuMeasureItemEvent OnMeasureItem;
  TMenuDrawItemEvent OnDrawItem;

  // Runs OnClick when the item is enabled.
  virtual void Click();
  // The size of an owner-drawn item: OnMeasureItem when set (given the
  // default size), otherwise the default size.
  void MeasureItem(TCanvas& canvas, int& width, int& height);
  // Paints an owner-drawn item: OnDrawItem when set, otherwise a plain
  // drawing in the menu colours (image or check mark, caption with its
  // accelerator underlined, shortcut text, separator line).
  void DrawItem(TCanvas& canvas, const TRect& rect, bool selected);

  // Sub-items. Add and Insert take an item that has no parent (an item
  // cannot be in two places, nor inside itself); Delete and Remove take it
  // out without freeing it; Clear frees them all. A bad index throws.
  int Count() const { return int(items_.size()); }
  TMenuItem* Items(int index) const;
  TMenuItem* Parent() const { return parent_; }
  int IndexOf(const TMenuItem* item) const;
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Delete(int index);
  void Remove(TMenuItem* item);
  void Clear();
  // The sub-item whose caption without "&" is caption (without regard to
  // case), or nullptr.
  TMenuItem* Find(const std::string& caption) const;
  // The menu whose tree holds the item, or nullptr.
  TMenu* GetParentMenu() const;

  uint16_t Command() const { return command_; }
  // The native menu of an item with sub-items (HMENU on Win32), created on
  // demand; nullptr for an item without sub-items and in the headless
  // flavour. The root item of a menu has the menu's handle.
  void* Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  // True when the native entry of the item is owner-drawn: every item of
  // an OwnerDraw menu, and the items below the menu bar of a menu with
  // Images.
  bool IsOwnerDraw() const;

  // The live item with this command id, or with this native menu handle;
  // nullptr when there is none.
  static TMenuItem* FindByCommand(unsigned command);
  static TMenuItem* FindByHandle(const void* handle);

  // "Caption", "ShortCut" (text form), "Visible", "Enabled", "Checked",
  // "ImageIndex", "Name", "Tag".
  bool GetPropertyText(const std::string& name, std::string& value) const override;
  bool SetPropertyText(const std::string& name, const std::string& value) override;

 private:
  friend class TMenu;
  // Something about this item changed that its parent's native menu shows.
  void Changed();
  // The list of sub-items changed.
  void ItemsChanged();
  // Fills this item's native menu and those of its sub-items again.
  void RefillTree();
  void Refill();
  void DestroyNative();
  void CheckInsertable(const TMenuItem* item) const;

  std::string caption_;
  TShortCut shortcut_ = scNone;
  bool visible_ = true;
  bool enabled_ = true;
  bool checked_ = false;
  int image_index_ = -1;
  uint16_t command_ = 0;
  TMenuItem* parent_ = nullptr;
  std::vector<TMenuItem*> items_;
  TMenu* menu_ = nullptr;  // set on a menu's root item only
  void* handle_ = nullptr;
  bool freeing_ = false;
};

class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;
  const char* ClassName() const override { return "TMenu"; }

  // The root item: its sub-items are the menu's items.
  TMenuItem* Items() const { return items_; }

  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);
  // Items are owner-drawn natively; their OnMeasureItem/OnDrawItem (or the
  // default drawing) size and paint them.
  bool OwnerDraw() const { return owner_draw_; }
  void SetOwnerDraw(bool v);

  // The native menu (HMENU on Win32: a menu bar for a TMainMenu, a popup
  // menu otherwise), created with the whole tree on demand; nullptr in the
  // headless flavour.
  void* Handle() { return items_->Handle(); }
  // A menu bar (TMainMenu) rather than a popup.
  virtual bool IsBar() const { return false; }

  // The item of this menu with the command id, the native menu handle
  // (the root item for the menu's own handle) or the shortcut; nullptr
  // when there is none. A shortcut finds only a visible, enabled item
  // whose parents are visible and enabled.
  TMenuItem* FindItem(uintptr_t value, TFindItemKind kind) const;
  // Runs the item with this shortcut, if there is one; true when it ran.
  bool IsShortCut(TShortCut shortcut);

 protected:
  friend class TMenuItem;
  // An item of the menu changed (source), or the menu as a whole (nullptr).
  virtual void MenuChanged(TMenuItem* source) { (void)source; }
  void Notification(TComponent* c, TOperation op) override;
  // True while the menu is being freed: no more notifications.
  bool Freeing() const { return freeing_; }

 private:
  TMenuItem* items_;
  TImageList* images_ = nullptr;
  bool owner_draw_ = false;
  bool freeing_ = false;
};

// The menu bar of a form (TForm::SetMenu).
class TMainMenu : public TMenu {
 public:
  explicit TMainMenu(TComponent* owner) : TMenu(owner) {}
  ~TMainMenu() override;
  const char* ClassName() const override { return "TMainMenu"; }
  bool IsBar() const override { return true; }
  // The form that shows this menu, or nullptr.
  TForm* Form() const { return form_; }

 protected:
  void MenuChanged(TMenuItem* source) override;

 private:
  friend class TForm;
  TForm* form_ = nullptr;
};

class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;
  const char* ClassName() const override { return "TPopupMenu"; }

  // Runs OnPopup, then shows the menu at screen coordinates (x, y) and
  // returns when it has closed. The chosen item's OnClick runs after that,
  // from the event loop. The menu may be freed while it is shown (by a
  // timer, say): it closes and nothing refers to it afterwards.
  virtual void Popup(int x, int y);
  TNotifyEvent OnPopup;

 private:
  std::shared_ptr<bool> alive_;
};

}  // namespace fw
