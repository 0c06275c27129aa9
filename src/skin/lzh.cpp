#include "skin/lzh.h"

#include <algorithm>
#include <memory>
#include <new>

#include "skin/lzh_model.h"

namespace skin {

namespace {

// MSB-first bits from a 16-bit buffer refilled a byte at a time whenever it
// holds 8 bits or fewer; zero bytes once the input is used up.
class BitReader {
 public:
  explicit BitReader(std::span<const uint8_t> in) : in_(in) {}

  int Bit() {
    Fill();
    const int bit = (buf_ >> 15) & 1;
    buf_ = uint16_t(buf_ << 1);
    --len_;
    return bit;
  }
  int Byte() {
    Fill();
    const int byte = buf_ >> 8;
    buf_ = uint16_t(buf_ << 8);
    len_ -= 8;
    return byte;
  }

 private:
  void Fill() {
    while (len_ <= 8) {
      const unsigned next = pos_ < in_.size() ? in_[pos_++] : 0;
      buf_ = uint16_t(buf_ | (next << (8 - len_)));
      len_ += 8;
    }
  }
  std::span<const uint8_t> in_;
  size_t pos_ = 0;
  uint16_t buf_ = 0;
  int len_ = 0;
};

struct Tables {
  lzh::HuffTree tree;
  std::array<uint8_t, lzh::kRingSize> ring{};
};

}  // namespace

size_t TLZH::MaxExpandedSize(size_t input_size) {
  // A match of at most 60 bytes costs at least 1 bit of symbol and 9 bits
  // of position, so an honest stream expands at most 48-fold. The margin
  // admits a stream cut short, which is read on with zero bits.
  if (input_size < 4) return 0;
  const size_t payload = input_size - 4;
  if (payload > kMaxExpandedSize / kMaxRatio) return kMaxExpandedSize;
  return std::min(kMaxExpandedSize, payload * kMaxRatio + 4096);
}

void TLZH::Decompress(std::span<const uint8_t> input, std::vector<uint8_t>& output) {
  output.clear();
  if (input.size() < 4) throw LzhError(kLzhNoHeader);
  const size_t size = size_t(input[0]) | size_t(input[1]) << 8 | size_t(input[2]) << 16 |
                      size_t(input[3]) << 24;
  if (size > MaxExpandedSize(input.size())) throw LzhError(kLzhSizeTooLarge);

  std::unique_ptr<Tables> t;
  try {
    t = std::make_unique<Tables>();
    output.reserve(size + lzh::kLookAhead);
  } catch (const std::bad_alloc&) {
    throw LzhError(kLzhNoMemory);
  }
  std::fill(t->ring.begin(), t->ring.begin() + lzh::kRingStart, uint8_t(' '));
  const lzh::PositionTables& pos_tables = lzh::Positions();

  BitReader bits(input.subspan(4));
  unsigned r = lzh::kRingStart;
  while (output.size() < size) {
    int node = t->tree.RootChild();
    while (node < lzh::kNodes) node = t->tree.Child(node + bits.Bit());
    const int symbol = node - lzh::kNodes;
    t->tree.Update(symbol);

    if (symbol < 256) {
      output.push_back(uint8_t(symbol));
      t->ring[r] = uint8_t(symbol);
      r = (r + 1) & (lzh::kRingSize - 1);
      continue;
    }
    // Position: the first byte gives the upper 6 bits and the code length;
    // the bits after it complete the lower 6.
    unsigned v = unsigned(bits.Byte());
    const unsigned upper = pos_tables.code[v];
    for (int extra = pos_tables.length[v] - 2; extra > 0; --extra) v = (v << 1) + unsigned(bits.Bit());
    const unsigned position = (upper << 6) | (v & 0x3F);

    const int length = symbol - 255 + lzh::kThreshold;
    const unsigned src = (r - position - 1) & (lzh::kRingSize - 1);
    for (int k = 0; k < length; ++k) {
      const uint8_t c = t->ring[(src + unsigned(k)) & (lzh::kRingSize - 1)];
      output.push_back(c);
      t->ring[r] = c;
      r = (r + 1) & (lzh::kRingSize - 1);
    }
  }
}

}  // namespace skin
