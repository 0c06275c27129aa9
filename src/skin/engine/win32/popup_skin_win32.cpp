#include "skin/engine/win32/popup_skin_win32.h"

#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/paint/menu_painter.h"
#include "skin/paint/win32/gdi_bitmap.h"
#include "skin/skin_data.h"

namespace skin {

namespace {
constexpr char kPopupProp[] = "GsmSkinPopup";
constexpr char kPopupOldProp[] = "GsmSkinPopupProc";
// The menu shown in a popup-menu window.
constexpr UINT kGetMenuOfWindow = 0x01E1;  // MN_GETHMENU
// The DC takes the window's clipping style.
constexpr DWORD kDcxUseStyle = 0x10000;
// The width of the border bands the skin always paints over the system's
// frame.
constexpr int kBorderBand = 3;
}  // namespace

TWinSkinPopMenu::TWinSkinPopMenu(TSkinManage& manager, HWND w, TSkinData* data)
    : TPopupSkin(w, data), manager_(manager), subclass_(kPopupProp, kPopupOldProp, &TWinSkinPopMenu::Proc) {}

TWinSkinPopMenu::~TWinSkinPopMenu() { Detach(); }

TWinSkinPopMenu* TWinSkinPopMenu::Of(HWND w) {
  return static_cast<TWinSkinPopMenu*>(TWindowSubclass::Owner(w, kPopupProp));
}

void TWinSkinPopMenu::Attach() { subclass_.Install(Wnd(), this, TWindowSubclass::Charset::Ansi); }

void TWinSkinPopMenu::Detach() {
  background_ = fw::TBitmap();
  subclass_.Remove();
}

POINT TWinSkinPopMenu::ClientOrigin() const {
  HWND w = Wnd();
  RECT wr;
  GetWindowRect(w, &wr);
  POINT p{0, 0};
  ClientToScreen(w, &p);
  return POINT{p.x - wr.left, p.y - wr.top};
}

LRESULT CALLBACK TWinSkinPopMenu::Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  auto* p = Of(w);
  if (!p) return TWindowSubclass::PassOn(w, kPopupOldProp, TWindowSubclass::Charset::Ansi, msg, wp, lp);
  try {
    return p->WndProc(msg, wp, lp);
  } catch (...) {
    return 0;
  }
}

LRESULT TWinSkinPopMenu::CallOld(UINT msg, WPARAM wp, LPARAM lp) { return subclass_.CallPrevious(msg, wp, lp); }

bool TWinSkinPopMenu::Render() {
  RECT wr;
  GetWindowRect(Wnd(), &wr);
  const int w = wr.right - wr.left, h = wr.bottom - wr.top;
  if (background_.Width() != w || background_.Height() != h) background_ = paint::RenderMenuBackground(*SkinData(), w, h);
  return !background_.Empty();
}

void TWinSkinPopMenu::PaintBorder(HRGN update) {
  HWND w = Wnd();
  // The update region is in screen coordinates; 1 stands for the whole
  // window.
  HDC dc = reinterpret_cast<uintptr_t>(update) > 1 ? GetDCEx(w, update, DCX_WINDOW | DCX_INTERSECTRGN | kDcxUseStyle)
                                                   : GetWindowDC(w);
  if (!dc) return;
  RECT cr;
  GetClientRect(w, &cr);
  const POINT o = ClientOrigin();
  // Only the border: the items inside are the menu's own painting.
  ExcludeClipRect(dc, o.x, o.y, o.x + cr.right, o.y + cr.bottom);
  win32::Blit(dc, 0, 0, background_);
  ReleaseDC(w, dc);
}

HRGN TWinSkinPopMenu::SystemFilledRegion() const {
  HWND w = Wnd();
  RECT wr;
  GetWindowRect(w, &wr);
  const int width = wr.right - wr.left, height = wr.bottom - wr.top;
  HRGN rgn = CreateRectRgn(0, 0, width, height);
  // The items are the menu's own (or the skin's item painter's) drawing;
  // the border bands are the skin's whatever the items cover.
  const RECT inner{kBorderBand, kBorderBand, width - kBorderBand, height - kBorderBand};
  auto menu = reinterpret_cast<HMENU>(SendMessageA(w, kGetMenuOfWindow, 0, 0));
  const int n = menu && IsMenu(menu) ? GetMenuItemCount(menu) : 0;
  for (int i = 0; i < n; ++i) {
    RECT r;
    if (!GetMenuItemRect(nullptr, menu, UINT(i), &r)) continue;
    OffsetRect(&r, -wr.left, -wr.top);
    if (!IntersectRect(&r, &r, &inner)) continue;
    HRGN item = CreateRectRgnIndirect(&r);
    CombineRgn(rgn, rgn, item, RGN_DIFF);
    DeleteObject(item);
  }
  return rgn;
}

void TWinSkinPopMenu::PaintOverSystemFrame(HDC given) {
  HWND w = Wnd();
  // A DC that comes with the message has the client origin at (0, 0);
  // the window DC has the window's.
  HDC dc = given ? given : GetWindowDC(w);
  if (!dc) return;
  POINT origin{0, 0};
  if (given) {
    const POINT o = ClientOrigin();
    origin = POINT{-o.x, -o.y};
  }
  HRGN rgn = SystemFilledRegion();
  OffsetRgn(rgn, origin.x, origin.y);
  const int saved = SaveDC(dc);
  ExtSelectClipRgn(dc, rgn, RGN_AND);
  win32::Blit(dc, origin.x, origin.y, background_);
  RestoreDC(dc, saved);
  DeleteObject(rgn);
  if (!given) ReleaseDC(w, dc);
}

LRESULT TWinSkinPopMenu::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  HWND w = Wnd();
  if (msg == msg::kQuerySkinned) return 1;
  if (!manager_.Active()) return CallOld(msg, wp, lp);
  switch (msg) {
    case WM_DESTROY:
      // Given back first; the message still goes to the procedure we
      // replaced.
      Detach();
      return CallOld(msg, wp, lp);
    case WM_ERASEBKGND:
      // With the menu background option the skinned items paint it all.
      if (!SkinData()->Options.Contains(xoMenuBG)) CallOld(msg, wp, lp);
      return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      // Some systems draw the menu's frame and background inside its
      // client painting: the skin goes over them once the menu is done. The
      // background is rendered first, for the skinned items to draw on.
      const bool skinned = Render();
      const LRESULT r = CallOld(msg, wp, lp);
      if (skinned && Of(w) == this) PaintOverSystemFrame(msg == WM_PRINTCLIENT ? reinterpret_cast<HDC>(wp) : nullptr);
      return r;
    }
    case WM_NCPAINT:
      if (!Render()) return CallOld(msg, wp, lp);
      PaintBorder(reinterpret_cast<HRGN>(wp));
      return 0;
    case WM_PRINT: {
      HDC dc = reinterpret_cast<HDC>(wp);
      if (!dc || !Render()) return CallOld(msg, wp, lp);
      win32::Blit(dc, 0, 0, background_);
      RECT cr;
      GetClientRect(w, &cr);
      const POINT o = ClientOrigin();
      const int saved = SaveDC(dc);
      IntersectClipRect(dc, o.x, o.y, o.x + cr.right, o.y + cr.bottom);
      SetBkMode(dc, TRANSPARENT);
      const LRESULT r = CallOld(msg, wp, lp & ~LPARAM(PRF_NONCLIENT | PRF_ERASEBKGND));
      RestoreDC(dc, saved);
      return r;
    }
    default: return CallOld(msg, wp, lp);
  }
}

}  // namespace skin
