// The plain look of an owner-drawn menu item, used when the item has no
// OnMeasureItem / OnDrawItem handler: menu colours, the image or a check
// mark in a glyph column, the caption with its accelerator underlined, the
// shortcut text at the right, separators as an etched line. Items of a
// menu bar are drawn as a centred caption.
#pragma once

#include "framework/graphics.h"

namespace fw {

class TMenuItem;

void MeasureMenuItem(const TMenuItem& item, TCanvas& canvas, int& width, int& height);
void PaintMenuItem(const TMenuItem& item, TCanvas& canvas, const TRect& rect, bool selected);

}  // namespace fw
