// Pictures of the built-in skin for people: a window put together from the
// pieces, and each piece enlarged with its transparent parts shown as a
// checkerboard.
#pragma once

#include "builder.h"

namespace sb {

TBitmap MockWindow(const BuiltSkin& skin);
TBitmap EnlargedPiece(const Piece& piece, int scale);

}  // namespace sb
