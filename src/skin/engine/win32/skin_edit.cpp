// Edits: the system paints the edit; after it has drawn the border, when
// the window has one, the skin's frame goes over that border (a line in the skin's
// shadow colour and two white ones inside it). Edits without a border are
// left as they are.
#include "skin/engine/win32/control_skins.h"

#include "skin/engine/skin_messages.h"
#include "skin/paint/edit_painter.h"
#include "skin/skin_data.h"

namespace skin {

bool TSkinEdit::BeforeMessage(fw::TMessage& m) {
  if (m.Msg == msg::kPaintEditOnDC && m.LParam == msg::kMagic) {
    fw::TMessage paint{WM_PAINT, m.WParam, 0, 0};
    CallOwn(paint);
    PaintWindow(reinterpret_cast<HDC>(m.WParam));
    m.Result = msg::kMagic;
    return false;
  }
  return TSkinControl::BeforeMessage(m);
}

void TSkinEdit::AfterMessage(fw::TMessage& m) {
  switch (m.Msg) {
    case WM_NCPAINT:
      // The border is the window's non-client area, which the edit's own
      // painting of its text never touches: the frame goes over it after
      // the system has drawn the border.
      PaintWindow(nullptr);
      return;
    case WM_PRINT: PaintWindow(reinterpret_cast<HDC>(m.WParam)); return;
    default: TSkinControl::AfterMessage(m);
  }
}

void TSkinEdit::Draw(HDC dc, const RECT& r) {
  RECT client;
  GetClientRect(window_, &client);
  paint::EditState s;
  s.width = r.right - r.left;
  s.height = r.bottom - r.top;
  s.client_width = client.right;
  s.client_height = client.bottom;
  if (!paint::EditHasBorder(s)) return;
  fw::TBitmap bmp;
  const fw::TRect inner = paint::PaintEditFrame(bmp, *data_, s);
  Put(dc, bmp, inner);
}

}  // namespace skin
