// The skinned system menu: a popup copy of the window's system menu whose
// items follow the window's state, opened by the caption's icon, a right
// click on the caption and Alt+Space. Each item posts its system command.
// A second opening within the double-click time (a double click on the
// icon) closes the window instead.
#include <string>

#include "framework/imglist.h"
#include "framework/menus.h"
#include "framework/shortcuts.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/win32/win_skin_form.h"
#include "skin/skin_data.h"

namespace skin {

namespace {

// The glyph of a system command in the skin's menu images, -1 for none.
int ImageFor(unsigned cmd) {
  switch (cmd) {
    case SC_RESTORE: return 0;
    case SC_MAXIMIZE: return 1;
    case SC_MINIMIZE: return 2;
    case SC_CLOSE: return 3;
    default: return -1;
  }
}

// What the window's state allows of a system command; -1: the system
// menu's own state stands.
int StateFor(unsigned cmd, int placement, unsigned features) {
  switch (cmd) {
    case SC_MINIMIZE: return placement != kPlaceMinimized && (features & kFeatMinimizeBox);
    case SC_MAXIMIZE: return placement != kPlaceMaximized && (features & kFeatMaximizeBox);
    case SC_RESTORE: return placement != kPlaceNormal;
    case SC_SIZE:
    case SC_MOVE: return placement != kPlaceMaximized ? -1 : 0;
    default: return -1;
  }
}

}  // namespace

void TWinSkinForm::BuildSystemMenu() {
  HWND w = Wnd();
  system_popup_.reset();  // its items tell us they go
  system_images_.reset();
  HMENU sys = GetSystemMenu(w, FALSE);
  if (!sys) return;
  system_images_ = std::make_unique<fw::TImageList>(nullptr);
  const TSkinGlyphList& glyphs = SkinData()->GlyphList();
  system_images_->MaskColor = glyphs.MaskColor;
  system_images_->Add(glyphs.Strip);
  system_popup_ = std::make_unique<fw::TPopupMenu>(nullptr);
  system_popup_->Tag = kSystemMenuTag;
  system_popup_->SetImages(system_images_.get());
  const int n = GetMenuItemCount(sys);
  for (int i = 0; i < n; ++i) {
    char text[81] = {};
    MENUITEMINFOA mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_FTYPE;
    mi.dwTypeData = text;
    mi.cch = sizeof text - 1;
    if (!GetMenuItemInfoA(sys, UINT(i), TRUE, &mi)) continue;
    auto* item = new fw::TMenuItem(system_popup_.get());
    system_popup_->Items()->Add(item);
    if ((mi.fType & MFT_SEPARATOR) || !text[0]) {
      item->SetCaption("-");
      continue;
    }
    std::string caption = text;
    if (size_t tab = caption.find('\t'); tab != std::string::npos) {
      item->SetShortCut(fw::TextToShortCut(caption.substr(tab + 1)));
      caption.resize(tab);
    }
    item->SetCaption(caption);
    const unsigned cmd = mi.wID & kSysCommandMask;
    item->Tag = intptr_t(mi.wID);
    const int allowed = StateFor(cmd, placement_, features_);
    bool enabled = allowed < 0 ? !(mi.fState & (MFS_DISABLED | MFS_GRAYED)) : allowed != 0;
    // A window that cannot be sized offers no Size item.
    if (cmd == SC_SIZE && !sizeable_) enabled = false;
    item->SetEnabled(enabled);
    item->SetChecked(mi.fState & MFS_CHECKED);
    item->SetImageIndex(ImageFor(cmd));
    item->OnClick = [w](fw::TObject* sender) {
      auto* it = static_cast<fw::TMenuItem*>(sender);
      if (IsWindow(w)) PostMessageA(w, WM_SYSCOMMAND, WPARAM(it->Tag), 0);
    };
  }
  // Painted by the skin, with its menu glyphs.
  MakeOwnerDraw(*system_popup_);
}

void TWinSkinForm::OpenSystemMenu(POINT at) {
  HWND w = Wnd();
  const DWORD now = GetTickCount();
  if (last_system_menu_ && now - last_system_menu_ <= GetDoubleClickTime()) {
    // A second click on the icon: the window closes.
    last_system_menu_ = 0;
    if (HotElement()) {
      StopHover();
      PostMessageA(w, WM_CLOSE, 0, 0);
    }
    return;
  }
  last_system_menu_ = now;
  Manager().SetMenuKind(kMenuSystem);
  BuildSystemMenu();
  if (!system_popup_) return;
  std::shared_ptr<bool> alive = AliveToken();
  menu_running_ = true;
  SetForegroundWindow(w);
  system_popup_->Popup(at.x, at.y);
  if (!*alive) return;
  menu_running_ = false;
}

}  // namespace skin
