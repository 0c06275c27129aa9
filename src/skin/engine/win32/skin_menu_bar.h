// TWinSkinMenu: a window's menu bar painted by the skin in the non-client
// area of its frame, one TMenuBtn per top-level item. The system's menu bar
// is taken away while the skin shows its own (and given back on restore).
#pragma once

#include "framework/win32/win32_widgetset.h"

#include <memory>
#include <string>
#include <vector>

#include "framework/bitmap.h"
#include "framework/component.h"
#include "skin/engine/frame_rules.h"
#include "skin/engine/nc_object.h"

class TSkinData;
namespace fw {
class TForm;
class TMainMenu;
class TMenuItem;
}  // namespace fw

namespace skin {

// What the bar needs of the frame that shows it: the window, its framework
// form (if any), the frame's measures and reading order, and the frame's
// rules for the hot element.
class TMenuBarHost : public TNCHost {
 public:
  virtual HWND Wnd() const = 0;
  virtual fw::TForm* Form() const = 0;
  virtual const FrameMetrics& Metrics() const = 0;
  virtual bool RightToLeft() const = 0;
};

// One item of the bar.
class TMenuBtn : public TNCObject {
 public:
  TMenuBtn(TNCHost& host, int index) : TNCObject(host), Index(index) {}
  int Index;
  std::wstring Caption;
  bool Enabled = true;
  bool ItemVisible = true;
  UINT Command = 0;
  HMENU SubMenu = nullptr;  // null for a command item
  fw::TMenuItem* Item = nullptr;
};

class TWinSkinMenu : public fw::TComponent {
 public:
  TWinSkinMenu(TMenuBarHost& frame, TSkinData& data);
  ~TWinSkinMenu() override;
  const char* ClassName() const override { return "TWinSkinMenu"; }

  // Takes the items of the framework form's menu, or of the window's menu
  // bar, and takes the system's bar away.
  void LoadItems();
  // Item rectangles in window coordinates for a window of width W.
  void Layout(int W);
  // Paints the bar in (L, T, W - R, T + M) of the window DC.
  void PaintBar(HDC dc, bool active);
  // Repaints one item in its state over the saved bar background.
  void PaintItem(HDC dc, const TMenuBtn& b);
  // The item under a window point, or null.
  TMenuBtn* ItemAt(int x, int y) const;
  // The item whose caption has the accelerator (0: the first item), or null.
  TMenuBtn* ItemForKey(unsigned key) const;
  // The item whose sub-menu is this menu, or null.
  TMenuBtn* ItemOfSubMenu(HMENU menu) const;
  const std::vector<std::unique_ptr<TMenuBtn>>& Items() const { return items_; }
  int VisibleCount() const;
  // The window's menu bar as it was: given back on restore.
  HMENU WindowMenu() const { return window_menu_; }

 private:
  TMenuBarHost& frame_;
  TSkinData& data_;
  std::vector<std::unique_ptr<TMenuBtn>> items_;
  HMENU window_menu_ = nullptr;
  fw::TBitmap background_;
  bool painting_ = false;
};

}  // namespace skin
