// TWinSkinPopMenu: the skin of one popup-menu window ("#32768"). It takes
// over the menu window's procedure for as long as the window lives, paints
// the menu's border from the skin's menu background (which the skinned
// items draw over too), and gives the procedure back cleanly when the
// window goes.
#pragma once

#include "framework/win32/win32_widgetset.h"

#include "framework/bitmap.h"
#include "skin/engine/skin_frame.h"
#include "skin/engine/win32/subclass.h"

namespace skin {

class TSkinManage;

class TWinSkinPopMenu final : public TPopupSkin {
 public:
  TWinSkinPopMenu(TSkinManage& manager, HWND w, TSkinData* data);
  ~TWinSkinPopMenu() override;
  void Attach();
  void Detach() override;

  // The menu background rendered at the window's size (empty without the
  // skin's image), and where the window's client area begins on it.
  const fw::TBitmap& Background() const { return background_; }
  POINT ClientOrigin() const;
  // The skin of a popup-menu window, if it has one.
  static TWinSkinPopMenu* Of(HWND w);

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT CallOld(UINT msg, WPARAM wp, LPARAM lp);
  // Renders the background when the window has a new size.
  bool Render();
  void PaintBorder(HRGN update);
  // What the system fills of the window when it paints the menu inside
  // its client area (window coordinates): everything but the items, and
  // the border bands always.
  HRGN SystemFilledRegion() const;
  // Paints the skin's border and background over the system's after the
  // menu's own painting: on the DC given, or on the window DC.
  void PaintOverSystemFrame(HDC given);
  HWND Wnd() const { return static_cast<HWND>(Window()); }

  TSkinManage& manager_;
  TWindowSubclass subclass_;
  fw::TBitmap background_;
};

}  // namespace skin
