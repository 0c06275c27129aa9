// Decompressor and compressor: round trips, and the stream rules the
// decoder must keep whatever the compressor does.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

#include "skin/lzh.h"
#include "skin/lzh_encoder.h"

namespace {

using skin::LzhError;
using skin::LzhCompress;
using skin::TLZH;
using Bytes = std::vector<uint8_t>;

Bytes Expand(const Bytes& in) {
  Bytes out;
  TLZH().Decompress(in, out);
  return out;
}

Bytes RandomBytes(size_t n, uint32_t seed, int alphabet = 256) {
  std::mt19937 rng(seed);
  Bytes b(n);
  for (auto& c : b) c = uint8_t(rng() % unsigned(alphabet));
  return b;
}

// Text-like and image-like data with repeats at every distance, so that
// matches of all lengths and positions occur and the tree is rebuilt often.
Bytes MixedBytes(size_t n, uint32_t seed) {
  std::mt19937 rng(seed);
  Bytes b;
  while (b.size() < n) {
    const unsigned kind = rng() % 4;
    if (kind == 0 || b.size() < 8) {
      for (int i = 0, len = int(rng() % 40); i < len; ++i) b.push_back(uint8_t('a' + rng() % 26));
    } else if (kind == 1) {
      b.insert(b.end(), size_t(rng() % 200), uint8_t(rng()));
    } else {
      const size_t dist = 1 + rng() % std::min<size_t>(b.size(), 5000);
      const size_t len = 1 + rng() % 100;
      for (size_t i = 0; i < len; ++i) b.push_back(b[b.size() - dist]);
    }
  }
  b.resize(n);
  return b;
}

Bytes ReadFile(const char* path) {
  std::ifstream f(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), {});
}

uint32_t DeclaredSize(const Bytes& z) { return z[0] | z[1] << 8 | z[2] << 16 | uint32_t(z[3]) << 24; }
void SetDeclaredSize(Bytes& z, uint32_t n) {
  for (int i = 0; i < 4; ++i) z[size_t(i)] = uint8_t(n >> (8 * i));
}

TEST(Lzh, RoundTripsSmallAndBoundarySizes) {
  for (size_t n : {0, 1, 2, 3, 59, 60, 61, 4035, 4036, 4096, 4097, 8193}) {
    for (int alphabet : {1, 2, 256}) {
      const Bytes data = RandomBytes(n, uint32_t(n * 7 + size_t(alphabet)), alphabet);
      const Bytes z = LzhCompress(data);
      ASSERT_EQ(DeclaredSize(z), n);
      EXPECT_EQ(Expand(z), data) << "size " << n << " alphabet " << alphabet;
    }
  }
}

TEST(Lzh, RoundTripsLargeMixedAndRandomData) {
  // Over 32768 symbols each, so the tree is halved and rebuilt many times.
  for (uint32_t seed : {1u, 2u, 3u}) {
    const Bytes data = MixedBytes(400000, seed);
    const Bytes z = LzhCompress(data);
    EXPECT_LT(z.size(), data.size() / 2);
    EXPECT_EQ(Expand(z), data);
  }
  const Bytes noise = RandomBytes(300000, 9);
  EXPECT_EQ(Expand(LzhCompress(noise)), noise);
  // Long runs: almost every symbol is a 60-byte match.
  const Bytes run(1 << 20, 0x41);
  const Bytes zrun = LzhCompress(run);
  EXPECT_LT(zrun.size(), run.size() / 40);
  EXPECT_EQ(Expand(zrun), run);
}

TEST(Lzh, RoundTripsRealText) {
  const Bytes text = ReadFile(__FILE__);
  ASSERT_GT(text.size(), 1000u);
  const Bytes z = LzhCompress(text);
  EXPECT_LT(z.size(), text.size());
  EXPECT_EQ(Expand(z), text);
}

TEST(Lzh, MatchesReachTheInitialSpacesOfTheRing) {
  // Leading spaces compress to one match into the space-filled ring.
  Bytes data(60, ' ');
  data.push_back('x');
  const Bytes z = LzhCompress(data);
  EXPECT_LE(z.size(), 4u + 4u);
  EXPECT_EQ(Expand(z), data);
}

