// Check boxes and radio buttons from the Buttons object's check box and
// radio button strips: the glyph vertically centred at one side, the
// caption 2 pixels beside it.
#pragma once

#include <optional>
#include <string>

#include "framework/bitmap.h"
#include "framework/graphics.h"

class TSkinData;

namespace skin::paint {

// Button state bits as the system reports them.
constexpr int kButtonChecked = 0x1;
constexpr int kButtonIndeterminate = 0x2;

struct CheckState {
  int width = 0, height = 0;
  bool radio = false;
  bool enabled = true, focused = false;
  // Where the check mark comes from, first present first: a control with
  // "DataBinding" shows unchecked; one with "DataField" its last set check
  // value (0, 1 or 2); a check box its "State" text ("cbChecked", ...),
  // then its "Checked" text ("True"/"False"); else the system's button
  // state bits.
  bool data_binding = false;
  std::optional<int> data_field_check;
  std::optional<std::string> state;
  std::optional<std::string> checked;
  int button_state = 0;
  // The glyph at the right and the text right-aligned (BS_LEFTTEXT).
  bool left_text = false;
  bool right_to_left = false;
  std::wstring caption;
  fw::TFont font;  // its colour is the text colour when enabled
  // What the parent shows behind the control in transparent mode.
  const fw::TBitmap* background = nullptr;
};

// The frame of the strip (frames: the strip's frame count). Check box:
// unchecked 1, checked 2, grayed 4; disabled adds 2; indeterminate system
// state 4; a 12-frame strip maps 2 to 5, 3 to 4, 4 to 8 and the
// indeterminate state to 9 (12 when disabled). Radio button: checked 2,
// else 1; disabled adds 2; an 8-frame strip maps 2 to 5, 3 to 4, 4 to 8.
int CheckFrame(const CheckState& s, int frames);
// Whether the skin has the strip (otherwise the control keeps the system
// look).
bool CanPaintCheck(const TSkinData& skin, bool radio);
// The whole control into out (width x height): background, glyph, caption
// and, when focused, the focus rectangle around a caption. Nothing when
// the skin has no strip.
void PaintCheck(fw::TBitmap& out, const TSkinData& skin, const CheckState& s);

}  // namespace skin::paint
