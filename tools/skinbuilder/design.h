// The colours and sizes of the built-in skin: a light, calm design with one
// blue accent. Every piece is drawn from these values so that the pieces
// fit together.
#pragma once

#include "raster.h"

namespace sb::design {

// Surfaces.
constexpr TColor kFace = Rgb(213, 222, 242);        // window body (ButtonFace)
constexpr TColor kFaceLight = Rgb(226, 233, 248);   // frame body, bars
constexpr TColor kPanel = Rgb(250, 251, 254);       // menus, edit fields
constexpr TColor kWhite = Rgb(255, 255, 255);

// Lines.
constexpr TColor kLine = Rgb(146, 160, 196);        // control outlines (ButtonShadow)
constexpr TColor kLineSoft = Rgb(190, 200, 224);    // separators
constexpr TColor kLineDisabled = Rgb(188, 195, 212);
constexpr TColor kDkShadow = Rgb(82, 94, 126);

// Accent.
constexpr TColor kAccent = Rgb(47, 102, 204);
constexpr TColor kAccentDark = Rgb(34, 78, 164);
constexpr TColor kAccentSoft = Rgb(206, 220, 248);  // hover fills
constexpr TColor kAccentLine = Rgb(118, 156, 226);  // hover outlines

// Text.
constexpr TColor kText = Rgb(28, 34, 52);
constexpr TColor kTextDisabled = Rgb(140, 148, 168);
constexpr TColor kTitleText = Rgb(24, 40, 84);
constexpr TColor kTitleTextInactive = Rgb(120, 130, 152);

// Window frame.
constexpr TColor kOutline = Rgb(84, 116, 186);
constexpr TColor kOutlineInactive = Rgb(156, 166, 188);
constexpr TColor kCaptionTop = Rgb(248, 250, 255);
constexpr TColor kCaptionBottom = kFaceLight;
constexpr TColor kCaptionTopInactive = Rgb(242, 244, 248);
constexpr TColor kCaptionBottomInactive = Rgb(228, 232, 240);

// Close button.
constexpr TColor kClose = Rgb(222, 52, 58);
constexpr TColor kCloseDark = Rgb(178, 30, 38);

// Geometry of the frame.
constexpr int kCaption = 29;      // caption height, one frame of the top border
constexpr int kSide = 4;          // left, right and bottom border thickness
constexpr int kTopWidth = 292;    // width of the top border image
constexpr int kCornerRadius = 7;  // rounded top corners
constexpr int kCapButtonW = 28;   // caption buttons, one frame
constexpr int kCapButtonH = 20;
constexpr int kCapButtonY = 4;

}  // namespace sb::design
