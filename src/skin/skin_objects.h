// The skin objects: one image (or a few) with its margins, frame count and
// colours, built from one section of the skin's INI text. The painters of
// the window frame, the controls and the menus draw from them.
#pragma once

#include <cstdint>
#include <string>

#include "framework/bitmap.h"
#include "framework/graphics.h"

namespace skin {
class TQuickIni;
class TSkinReader;
}  // namespace skin

// Keys every image section may carry; what a kind of object reads differs.
class TDataSkinObject {
 public:
  explicit TDataSkinObject(std::string name) : Name(std::move(name)) {}
  virtual ~TDataSkinObject() = default;
  TDataSkinObject(const TDataSkinObject&) = delete;
  TDataSkinObject& operator=(const TDataSkinObject&) = delete;

  // Fixed margins of the image, kept unstretched by the painters.
  int32_t LeftWidth = 0;
  int32_t TopHeight = 0;
  int32_t RightWidth = 0;
  int32_t BottomHeight = 0;
  // Frames state images of equal size: side by side, or stacked for the top
  // and bottom borders and the menu bar.
  fw::TBitmap Image;
  // 1: magenta pixels of the image are transparent.
  int32_t Trans = 0;
  // The painters' tile-or-stretch switch, 0 or 1.
  int32_t Tile = 0;
  std::string Name;
  int32_t Frames = 0;
  int32_t Style = 0;
  // Per-state colour numbers for the painters; -1 means none.
  int32_t NormalColour = -1;
  int32_t MouseOverColour = -1;
  int32_t PressedColour = -1;
  // Text colour per state.
  fw::TColor NormalColour2 = 0;
  fw::TColor MouseOverColour2 = 0;
  fw::TColor PressedColour2 = 0;

  // Width of one frame (frames side by side), 0 without frames.
  int FrameWidth() const { return Frames > 0 ? Image.Width() / Frames : 0; }
};

// An object with a second image: the frame borders, the progress bar, the
// tabs (their border), the combo button (a mirrored copy) and the spin
// buttons (their glyphs).
class TDataSkinBorder : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  fw::TBitmap Image2;
};

// Push buttons, with the check box and radio button strips.
class TDataSkinButton : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  fw::TBitmap CheckImage;
  fw::TBitmap RadioImage;
  int32_t CheckFrames = 0;
  int32_t RadioFrames = 0;
  // Whether the skin gave the text colours (otherwise the painters keep the
  // control's own).
  bool HasNormalColour2 = false;
  bool HasMouseOverColour2 = false;
  bool HasPressedColour2 = false;
};

// The caption text settings. In the base fields LeftWidth holds the text
// shift, TopHeight the vertical text shift, RightWidth the right clip, and
// Image the image behind the text.
class TDataSkinTitle : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  int32_t TextAlignment = 0;
  int32_t Textbackground = 0;
  int32_t FontHeight = 14;
  int32_t TXTBackleft = 0;
  int32_t TXTBackRight = 0;
  // fw::clNone when the skin gives no colour.
  fw::TColor ActiveText = fw::clNone;
  fw::TColor InActiveText = fw::clNone;
};

// One caption button.
class TDataSkinSysButton : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  int32_t Action = 0;
  int32_t Align = 0;
  int32_t Xcoord = 0;
  int32_t Ycoord = 0;
  int32_t CombineOp = -1;
  int32_t Visibility = 0;
  int32_t Visibility1 = 0;
};

// The group box caption plate.
class TDataSkinBoxLabel : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  int32_t BackgroundLeftShift = 0;
  int32_t BackgroundRightShift = 0;
  int32_t BackgroundAlignment = 0;
};

namespace skin {

// A colour written as decimal numbers for red, green and blue: runs of
// digits are the numbers, anything else separates them; each is taken
// modulo 256, missing ones are 0. def when the text is empty.
fw::TColor ParseSkinColour(const std::string& text, fw::TColor def);
fw::TColor ReadSkinColour(const TQuickIni& ini, const std::string& section, const std::string& key,
                          fw::TColor def);

// Tile above 1 becomes 0 (or 1 where the object stretches by default).
int32_t NormaliseTile(int32_t tile, bool above_one_is_one);

// Reads the keys shared by image sections into obj: Image, Style, the four
// margins, Frame (unless with_frame is false), Trans, Tile and the six
// colour keys. text_colour is the default of the three text colours.
void ReadGenericKeys(TDataSkinObject& obj, const TQuickIni& ini, const TSkinReader& reader,
                     const std::string& section, fw::TColor text_colour, bool with_frame = true);

}  // namespace skin