// Streams worked out by hand from the fresh tree (leaves 0..313 at nodes
// 0..313, node 314 + k joining nodes 2k and 2k + 1, root 626).
TEST(Lzh, DecodesHandBuiltStreams) {
  // 626 -1-> 625 -0-> 622 -0-> 616 -0-> 604 -1-> 581 -1-> 535 -0-> 442 -0->
  // leaf 256: a match of 3. Position 0 (nine 0 bits) copies from just
  // behind the write position, inside the spaces that fill the ring.
  EXPECT_EQ(Expand(Bytes{3, 0, 0, 0, 0x8C, 0x00, 0x00}), Bytes(3, ' '));
  // Second children all the way: 626 -> 625 -> 623 -> 619 -> 611 -> 595 ->
  // 563 -> 499 -> 371 -> leaf 115.
  EXPECT_EQ(Expand(Bytes{1, 0, 0, 0, 0xFF, 0xFF}), Bytes{'s'});
}

TEST(Lzh, ZeroSizeGivesNoOutput) {
  Bytes out{1, 2, 3};
  TLZH().Decompress(Bytes{0, 0, 0, 0, 0xFF, 0xFF}, out);
  EXPECT_TRUE(out.empty());
  TLZH().Decompress(Bytes{0, 0, 0, 0}, out);
  EXPECT_TRUE(out.empty());
}

TEST(Lzh, LastMatchIsCopiedWholePastTheDeclaredSize) {
  const Bytes data(3000, 'q');  // ends with a long match
  Bytes z = LzhCompress(data);
  SetDeclaredSize(z, uint32_t(data.size() - 5));
  const Bytes out = Expand(z);
  EXPECT_EQ(out, data);
}

TEST(Lzh, TruncatedStreamReadsOnWithZeroBits) {
  const Bytes data = MixedBytes(50000, 5);
  const Bytes z = LzhCompress(data);
  for (size_t keep : {z.size() - 1, z.size() / 2, z.size() / 8}) {
    const Bytes cut(z.begin(), z.begin() + ptrdiff_t(keep));
    const Bytes out = Expand(cut);
    EXPECT_GE(out.size(), data.size());
    EXPECT_LE(out.size(), data.size() + 59);
    // The part decoded from real bits is intact (this data packs better
    // than 2:1, so it covers at least half as many bytes as were kept).
    const size_t intact = (keep - 4) / 2;
    EXPECT_TRUE(std::equal(data.begin(), data.begin() + ptrdiff_t(intact), out.begin()));
  }
  // Cut to almost nothing, the declared size is no longer believable.
  const Bytes stub(z.begin(), z.begin() + 40);
  Bytes out_stub;
  EXPECT_THROW(TLZH().Decompress(stub, out_stub), LzhError);
  // Nothing but zero bits: first children all the way down from the root of
  // the fresh tree (626 -> 624 -> 620 -> 612 -> 596 -> 564 -> 500 -> 372)
  // end at leaf 116, the literal 't'.
  Bytes zeros{100, 0, 0, 0};
  const Bytes out = Expand(zeros);
  ASSERT_GE(out.size(), 100u);
  EXPECT_EQ(out[0], 't');
}

TEST(Lzh, RejectsMissingSizeAndAbsurdSizes) {
  Bytes out;
  try {
    TLZH().Decompress(Bytes{1, 0, 0}, out);
    FAIL() << "no exception";
  } catch (const LzhError& e) {
    EXPECT_STREQ(e.what(), skin::kLzhNoHeader);
  }
  // A few bytes cannot honestly expand to 4 MB, nor anything to 2 GB.
  EXPECT_THROW(TLZH().Decompress(Bytes{0, 0, 0x40, 0, 1, 2, 3, 4, 5, 6}, out), LzhError);
  Bytes big(1 << 16, 0);
  SetDeclaredSize(big, 0x80000000u);
  EXPECT_THROW(TLZH().Decompress(big, out), LzhError);
  // The limit grows with the input and is what the compressor can reach.
  EXPECT_GE(TLZH::MaxExpandedSize(1000), 996u * 48u);
  EXPECT_EQ(TLZH::MaxExpandedSize(size_t(1) << 30), TLZH::kMaxExpandedSize);
}

}  // namespace
