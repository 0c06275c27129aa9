// Any container the skin loader accepts becomes a TSkinData, and every
// painter draws every control kind and state from it onto bitmaps of any
// size; the sanitizers and the library's bounds checks catch every read or
// write outside a bitmap or a skin image.
//
// Input: 32 bytes that choose sizes and states, then an expanded container
// (compressed here, as a skin is stored).
#include <cstdlib>
#include <vector>

#include "framework/headless/headless.h"
#include "skin/lzh.h"
#include "skin/lzh_encoder.h"
#include "skin/paint/button_painter.h"
#include "skin/paint/check_painter.h"
#include "skin/paint/combo_painter.h"
#include "skin/paint/edit_painter.h"
#include "skin/paint/frame_painter.h"
#include "skin/paint/group_box_painter.h"
#include "skin/paint/menu_painter.h"
#include "skin/paint/status_bar_painter.h"
#include "skin/skin_data.h"
#include "skin/skin_reader.h"

namespace {

namespace paint = skin::paint;

constexpr size_t kChoices = 32;

// Sizes and states taken in turn from the input's first bytes.
class Choices {
 public:
  explicit Choices(const uint8_t* bytes) : bytes_(bytes) {}
  unsigned Byte() {
    const size_t i = next_++;
    return bytes_[i % kChoices] ^ unsigned((i + 1) / kChoices);
  }
  bool Flag() { return Byte() & 1; }
  int Size() { return int(Byte() % 72); }  // 0 and 1 included
  int Between(int lo, int hi) { return lo + int(Byte() % unsigned(hi - lo + 1)); }
  fw::TRect Rect(int w, int h) {
    const int l = Between(-4, w + 4), t = Between(-4, h + 4);
    return {l, t, l + Between(-2, w + 4), t + Between(-2, h + 4)};
  }
  std::wstring Caption() {
    static const wchar_t* kCaptions[] = {L"", L"&Save Settings", L"\u00e9&&x", L"&", L"Read Settings and a long text"};
    return kCaptions[Byte() % std::size(kCaptions)];
  }

