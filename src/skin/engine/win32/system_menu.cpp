// Building and showing the skinned system menu.
#include "skin/engine/win32/system_menu.h"

#include <string>

#include "framework/imglist.h"
#include "framework/menus.h"
#include "framework/shortcuts.h"
#include "skin/engine/win32/menu_owner_draw.h"
#include "skin/skin_data.h"

namespace skin {

namespace {

// Longest item text copied from the window's system menu.
constexpr int kMaxItemText = 80;

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

TFrameSystemMenu::TFrameSystemMenu(HWND window, TSkinData& data, TMenuOwnerDraw& owner_draw)
    : window_(window), data_(data), owner_draw_(owner_draw) {}

TFrameSystemMenu::~TFrameSystemMenu() = default;

void TFrameSystemMenu::ReadWindowMenu() { window_menu_ = GetSystemMenu(window_, FALSE); }

bool TFrameSystemMenu::RepeatedOpening() {
  const DWORD now = GetTickCount();
  if (last_opening_ && now - last_opening_ <= GetDoubleClickTime()) {
    last_opening_ = 0;
    return true;
  }
  last_opening_ = now;
  return false;
}

void TFrameSystemMenu::FreePopup() { popup_.reset(); }

bool TFrameSystemMenu::Build(const SystemMenuState& state) {
  HWND w = window_;
  popup_.reset();  // its items tell the owner drawing they go
  images_.reset();
  HMENU sys = GetSystemMenu(w, FALSE);
  if (!sys) return false;
  images_ = std::make_unique<fw::TImageList>(nullptr);
  const TSkinGlyphList& glyphs = data_.GlyphList();
  images_->MaskColor = glyphs.MaskColor;
  images_->Add(glyphs.Strip);
  popup_ = std::make_unique<fw::TPopupMenu>(nullptr);
  popup_->Tag = kSystemMenuTag;
  popup_->SetImages(images_.get());
  const int n = GetMenuItemCount(sys);
  for (int i = 0; i < n; ++i) {
    char text[kMaxItemText + 1] = {};
    MENUITEMINFOA mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_FTYPE;
    mi.dwTypeData = text;
    mi.cch = kMaxItemText;
    if (!GetMenuItemInfoA(sys, UINT(i), TRUE, &mi)) continue;
    auto* item = new fw::TMenuItem(popup_.get());
    popup_->Items()->Add(item);
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
    const int allowed = StateFor(cmd, state.placement, state.features);
    bool enabled = allowed < 0 ? !(mi.fState & (MFS_DISABLED | MFS_GRAYED)) : allowed != 0;
    // A window that cannot be sized offers no Size item.
    if (cmd == SC_SIZE && !state.sizeable) enabled = false;
    item->SetEnabled(enabled);
    item->SetChecked(mi.fState & MFS_CHECKED);
    item->SetImageIndex(ImageFor(cmd));
    item->OnClick = [w](fw::TObject* sender) {
      auto* it = static_cast<fw::TMenuItem*>(sender);
      if (IsWindow(w)) PostMessageA(w, WM_SYSCOMMAND, WPARAM(it->Tag), 0);
    };
  }
  // Painted by the skin, with its menu glyphs.
  owner_draw_.MakeOwnerDraw(*popup_);
  return true;
}

void TFrameSystemMenu::Show(POINT at) {
  if (!popup_) return;
  SetForegroundWindow(window_);
  popup_->Popup(at.x, at.y);
}

}  // namespace skin
