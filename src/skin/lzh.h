// TLZH: expands a compressed skin stream. The stream is a 4-byte
// little-endian expanded size followed by an LZHUF bit stream (LZSS over a
// 4096-byte ring with adaptive Huffman coding of literals and match lengths).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

namespace skin {

// Raised only by TLZH: the stream cannot be expanded. The decompressor
// stands on its own; the skin reader hands its failures on to the skin's
// users as ElzhException.
class LzhError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr const char* kLzhNoMemory = "LZH : Cannot get memory for dictionary tables";
inline constexpr const char* kLzhFreeError = "LZH : Error freeing memory for dictionary tables";
// The stream is too short to hold its 4-byte size.
inline constexpr const char* kLzhNoHeader = "LZH : Stream too short for its size field";
// The declared size cannot come from an input of this length.
inline constexpr const char* kLzhSizeTooLarge = "LZH : Declared size too large for the input";

class TLZH {
 public:
  // No skin comes near this; it keeps a forged size from claiming memory.
  static constexpr size_t kMaxExpandedSize = size_t(64) << 20;
  static constexpr size_t kMaxRatio = 64;

  // The largest expanded size accepted for a compressed stream of
  // input_size bytes (size field included): kMaxRatio times the bit stream,
  // plus 4 KiB, at most kMaxExpandedSize. No honest stream comes near it.
  static size_t MaxExpandedSize(size_t input_size);

  // Replaces output with the expansion of input. Writes the declared number
  // of bytes, or up to 59 more when the last match runs past it (a match is
  // always copied whole). Past the end of input, zero bits are read. Raises
  // LzhError when the input is shorter than 4 bytes, the declared size
  // exceeds MaxExpandedSize(input.size()) or the tables cannot be had.
  void Decompress(std::span<const uint8_t> input, std::vector<uint8_t>& output);
};

}  // namespace skin
