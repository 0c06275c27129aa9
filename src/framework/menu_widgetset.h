// The native side of menus, one per flavour (framework/win32 or
// framework/headless, chosen by the build), like TWidgetSet for controls.
// Menus keep their whole state in the items; the native menus (HMENU on
// Win32) only mirror it and are filled again from the items when they
// change.
#pragma once

#include "framework/graphics.h"

namespace fw {

class TMenuItem;
class TPopupMenu;

class TMenuWidgetSet {
 public:
  virtual ~TMenuWidgetSet() = default;

  // A new, empty native menu: a menu bar, or a drop-down or popup menu.
  // nullptr when the flavour has no native menus.
  virtual void* CreateMenu(bool bar) = 0;
  // Frees a native menu made by CreateMenu. The native menus of its
  // sub-items are not freed with it: each item frees its own.
  virtual void DestroyMenu(void* menu) = 0;
  // Replaces the entries of the native menu of parent by its visible
  // sub-items (captions, shortcuts, states, owner drawing, the native menus
  // of sub-items that have sub-items).
  virtual void FillMenu(void* menu, TMenuItem& parent) = 0;

  // Shows the popup menu at screen coordinates and returns when it has
  // closed. The chosen item's Click runs afterwards on the GUI thread.
  virtual void Popup(TPopupMenu& menu, int x, int y) = 0;
  // The menu is being freed: if it is being shown, it is closed.
  virtual void PopupFreed(TPopupMenu& menu) = 0;

  // The font the system draws menus in.
  virtual TFont MenuFont() const = 0;
};

TMenuWidgetSet& MenuWidgetSet();

}  // namespace fw
