// The adaptive model shared by TLZH and the compressor: the Huffman tree of
// literals and match lengths, kept in sibling order and updated after every
// symbol, and the fixed code for the upper 6 bits of a match position.
// Both sides must evolve it identically, so it lives in one place.
#pragma once

#include <array>
#include <cstdint>

namespace skin::lzh {

inline constexpr int kRingSize = 4096;
inline constexpr int kLookAhead = 60;
inline constexpr int kThreshold = 2;  // matches are longer than this
inline constexpr int kRingStart = kRingSize - kLookAhead;  // first write position
inline constexpr int kSymbols = 256 - kThreshold + kLookAhead;  // 314
inline constexpr int kNodes = 2 * kSymbols - 1;                 // 627
inline constexpr int kRoot = kNodes - 1;                        // 626
inline constexpr unsigned kMaxFreq = 0x8000;

// Node numbers 0..kNodes-1 are in sibling order (non-decreasing frequency).
// son[n] is the first child of an internal node (the second is son[n] + 1),
// or kNodes + symbol for a leaf; parent[] is indexed by node, and by
// kNodes + symbol for the leaf of a symbol.
class HuffTree {
 public:
  HuffTree() { Start(); }
  void Start();
  // Counts one occurrence of symbol, rebuilding the tree first when the
  // root's frequency has reached kMaxFreq.
  void Update(int symbol);

  // Decoding walks from RootChild(): at each internal node n the bit b
  // picks node n + b, whose Child() is the next node (or kNodes + symbol).
  int RootChild() const { return son_[kRoot]; }
  int Child(int n) const { return son_[n]; }
  // Encoding walks up from LeafOf(symbol): an odd node is a second child
  // (bit 1), an even one a first child (bit 0), until the root.
  int LeafOf(int symbol) const { return parent_[kNodes + symbol]; }
  int Parent(int n) const { return parent_[n]; }

 private:
  void Rebuild();
  std::array<uint16_t, kNodes + 1> freq_{};  // + the 0xFFFF sentinel
  std::array<uint16_t, kNodes + kSymbols> parent_{};
  std::array<uint16_t, kNodes> son_{};
};

// Upper 6 bits of a position from the first 8 bits of its code, and the
// code's total length in bits (3 to 8).
struct PositionTables {
  std::array<uint8_t, 256> code{};
  std::array<uint8_t, 256> length{};
  // For the compressor: the first byte value of each upper-bits value, and
  // its code length.
  std::array<uint8_t, 64> first_byte{};
  std::array<uint8_t, 64> bits{};
};
const PositionTables& Positions();

}  // namespace skin::lzh
