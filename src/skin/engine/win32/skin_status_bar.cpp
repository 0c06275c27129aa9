// Status bars: painted whole by the skin, panel by panel with the skin's
// panel edges and the panels' texts, the size grip from the skin, and the
// bar's own labels and shapes (the configurator's two lamps) on the same
// picture.
#include "skin/engine/win32/control_skins.h"

#include <commctrl.h>

#include "framework/extctrls.h"
#include "skin/paint/status_bar_painter.h"
#include "skin/engine/property_access.h"
#include "skin/paint/text.h"
#include "skin/skin_data.h"

namespace skin {

bool TSkinStatusBar::BeforeMessage(fw::TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT: AnswerPaint(m); return false;
    case WM_ERASEBKGND: m.Result = 1; return false;
    default: return TSkinControl::BeforeMessage(m);
  }
}

void TSkinStatusBar::AfterMessage(fw::TMessage& m) {
  switch (m.Msg) {
    case SB_SETTEXTA:
    case SB_SETTEXTW:
    case SB_SETPARTS:
    case SB_SIMPLE:
    case WM_SIZE: Repaint(); return;
    default: TSkinControl::AfterMessage(m);
  }
}

void TSkinStatusBar::Draw(HDC dc, const RECT& r) {
  paint::StatusBarState s;
  s.width = r.right - r.left;
  s.height = r.bottom - r.top;
  s.size_grip = GetWindowLongPtrA(window_, GWL_STYLE) & SBARS_SIZEGRIP;
  s.right_to_left = GetWindowLongPtrA(window_, GWL_EXSTYLE) & WS_EX_RTLREADING;
  s.font = ControlFont();
  const int parts = int(SendMessageA(window_, SB_GETPARTS, 0, 0));
  s.simple = SendMessageA(window_, SB_ISSIMPLE, 0, 0) || parts <= 0;
  auto* bar = dynamic_cast<fw::TStatusBar*>(control_);
  if (s.simple) {
    s.simple_text = bar ? props::ReadText(*bar, "simpletext") : caption_;
  } else {
    for (int i = 0; i < parts && i < 256; ++i) {
      paint::StatusPanelState p;
      RECT pr{};
      SendMessageA(window_, SB_GETRECT, WPARAM(i), reinterpret_cast<LPARAM>(&pr));
      p.rect = {pr.left, pr.top, pr.right, pr.bottom};
      if (bar && size_t(i) < bar->Panels().size()) {
        p.text = paint::Widen(bar->Panels()[size_t(i)].Text);
      } else {
        const LRESULT len = SendMessageW(window_, SB_GETTEXTLENGTHW, WPARAM(i), 0);
        p.owner_draw = HIWORD(len) & SBT_OWNERDRAW;
        std::wstring text(size_t(std::min<int>(LOWORD(len), 1024)) + 1, L'\0');
        const LRESULT got = SendMessageW(window_, SB_GETTEXTW, WPARAM(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(std::min<size_t>(LOWORD(got), text.size() - 1));
        p.text = text;
      }
      s.panels.push_back(p);
    }
  }
  fw::TBitmap bmp;
  paint::PaintStatusBar(bmp, *data_, s);
  PaintGraphicChildrenInto(bar, bmp);
  Put(dc, bmp);
}

}  // namespace skin
