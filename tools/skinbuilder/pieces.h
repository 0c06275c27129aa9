// The bitmaps of the built-in skin, each drawn from code.
#pragma once

#include <string>
#include <vector>

#include "raster.h"

namespace sb {

// One image entry of the skin: its file name in the container, its pixels
// and the depth it is stored with (4, 8, 24 or 32 bits per pixel).
struct Piece {
  std::string file;
  TBitmap bmp;
  int bpp = 24;
};

// Frame borders, menu bar, caption buttons, window icon, MDI buttons.
void DrawFramePieces(std::vector<Piece>& out);
// Push buttons, check box and radio strips, combo parts, group box, status
// bar, progress bar, tabs, tool and header bars.
void DrawControlPieces(std::vector<Piece>& out);
// Menu item and background, scroll bars, track bars, spin buttons.
void DrawScrollAndMenuPieces(std::vector<Piece>& out);

// The program's own bitmap resources: the track groove fall-backs (16 x 4
// and 4 x 16) and the 64 x 16 strip of system menu glyphs on white.
TBitmap DrawTrackResource(bool vertical);
TBitmap DrawMenuGlyphs();

}  // namespace sb
