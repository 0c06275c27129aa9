#include "skin/engine/frame_rules.h"

#include <algorithm>

#include "skin/engine/skin_messages.h"
#include "skin/skin_data.h"

namespace skin {

bool IsDialogClass(const std::string& class_name) {
  return class_name == "#32770" || class_name == "TMessageForm";
}

int BorderKindOf(uint32_t style, uint32_t ex_style, bool dialog_class) {
  if ((style & sys::kCaption) != sys::kCaption) return kBorderNoCaption;
  if (dialog_class || (ex_style & sys::kExDlgModalFrame)) return kBorderDialog;
  if (style & sys::kThickFrame) return kBorderSizeable;
  if (style & sys::kDsModalFrame) return kBorderDialog;
  return kBorderFixed;
}

int PlacementFromShowCommand(unsigned show_cmd) {
  if (show_cmd == 3) return kPlaceMaximized;
  if (show_cmd == 2 || show_cmd == 6 || show_cmd == 7) return kPlaceMinimized;
  return kPlaceNormal;
}

int PlacementFromSizeType(uintptr_t size_type) {
  if (size_type == 1) return kPlaceMinimized;
  if (size_type == 2) return kPlaceMaximized;
  return kPlaceNormal;
}

namespace {

int Share(int size, int frames) { return size / std::max(frames, 1); }

}  // namespace

FrameMetrics BorderMetrics(const TSkinData& skin, int border_kind) {
  FrameMetrics m;
  if (border_kind == kBorderNoCaption) return m;
  if (const auto* b = skin.Left()) m.left = Share(b->Image.Width(), b->Frames);
  if (const auto* b = skin.Top()) m.top = Share(b->Image.Height(), b->Frames);
  if (const auto* b = skin.Right()) m.right = Share(b->Image.Width(), b->Frames);
  if (const auto* b = skin.Bottom()) m.bottom = Share(b->Image.Height(), b->Frames);
  return m;
}

fw::TRect ClientRectFor(const fw::TRect& w, const FrameMetrics& m) {
  fw::TRect c{w.Left + m.left, w.Top + m.top + m.menu, w.Right - m.right, w.Bottom - m.bottom};
  // A window smaller than its frame has an empty client area, never a
  // turned-over one.
  c.Right = std::max(c.Right, c.Left);
  c.Bottom = std::max(c.Bottom, c.Top);
  return c;
}

void OuterSizeFor(int cw, int ch, const FrameMetrics& m, int& w, int& h) {
  w = cw + m.left + m.right;
  h = ch + m.top + m.bottom + m.menu;
}

int ReviseHitTest(int old_hit, int /*x*/, int y, const FrameMetrics& m) {
  if (old_hit != sys::kHtNowhere && old_hit != sys::kHtCaption) return old_hit;
  if (m.menu > 0 && y > m.top) return sys::kHtMenu;
  if (y > 3) return sys::kHtCaption;
  return old_hit;
}

bool VisibilityCodeHolds(int code, bool first, int action, const ButtonFacts& f) {
  const bool max_box = f.features & kFeatMaximizeBox;
  const bool min_box = f.features & kFeatMinimizeBox;
  const bool sys_menu = f.features & kFeatSysMenu;
  switch (code) {
    case 0: return true;
    case 1: return f.placement == kPlaceMaximized;
    case 2: return f.placement != kPlaceMaximized;
    case 3: return f.active;
    case 4: return !f.active;
    case 6: return first ? max_box && sys_menu : max_box;
    case 7: return !max_box;
    case 8: return first ? min_box && sys_menu : min_box;
    case 9: return !min_box;
    case 100: return f.mdi_child_maximized_in_bar;
    default: break;
  }
  // The codes from 200 up mean the same in both places.
  if (code == 200) return f.border_kind == kBorderDialog && !f.dialog_class;
  if (code > 200 && code < 1000) return true;
  if (code >= 1000 && code <= 2000) return f.ask_custom && f.ask_custom(code, action) > 0;
  // A missing first code shows the button.
  return first && code == -1;
}

bool ButtonVisible(const TDataSkinSysButton& def, const ButtonFacts& f) {
  if (!VisibilityCodeHolds(def.Visibility, true, def.Action, f)) return false;
  // Visibility1 100 repeats the first code's answer, which held.
  if (def.Visibility1 != 100 && !VisibilityCodeHolds(def.Visibility1, false, def.Action, f)) return false;
  switch (def.Action) {
    case 0: return f.features & kFeatSysMenu;
    case 1: return f.features & kFeatMaximizeBox;
    case 2: return f.features & kFeatMinimizeBox;
    case 3:
    case 11:
    case 12: return f.border_kind != kBorderDialog;
    default: return true;
  }
}

fw::TRect ButtonFrameSize(const TDataSkinSysButton& def) {
  if (def.Image.Empty()) return {};
  return {0, 0, def.Image.Width() / std::max(def.Frames, 1), def.Image.Height()};
}

ButtonLayout LayoutButtons(const std::vector<const TDataSkinSysButton*>& defs, const ButtonFacts& facts,
                           const LayoutInput& in) {
  ButtonLayout out;
  out.rects.resize(defs.size());
  out.visible.assign(defs.size(), false);
  const FrameMetrics& m = in.metrics;
  for (size_t i = 0; i < defs.size(); ++i) {
    const TDataSkinSysButton& d = *defs[i];
    fw::TRect size = ButtonFrameSize(d);
    if (size.Width() <= 0 || size.Height() <= 0 || !ButtonVisible(d, facts)) continue;
    const int bw = size.Width(), bh = size.Height();
    int x = d.Xcoord, y = d.Ycoord;
    switch (d.Align) {
      case 1:
        x = in.width - d.Xcoord;
        out.right_start = std::max(out.right_start, x);
        break;
      case 2:
      case 8: x = in.width - m.right - bw - d.Xcoord; break;
      case 3:
      case 9: x = m.left + d.Xcoord; break;
      case 100:
        y = m.top + (m.menu - bh) / 2;
        x = in.right_to_left ? m.left + d.Xcoord + in.menu_bar_left_margin
                             : in.width - d.Xcoord - m.right - in.menu_bar_left_margin;
        break;
      default: break;
    }
    out.rects[i] = {x, y, x + bw, y + bh};
    out.visible[i] = true;
  }
  return out;
}

int CaptionPassFrame(const TDataSkinSysButton& def, bool active) {
  return active || def.Frames < 4 ? 1 : 4;
}

int StateFrame(const TDataSkinSysButton& def, int state) {
  if (state == 3 && def.Visibility == 100) return 4;
  return std::clamp(state, 1, 3);
}

bool IsIconAction(int action) { return action == 3 || action == 11; }

ButtonEffect EffectOfAction(int action) {
  switch (action) {
    case 0: return ButtonEffect::Close;
    case 1:
    case 22: return ButtonEffect::MaximizeOrRestore;
    case 2:
    case 23: return ButtonEffect::MinimizeOrRestore;
    case 3:
    case 11:
    case 12: return ButtonEffect::SystemMenu;
    case 7:
    case 60: return ButtonEffect::MdiChildMinimize;
    case 8:
    case 61: return ButtonEffect::MdiChildRestore;
    case 9:
    case 62: return ButtonEffect::MdiChildClose;
    default: return ButtonEffect::Custom;
  }
}

}  // namespace skin
