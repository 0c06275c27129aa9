#include "skin/lzh_model.h"

#include <algorithm>

namespace skin::lzh {

void HuffTree::Start() {
  for (int i = 0; i < kSymbols; ++i) {
    freq_[i] = 1;
    son_[i] = uint16_t(i + kNodes);
    parent_[i + kNodes] = uint16_t(i);
  }
  // Internal nodes pair up the nodes before them, in order.
  for (int i = 0, j = kSymbols; j <= kRoot; i += 2, ++j) {
    freq_[j] = uint16_t(freq_[i] + freq_[i + 1]);
    son_[j] = uint16_t(i);
    parent_[i] = parent_[i + 1] = uint16_t(j);
  }
  freq_[kNodes] = 0xFFFF;
  parent_[kRoot] = 0;
}

void HuffTree::Rebuild() {
  // Gather the leaves at the front, halving their counts (rounding up).
  int j = 0;
  for (int i = 0; i < kNodes; ++i) {
    if (son_[i] >= kNodes) {
      freq_[j] = uint16_t((freq_[i] + 1) / 2);
      son_[j] = son_[i];
      ++j;
    }
  }
  // Join pairs in order, inserting each sum at its sorted place.
  for (int i = 0, n = kSymbols; n < kNodes; i += 2, ++n) {
    const uint16_t f = uint16_t(freq_[i] + freq_[i + 1]);
    int k = n - 1;
    while (f < freq_[k]) --k;
    ++k;
    std::copy_backward(freq_.begin() + k, freq_.begin() + n, freq_.begin() + n + 1);
    std::copy_backward(son_.begin() + k, son_.begin() + n, son_.begin() + n + 1);
    freq_[k] = f;
    son_[k] = uint16_t(i);
  }
  for (int i = 0; i < kNodes; ++i) {
    const int k = son_[i];
    if (k >= kNodes) {
      parent_[k] = uint16_t(i);
    } else {
      parent_[k] = parent_[k + 1] = uint16_t(i);
    }
  }
}

void HuffTree::Update(int symbol) {
  if (freq_[kRoot] == kMaxFreq) Rebuild();
  int c = parent_[symbol + kNodes];
  do {
    const uint16_t k = ++freq_[c];
    // Keep sibling order: swap with the last node whose count is below k.
    if (k > freq_[c + 1]) {
      int l = c + 1;
      while (k > freq_[l + 1]) ++l;
      freq_[c] = freq_[l];
      freq_[l] = k;

      const int i = son_[c];
      parent_[i] = uint16_t(l);
      if (i < kNodes) parent_[i + 1] = uint16_t(l);

      const int j = son_[l];
      son_[l] = uint16_t(i);
      parent_[j] = uint16_t(c);
      if (j < kNodes) parent_[j + 1] = uint16_t(c);
      son_[c] = uint16_t(j);

      c = l;
    }
    c = parent_[c];
  } while (c != 0);
}

static PositionTables MakePositions() {
  PositionTables t;
  // (values of the upper bits, bytes per value, code length) per range.
  struct Range { int values, bytes_each, bits; };
  constexpr Range kRanges[] = {{1, 32, 3}, {3, 16, 4}, {8, 8, 5}, {12, 4, 6}, {24, 2, 7}, {16, 1, 8}};
  int byte = 0, value = 0;
  for (const Range& r : kRanges) {
    for (int v = 0; v < r.values; ++v, ++value) {
      t.first_byte[value] = uint8_t(byte);
      t.bits[value] = uint8_t(r.bits);
      for (int b = 0; b < r.bytes_each; ++b, ++byte) {
        t.code[byte] = uint8_t(value);
        t.length[byte] = uint8_t(r.bits);
      }
    }
  }
  return t;
}

const PositionTables& Positions() {
  static const PositionTables tables = MakePositions();
  return tables;
}

}  // namespace skin::lzh
