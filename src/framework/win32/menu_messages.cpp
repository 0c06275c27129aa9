// What a form and the popup window do with the messages of the menus they
// own: a chosen command runs its item, owner-drawn items are measured and
// painted by their items, a submenu opening clicks its item, accelerators
// of owner-drawn items are found, and keyboard shortcuts of a form's main
// menu run their items.
#include "framework/menus.h"
#include "framework/win32/win32_internal.h"

namespace fw::win32 {
namespace {

TMenuItem* ItemOfData(ULONG_PTR data) { return data <= 0xFFFF ? TMenuItem::FindByCommand(unsigned(data)) : nullptr; }

// Releases a window's DC however the painting ends.
class WindowDC {
 public:
  explicit WindowDC(HWND wnd) : wnd_(wnd), dc_(GetDC(wnd)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(wnd_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND wnd_;
  HDC dc_;
};

class SavedDC {
 public:
  explicit SavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~SavedDC() { RestoreDC(dc_, saved_); }
  SavedDC(const SavedDC&) = delete;
  SavedDC& operator=(const SavedDC&) = delete;

 private:
  HDC dc_;
  int saved_;
};

bool Measure(HWND wnd, TMessage& m) {
  auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
  if (!mis || mis->CtlType != ODT_MENU) return false;
  TMenuItem* item = ItemOfData(mis->itemData);
  if (!item) return false;
  WindowDC dc(wnd);
  if (!dc.get()) return false;
  TDCCanvas canvas(dc.get());
  canvas.Font = Screen().MenuFont();
  int w = int(mis->itemWidth), h = int(mis->itemHeight);
  item->MeasureItem(canvas, w, h);
  mis->itemWidth = UINT(w > 0 ? w : 0);
  mis->itemHeight = UINT(h > 0 ? h : 0);
  m.Result = TRUE;
  return true;
}

bool Draw(TMessage& m) {
  auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
  if (!dis || dis->CtlType != ODT_MENU || !dis->hDC) return false;
  TMenuItem* item = ItemOfData(dis->itemData);
  if (!item) return false;
  SavedDC keep(dis->hDC);
  TDCCanvas canvas(dis->hDC);
  canvas.Font = Screen().MenuFont();
  const RECT& r = dis->rcItem;
  item->DrawItem(canvas, TRect{r.left, r.top, r.right, r.bottom}, (dis->itemState & ODS_SELECTED) != 0);
  m.Result = TRUE;
  return true;
}

// The entry of an owner-drawn menu whose caption has the typed accelerator:
// the system cannot see those captions.
bool MenuChar(TMessage& m) {
  TMenuItem* parent = TMenuItem::FindByHandle(reinterpret_cast<void*>(m.LParam));
  if (!parent) return false;
  const unsigned ch = LOWORD(m.WParam);
  int pos = 0;
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* it = parent->Items(i);
    if (!it->Visible()) continue;
    if (it->Enabled() && IsAccel(ch, it->Caption())) {
      m.Result = MAKELRESULT(pos, MNC_EXECUTE);
      return true;
    }
    ++pos;
  }
  return false;
}

}  // namespace

bool MenuMessage(HWND wnd, TMessage& m) {
  switch (m.Msg) {
    case WM_COMMAND:
      // From a menu (0) or an accelerator (1); controls send their window.
      if (m.LParam == 0 && HIWORD(m.WParam) <= 1) {
        if (TMenuItem* item = TMenuItem::FindByCommand(LOWORD(m.WParam))) {
          item->Click();
          m.Result = 0;
          return true;
        }
      }
      return false;
    case WM_MEASUREITEM: return Measure(wnd, m);
    case WM_DRAWITEM: return Draw(m);
    case WM_INITMENUPOPUP:
      // The item whose submenu opens is clicked, so that its handler can
      // set the states of the sub-items first; the system goes on as usual.
      if (!HIWORD(m.LParam))
        if (TMenuItem* item = TMenuItem::FindByHandle(reinterpret_cast<void*>(m.WParam))) item->Click();
      return false;
    case WM_MENUCHAR: return MenuChar(m);
    case WM_EXITMENULOOP:
      FlushDeferredMenus();
      return false;
    default: return false;
  }
}

bool MenuShortCut(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  const WPARAM vk = msg.wParam;
  if (vk == 0 || vk > 0xFF || vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU) return false;
  TWinControl* c = FindOwningControl(msg.hwnd);
  TForm* f = c ? c->GetParentForm() : nullptr;
  if (!f || !f->Menu() || !f->Enabled()) return false;
  TShortCut sc = TShortCut(vk);
  if (GetKeyState(VK_SHIFT) < 0) sc |= scShift;
  if (GetKeyState(VK_CONTROL) < 0) sc |= scCtrl;
  if (msg.lParam & (1 << 29)) sc |= scAlt;  // the key came with Alt held
  try {
    return f->Menu()->IsShortCut(sc);
  } catch (...) {
    // The item's handler failed; the key was still its.
    return true;
  }
}

}  // namespace fw::win32
