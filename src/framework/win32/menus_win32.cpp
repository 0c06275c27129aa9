// Native menus: HMENUs filled from the items, popup menus tracked for the
// hidden popup window, and native menus freed only once no menu loop can
// still be using them.
#include <cstring>
#include <vector>

#include "framework/menu_widgetset.h"
#include "framework/menus.h"
#include "framework/win32/win32_internal.h"

namespace fw::win32 {
namespace {

const char kPopupClass[] = "TPopupList";

// Takes every entry out of a menu without freeing the submenus they open:
// each item frees its own native menu.
void RemoveAll(HMENU menu) {
  for (int n = GetMenuItemCount(menu); n > 0; --n) RemoveMenu(menu, UINT(n - 1), MF_BYPOSITION);
}

LRESULT CALLBACK PopupWindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  TMessage m{msg, wp, lp, 0};
  try {
    if (MenuMessage(wnd, m)) return m.Result;
  } catch (...) {
    // A handler's failure stays inside the handler.
    return 0;
  }
  return DefWindowProcA(wnd, msg, wp, lp);
}

class Win32MenuWidgetSet final : public TMenuWidgetSet {
 public:
  void* CreateMenu(bool bar) override {
    FlushDeferred();
    return bar ? ::CreateMenu() : ::CreatePopupMenu();
  }

  void DestroyMenu(void* menu) override {
    HMENU h = static_cast<HMENU>(menu);
    if (!h) return;
    // A menu loop may still be showing it (a popup menu freed by a timer,
    // a form's drop-down whose item went away): it goes when the loop ends.
    if (InMenuLoop()) {
      deferred_.push_back(h);
      return;
    }
    FlushDeferred();
    RemoveAll(h);
    ::DestroyMenu(h);
  }

  void FillMenu(void* menu, TMenuItem& parent) override {
    HMENU h = static_cast<HMENU>(menu);
    RemoveAll(h);
    UINT pos = 0;
    for (int i = 0; i < parent.Count(); ++i) {
      TMenuItem* it = parent.Items(i);
      if (!it->Visible()) continue;
      std::string text = it->Caption();
      const std::string sc = ShortCutToText(it->ShortCut());
      if (!sc.empty()) text += "\t" + sc;
      MENUITEMINFOA mi{};
      mi.cbSize = sizeof mi;
      mi.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU | MIIM_STRING;
      if (it->IsLine()) mi.fType |= MFT_SEPARATOR;
      if (it->IsOwnerDraw()) mi.fType |= MFT_OWNERDRAW;
      if (!it->Enabled()) mi.fState |= MFS_DISABLED;
      if (it->Checked()) mi.fState |= MFS_CHECKED;
      mi.wID = it->Command();
      // Owner drawing finds the item by this: the id of an entry that
      // opens a submenu is not reported the same way everywhere.
      mi.dwItemData = it->Command();
      mi.hSubMenu = it->Count() > 0 ? static_cast<HMENU>(it->Handle()) : nullptr;
      mi.dwTypeData = text.data();
      mi.cch = UINT(text.size());
      InsertMenuItemA(h, pos++, TRUE, &mi);
    }
  }

  void Popup(TPopupMenu& menu, int x, int y) override {
    HMENU h = static_cast<HMENU>(menu.Handle());
    HWND owner = Owner();
    if (!h || !owner) return;
    shown_ = &menu;
    ++tracking_;
    // The chosen command is posted to the owner, which runs the item's
    // Click from the event loop once the menu has closed.
    TrackPopupMenu(h, TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
    --tracking_;
    shown_ = nullptr;
    FlushDeferred();
  }

  void PopupFreed(TPopupMenu& menu) override {
    if (shown_ != &menu) return;
    shown_ = nullptr;
    EndMenu();
  }

  TFont MenuFont() const override {
    TFont f;
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof ncm;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) {
      const LOGFONTA& lf = ncm.lfMenuFont;
      f.Name = std::string(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
      f.Height = lf.lfHeight;
      f.Style = (lf.lfWeight >= FW_BOLD ? fsBold : 0u) | (lf.lfItalic ? fsItalic : 0u) |
                (lf.lfUnderline ? fsUnderline : 0u) | (lf.lfStrikeOut ? fsStrikeOut : 0u);
      f.Charset = lf.lfCharSet;
    }
    f.Color = clMenuText;
    return f;
  }

  // After a menu loop: the system may still count the loop as running
  // while it tells its end, so what cannot go now goes from the event loop.
  void FlushAfterLoop() {
    FlushDeferred();
    if (deferred_.empty() || flush_posted_) return;
    flush_posted_ = WidgetSet().Post([this] {
      flush_posted_ = false;
      FlushDeferred();
    });
  }

  void FlushDeferred() {
    if (deferred_.empty() || InMenuLoop()) return;
    std::vector<HMENU> menus;
    menus.swap(deferred_);
    // All entries out first: no menu frees another's submenu with it.
    for (HMENU h : menus) RemoveAll(h);
    for (HMENU h : menus) ::DestroyMenu(h);
  }

  HWND Owner() {
    if (owner_ && IsWindow(owner_)) return owner_;
    HINSTANCE inst = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = PopupWindowProc;
    wc.hInstance = inst;
    wc.lpszClassName = kPopupClass;
    RegisterClassExA(&wc);
    owner_ = CreateWindowExA(0, kPopupClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, inst, nullptr);
    return owner_;
  }

 private:
  bool InMenuLoop() const {
    if (tracking_ > 0) return true;
    GUITHREADINFO gi{};
    gi.cbSize = sizeof gi;
    return GetGUIThreadInfo(GetCurrentThreadId(), &gi) && (gi.flags & GUI_INMENUMODE);
  }

  TPopupMenu* shown_ = nullptr;
  int tracking_ = 0;
  HWND owner_ = nullptr;
  std::vector<HMENU> deferred_;
  bool flush_posted_ = false;
};

Win32MenuWidgetSet& Menus() {
  static Win32MenuWidgetSet* ws = new Win32MenuWidgetSet;
  return *ws;
}

}  // namespace

void FlushDeferredMenus() { Menus().FlushAfterLoop(); }

HWND PopupMenuOwner() { return Menus().Owner(); }

}  // namespace fw::win32

namespace fw {

TMenuWidgetSet& MenuWidgetSet() { return win32::Menus(); }

}  // namespace fw