 private:
  const uint8_t* bytes_;
  size_t next_ = 0;
};

void PaintAll(const TSkinData& skin, Choices& c) {
  fw::TBitmap out, back(c.Size(), c.Size());
  fw::TFont font;

  for (int k = 0; k < 4; ++k) {
    paint::ButtonState b;
    b.width = c.Size(), b.height = c.Size();
    b.pressed = c.Flag(), b.hot = c.Flag(), b.focused = c.Flag(), b.enabled = c.Flag();
    b.caption = c.Caption(), b.right_to_left = c.Flag();
    if (c.Flag()) b.background = &back;
    paint::PaintButton(out, skin, b);

    paint::CheckState ch;
    ch.width = c.Size(), ch.height = c.Size();
    ch.radio = c.Flag(), ch.enabled = c.Flag(), ch.focused = c.Flag();
    ch.data_binding = c.Flag();
    if (c.Flag()) ch.data_field_check = c.Between(-1, 3);
    if (c.Flag()) ch.state = c.Flag() ? "cbChecked" : "cbGrayed";
    if (c.Flag()) ch.checked = c.Flag() ? "True" : "False";
    ch.button_state = int(c.Byte());
    ch.left_text = c.Flag(), ch.right_to_left = c.Flag(), ch.caption = c.Caption();
    if (c.Flag()) ch.background = &back;
    paint::PaintCheck(out, skin, ch);

    paint::ComboState co;
    co.width = c.Size(), co.height = c.Size();
    co.pressed = c.Flag(), co.focused = c.Flag(), co.hot = c.Flag(), co.enabled = c.Flag();
    co.left_scroll = c.Flag(), co.button_width = c.Between(-2, 40), co.thumb_width = c.Between(-2, 40);
    paint::PaintCombo(out, skin, co);

    paint::EditState e;
    e.width = c.Size(), e.height = c.Size();
    e.client_width = c.Between(-2, e.width + 2), e.client_height = c.Between(-2, e.height + 2);
    paint::PaintEditFrame(out, skin, e);

    paint::GroupBoxState g;
    g.width = c.Size(), g.height = c.Size();
    g.caption = c.Caption(), g.right_aligned = c.Flag(), g.right_to_left = c.Flag();
    paint::PaintGroupBox(out, skin, g);

    paint::MenuItemState m;
    m.width = c.Size(), m.height = c.Size();
    m.caption = c.Caption(), m.shortcut = c.Flag() ? L"Ctrl+S" : L"";
    m.separator = c.Flag(), m.enabled = c.Flag(), m.selected = c.Flag(), m.checked = c.Flag();
    if (c.Flag()) m.glyph = &back;
    m.has_images = c.Flag();
    const fw::TBitmap menu_back = paint::RenderMenuBackground(skin, c.Size(), c.Size());
    if (c.Flag()) m.background = &menu_back;
    m.background_x = c.Between(-8, 80), m.background_y = c.Between(-8, 80);
    m.right_to_left = c.Flag();
    paint::PaintMenuItem(out, skin, m);
    (void)paint::MenuItemWidth(skin, c.Size(), c.Flag(), c.Flag());
    (void)paint::MenuItemHeight(skin, font, c.Flag());

    const int bw = c.Size(), bh = c.Size();
    const fw::TBitmap bar_back = paint::RenderMenuBarBackground(skin, bw, bh, c.Flag());
    std::vector<paint::MenuBarItem> items;
    for (int i = c.Between(0, 3); i > 0; --i)
      items.push_back({c.Rect(bw, bh), c.Caption(), c.Flag(), c.Between(0, 4)});
    fw::TBitmap bar(bw, bh);
    paint::PaintMenuBar(bar, skin, bar_back, items, font);
    for (const paint::MenuBarItem& item : items) paint::PaintMenuBarItem(bar, skin, bar_back, item, font);

    paint::StatusBarState sb;
    sb.width = c.Size(), sb.height = c.Size();
    sb.simple = c.Flag(), sb.simple_text = c.Caption(), sb.right_to_left = c.Flag(), sb.size_grip = c.Flag();
    for (int i = c.Between(0, 3); i > 0; --i) {
      paint::StatusPanelState p;
      p.rect = c.Rect(sb.width, sb.height), p.text = c.Caption();
      p.bevel = paint::PanelBevel(c.Between(0, 2)), p.alignment = paint::PanelAlignment(c.Between(0, 2));
      p.right_to_left = c.Flag(), p.owner_draw = c.Flag();
      sb.panels.push_back(p);
    }
    paint::PaintStatusBar(out, skin, sb);

    // The frame: its four parts, the caption with its buttons and texts,
    // and the region of its border.
    const bool active = c.Flag();
    for (paint::BorderPart part : {paint::kPartLeft, paint::kPartRight, paint::kPartCaption, paint::kPartBottom})
      (void)paint::RenderBorderPart(skin, part, c.Size(), c.Size(), active);
    paint::CaptionPaint cap;
    cap.width = c.Size(), cap.height = c.Size(), cap.left = c.Between(0, 8), cap.right = c.Between(0, 8);
    cap.active = active, cap.minimized = c.Flag();
    for (const auto& sys : skin.SysButtons())
      if (c.Flag()) cap.buttons.push_back({sys.get(), c.Rect(cap.width, cap.height), c.Between(0, 4), c.Flag()});
    if (c.Flag()) cap.icon = &back;
    paint::CaptionText t;
    t.text = c.Caption(), t.rect = c.Rect(cap.width, cap.height), t.flags = c.Byte();
    if (c.Flag()) t.back = &back, t.back_rect = c.Rect(back.Width(), back.Height());
    cap.texts.push_back(t);
    fw::TBitmap strip(cap.width, cap.height);
    paint::PaintCaption(strip, skin, cap);
    paint::FrameGeometry geometry{c.Size(), c.Size(), c.Between(0, 8), c.Between(0, 30), c.Between(0, 8), c.Between(0, 8)};
    std::vector<fw::TRect> runs;
    (void)paint::FrameRegionRuns(skin, geometry, active, runs);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kChoices) return 0;
  fw::headless::ResetScripts();  // the version check's boxes pile up otherwise
  Choices choices(data);
  const std::span<const uint8_t> container(data + kChoices, size - kChoices);

  TSkinData skin(nullptr);
  skin.SkinFormtype = sfDialog;  // loaded, not handed to a skin manager
  try {
    skin.LoadSkinFromStream(skin::LzhCompress(container));
  } catch (const fw::Exception&) {  // a damaged skin: ElzhException, ESkinError
    return 0;
  }
  if (!skin.SkinLoaded()) return 0;
  PaintAll(skin, choices);
  return 0;
}
