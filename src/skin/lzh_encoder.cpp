#include "skin/lzh_encoder.h"

#include <algorithm>
#include <stdexcept>

#include "skin/lzh_model.h"

namespace skin {

namespace {

using namespace lzh;

class BitWriter {
 public:
  explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}
  void Put(unsigned value, int count) {  // the low count bits, MSB first
    for (int i = count - 1; i >= 0; --i) Bit((value >> i) & 1);
  }
  void Bit(unsigned b) {
    acc_ = uint8_t((acc_ << 1) | b);
    if (++n_ == 8) {
      out_.push_back(acc_);
      acc_ = 0;
      n_ = 0;
    }
  }
  void Flush() {  // pad the last byte with zero bits
    if (n_ > 0) out_.push_back(uint8_t(acc_ << (8 - n_)));
    acc_ = 0;
    n_ = 0;
  }

 private:
  std::vector<uint8_t>& out_;
  uint8_t acc_ = 0;
  int n_ = 0;
};

class Encoder {
 public:
  Encoder(BitWriter& bits) : bits_(bits) {}

  void Symbol(int c) {
    // Collect the path leaf to root, then send it root first.
    int n = tree_.LeafOf(c);
    int depth = 0;
    do {
      path_[depth++] = uint8_t(n & 1);
      n = tree_.Parent(n);
    } while (n != kRoot);
    while (depth > 0) bits_.Bit(path_[--depth]);
    tree_.Update(c);
  }
  void Position(unsigned position) {
    const PositionTables& t = Positions();
    const unsigned upper = position >> 6;
    const int len = t.bits[upper];
    bits_.Put(unsigned(t.first_byte[upper]) >> (8 - len), len);
    bits_.Put(position & 0x3F, 6);
  }

 private:
  BitWriter& bits_;
  HuffTree tree_;
  uint8_t path_[kNodes]{};
};

// Matches are searched in the data preceded by the spaces that fill the
// decoder's ring at the start, so a match may reach back into them.
class MatchFinder {
 public:
  static constexpr int kHashBits = 14;
  static constexpr int kMaxChain = 192;

  explicit MatchFinder(std::span<const uint8_t> data) {
    buf_.assign(size_t(kRingStart), uint8_t(' '));
    buf_.insert(buf_.end(), data.begin(), data.end());
    head_.assign(size_t(1) << kHashBits, -1);
    prev_.assign(buf_.size(), -1);
    for (size_t i = 0; i < size_t(kRingStart); ++i) Insert(i);
  }
  size_t End() const { return buf_.size(); }

  // Adds position i (if three bytes start there) to the chains.
  void Insert(size_t i) {
    if (i + 3 > buf_.size()) return;
    const size_t h = Hash(i);
    prev_[i] = head_[h];
    head_[h] = ptrdiff_t(i);
  }

  // Longest match for position cur (not yet inserted) within the ring's
  // reach; length 0 when none reaches 3 bytes.
  void Find(size_t cur, int& length, unsigned& distance) const {
    length = 0;
    distance = 0;
    const size_t limit = std::min<size_t>(size_t(kLookAhead), buf_.size() - cur);
    if (limit <= size_t(kThreshold)) return;
    int chain = kMaxChain;
    for (ptrdiff_t cand = head_[Hash(cur)]; cand >= 0 && chain-- > 0; cand = prev_[size_t(cand)]) {
      const size_t d = cur - size_t(cand);
      if (d > size_t(kRingSize)) break;
      if (buf_[size_t(cand) + size_t(length)] != buf_[cur + size_t(length)]) continue;
      size_t n = 0;
      while (n < limit && buf_[size_t(cand) + n] == buf_[cur + n]) ++n;
      if (int(n) > length) {
        length = int(n);
        distance = unsigned(d);
        if (n == limit) break;
      }
    }
    if (length <= kThreshold) length = 0;
  }
  uint8_t At(size_t i) const { return buf_[i]; }

 private:
  size_t Hash(size_t i) const {
    const uint32_t v = uint32_t(buf_[i]) << 16 | uint32_t(buf_[i + 1]) << 8 | buf_[i + 2];
    return (v * 2654435761u) >> (32 - kHashBits);
  }
  std::vector<uint8_t> buf_;
  std::vector<ptrdiff_t> head_;
  std::vector<ptrdiff_t> prev_;
};

}  // namespace

std::vector<uint8_t> LzhCompress(std::span<const uint8_t> data) {
  if (data.size() > 0xFFFFFFFFu) throw std::length_error("LzhCompress: input over 4 GiB");
  std::vector<uint8_t> out;
  out.reserve(data.size() / 2 + 16);
  const uint32_t size = uint32_t(data.size());
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(size >> (8 * i)));

  BitWriter bits(out);
  Encoder enc(bits);
  MatchFinder mf(data);

  size_t cur = size_t(kRingStart);
  int length = 0;
  unsigned distance = 0;
  mf.Find(cur, length, distance);
  while (cur < mf.End()) {
    // Lazy step: prefer a literal now when the next position has a longer
    // match.
    mf.Insert(cur);
    int next_length = 0;
    unsigned next_distance = 0;
    if (length > 0 && length < kLookAhead && cur + 1 < mf.End()) mf.Find(cur + 1, next_length, next_distance);

    if (length == 0 || next_length > length) {
      enc.Symbol(mf.At(cur));
      ++cur;
      if (length == 0) {
        mf.Find(cur, length, distance);
      } else {
        length = next_length;
        distance = next_distance;
      }
      continue;
    }
    enc.Symbol(255 - kThreshold + length);
    enc.Position(distance - 1);
    for (int k = 1; k < length; ++k) mf.Insert(cur + size_t(k));
    cur += size_t(length);
    mf.Find(cur, length, distance);
  }
  bits.Flush();
  return out;
}

}  // namespace skin
