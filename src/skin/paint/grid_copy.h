// The copying core of the image primitives: a target rectangle is cut into
// segments along each axis, and each segment takes its pixels from a range
// of source pixels, stretched (nearest pixel) or repeated. Only the target
// pixels inside the clip rectangle and the target bitmap are visited, so the
// work and the scratch memory depend on the target bitmap, never on the
// (untrusted) geometry.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "framework/bitmap.h"
#include "framework/graphics.h"

namespace skin::paint::detail {

// One stretch of an axis: target positions [start, start + length) drawn
// from source positions [source, source + source_length).
struct Segment {
  int64_t start = 0;
  int64_t length = 0;
  int source = 0;
  int source_length = 0;
  bool tile = false;  // repeat the source instead of stretching it
};

// Draws the grid of x and y segments (each list following on from its first
// segment's start) from src into dst, cut to clip and to dst. Transparent:
// source pixels of the key colour are left out. The caller keeps the source
// ranges inside src.
void DrawGrid(fw::TBitmap& dst, const fw::TRect& clip, std::initializer_list<Segment> xs,
              std::initializer_list<Segment> ys, const fw::TBitmap& src, bool transparent,
              fw::TColor key = 0xFF00FF);

// Larger images than this are not built: no window needs them, and a
// broken geometry must not exhaust the memory.
constexpr int64_t kMaxPixels = int64_t(1) << 26;
inline bool SizeFits(int w, int h) { return w > 0 && h > 0 && int64_t(w) * h <= kMaxPixels; }

// The whole of a bitmap as a clip rectangle.
inline fw::TRect Bounds(const fw::TBitmap& b) { return fw::TRect{0, 0, b.Width(), b.Height()}; }

// The overlap of two rectangles (empty ones stay empty).
fw::TRect Intersect(const fw::TRect& a, const fw::TRect& b);

}  // namespace skin::paint::detail
