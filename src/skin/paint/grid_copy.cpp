#include "skin/paint/grid_copy.h"

#include <algorithm>
#include <cstring>
#include <vector>


namespace skin::paint::detail {
namespace {

// The source pixel for target pixel d of a segment, nearest pixel as the
// system's colour-on-colour stretch picks it: enlarged, each target pixel
// takes the source pixel under its centre; reduced, each source pixel goes
// to the target pixel under its centre and the last one there stays. A
// centre on a pixel boundary counts to the lower pixel.
int64_t SourceOffset(const Segment& s, int64_t d) {
  const int64_t from = s.source_length, to = s.length;
  if (s.tile) return d % from;
  if (to >= from) return ((2 * d + 1) * from - 1) / (2 * to);
  return ((2 * d + 2) * from - to) / (2 * to);
}

// Source positions for the target positions of the segments that lie in
// [lo, hi); first receives the first of them. A segment that has length
// but nothing to draw from ends the map, so that the map never skips a
// target position.
std::vector<int> MapAxis(std::initializer_list<Segment> segs, int lo, int hi, int& first) {
  std::vector<int> map;
  if (segs.size() == 0 || lo >= hi) return map;
  first = int(std::clamp<int64_t>(segs.begin()->start, lo, hi));
  for (const Segment& s : segs) {
    if (s.length <= 0) continue;
    if (s.source_length <= 0) break;
    const int64_t from = std::max<int64_t>(s.start, lo), to = std::min<int64_t>(s.start + s.length, hi);
    for (int64_t t = from; t < to; ++t) {
      map.push_back(s.source + int(SourceOffset(s, t - s.start)));
    }
  }
  return map;
}

bool Contiguous(const std::vector<int>& map) {
  for (size_t i = 1; i < map.size(); ++i)
    if (map[i] != map[0] + int(i)) return false;
  return true;
}

}  // namespace

fw::TRect Intersect(const fw::TRect& a, const fw::TRect& b) {
  fw::TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
              std::min(a.Bottom, b.Bottom)};
  if (r.Right < r.Left) r.Right = r.Left;
  if (r.Bottom < r.Top) r.Bottom = r.Top;
  return r;
}

void DrawGrid(fw::TBitmap& dst, const fw::TRect& clip, std::initializer_list<Segment> xs,
              std::initializer_list<Segment> ys, const fw::TBitmap& src, bool transparent, fw::TColor key) {
  const fw::TRect c = Intersect(clip, Bounds(dst));
  int x0 = 0, y0 = 0;
  const std::vector<int> xmap = MapAxis(xs, c.Left, c.Right, x0);
  const std::vector<int> ymap = MapAxis(ys, c.Top, c.Bottom, y0);
  if (xmap.empty() || ymap.empty() || src.Empty()) return;

  const size_t n = xmap.size();
  const bool straight = Contiguous(xmap);
  key &= 0xFFFFFF;
  for (size_t j = 0; j < ymap.size(); ++j) {
    fw::TColor* out = dst.Row(y0 + int(j)) + x0;
    // An opaque row drawn from the same source row as the one above it is
    // the same row.
    if (!transparent && j > 0 && ymap[j] == ymap[j - 1]) {
      std::memcpy(out, dst.Row(y0 + int(j) - 1) + x0, n * sizeof(fw::TColor));
      continue;
    }
    const fw::TColor* in = src.Row(ymap[j]);
    if (!transparent && straight) {
      std::memcpy(out, in + xmap[0], n * sizeof(fw::TColor));
    } else if (!transparent) {
      for (size_t i = 0; i < n; ++i) out[i] = in[xmap[i]];
    } else {
      for (size_t i = 0; i < n; ++i) {
        const fw::TColor p = in[xmap[i]];
        if ((p & 0xFFFFFF) != key) out[i] = p;
      }
    }
  }
}

}  // namespace skin::paint::detail
