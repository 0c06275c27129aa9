// Seeds of the image target: the nine blocks of a unit as delivered, with
// UCS-2 texts, and with every byte at its extremes.
#include <algorithm>

#include "protocol/settings_image.h"
#include "seed_corpus.h"
#include "simulator/sim_controller.h"

namespace fuzzseeds {
namespace {

Bytes Blocks(const sim::Memory& m) {
  Bytes out;
  for (uint16_t b : protocol::kImageBlocks) out.insert(out.end(), m.begin() + b, m.begin() + b + protocol::kBlockSize);
  return out;
}

}  // namespace

void AddImageSeeds(Corpus& c) {
  sim::Memory m = sim::FactoryMemory();
  c.Add("image", "factory", Blocks(m));

  // UCS-2 texts: plain, with a 0x0000 unit inside, a lone surrogate, units
  // the code page lacks and the 0xFF of the code page.
  m[protocol::kTextEncodingAddress] = protocol::kUcs2Texts;
  const char16_t* texts[] = {u"Door", u"A\0B", u"\xD800x", u"\x4E2D\x6587", u"\x20AC\x00E9\x0178", u"\x00FF"};
  for (size_t k = 0; k < 16; ++k) {
    const uint16_t at = uint16_t((k < 8 ? 0x1600 : 0x1800) + 32 * (k % 8));
    std::fill(m.begin() + at, m.begin() + at + 32, 0xFF);
    const std::u16string t = k == 1 ? std::u16string(u"A\0B", 3) : std::u16string(texts[k % 6]);
    for (size_t i = 0; i < t.size(); ++i) {
      m[at + 2 * i] = uint8_t(t[i] >> 8);
      m[at + 2 * i + 1] = uint8_t(t[i] & 0xFF);
    }
  }
  // List bytes outside their lists, bits the type byte does not use.
  m[0x0A02] = 0x05;
  m[0x0A0F] = 0x74;
  m[0x0A10] = 0x8F;
  c.Add("image", "ucs2-and-odd-lists", Blocks(m));

  // The whole image as the unit's memory holds it, with bytes outside the
  // blocks that no setting uses.
  const sim::Memory factory = sim::FactoryMemory();
  sim::Memory whole = factory;
  for (size_t a = 0; a < whole.size(); a += 97) whole[a] = uint8_t(a >> 3);
  for (uint16_t b : protocol::kImageBlocks) {
    std::copy(factory.begin() + b, factory.begin() + b + protocol::kBlockSize, whole.begin() + b);
  }
  c.Add("image", "whole", Bytes(whole.begin(), whole.end()));

  c.Add("image", "zeros", Bytes(9 * protocol::kBlockSize, 0x00));
  c.Add("image", "erased", Bytes(9 * protocol::kBlockSize, 0xFF));
}

}  // namespace fuzzseeds
