// The settings image as a unit may send it: any bytes, UCS-2 texts with
// odd code units included, and list bytes outside every item list. The
// decoded settings can always be written back, and writing them gives an
// image that decodes to the same settings (a list byte that names no item
// decodes to no selection, which is written as the first item).
//
// Input: a whole image of 65,536 bytes, or the bytes of the nine blocks in
// transfer order (shorter inputs leave the rest of the image 0xFF).
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "model/change_rules.h"
#include "model/fields.h"
#include "protocol/settings_image.h"

namespace {

using protocol::SettingsImageBytes;

void Check(bool ok) {
  if (!ok) std::abort();
}

void FillImage(const uint8_t* data, size_t size, SettingsImageBytes& image) {
  protocol::ClearImage(image);
  if (size >= image.size()) {
    std::copy(data, data + image.size(), image.begin());
    return;
  }
  size_t at = 0;
  for (uint16_t block : protocol::kImageBlocks) {
    const size_t n = std::min(protocol::kBlockSize, size - at);
    std::copy(data + at, data + at + n, image.begin() + block);
    at += n;
  }
}

// The ranges of the image outside the nine blocks, [first, last).
std::vector<std::pair<size_t, size_t>> Outside() {
  std::vector<uint16_t> blocks(protocol::kImageBlocks.begin(), protocol::kImageBlocks.end());
  std::sort(blocks.begin(), blocks.end());
  std::vector<std::pair<size_t, size_t>> gaps;
  size_t at = 0;
  for (uint16_t b : blocks) {
    if (b > at) gaps.emplace_back(at, b);
    at = std::max(at, size_t(b) + protocol::kBlockSize);
  }
  gaps.emplace_back(at, protocol::kImageSize);
  return gaps;
}
const std::vector<std::pair<size_t, size_t>> kOutside = Outside();

// Eight bytes a step: this covers most of the image twice per input.
void InvertOutside(SettingsImageBytes& image) {
  for (auto [first, last] : kOutside) {
    uint8_t* p = image.data() + first;
    size_t n = last - first;
    for (; n >= 8; n -= 8, p += 8) {
      uint64_t w;
      std::memcpy(&w, p, 8);
      w = ~w;
      std::memcpy(p, &w, 8);
    }
    for (; n > 0; --n, ++p) *p = uint8_t(~*p);
  }
}

bool SameOutside(const SettingsImageBytes& a, const SettingsImageBytes& b) {
  for (auto [first, last] : kOutside)
    if (std::memcmp(a.data() + first, b.data() + first, last - first) != 0) return false;
  return true;
}

// Encoding onto an image that holds anything leaves every byte outside the
// blocks as it was: checked on two backgrounds that differ in every byte,
// so that any byte written there differs from one of them.
void CheckEncodeStaysInBlocks(const model::Settings& s, const SettingsImageBytes& background) {
  static SettingsImageBytes dirty, before;
  for (bool invert : {false, true}) {
    dirty = background;
    if (invert) InvertOutside(dirty);
    before = dirty;
    protocol::EncodeImage(s, dirty);
    Check(SameOutside(dirty, before));
  }
}

// The settings as writing them and reading them back gives them.
model::Settings AsWritten(model::Settings s) {
  for (size_t i = 0; i < model::kFieldCount; ++i) {
    const model::FieldId f(i);
    if (model::kFields[i].kind == model::Kind::Index && s.Index(f) < 0) s.SetIndex(f, 0);
  }
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static SettingsImageBytes image, written;
  FillImage(data, size, image);

  model::Settings read;
  protocol::DecodeImage(image, read);
  {
    static SettingsImageBytes other;
    other = image;
    InvertOutside(other);
    model::Settings read_other;
    protocol::DecodeImage(other, read_other);
    Check(read_other == read);
  }
  for (size_t i = 0; i < model::kFieldCount; ++i) {
    const model::Field& f = model::kFields[i];
    if (f.width) Check(read.Text(model::FieldId(i)).size() <= f.width);
  }

  // As read, and as the window or gsmcfg keeps it after its change rules.
  model::Settings corrected = read;
  model::ApplyChangeRules(corrected);
  CheckEncodeStaysInBlocks(corrected, image);
  for (const model::Settings& s : {read, corrected}) {
    protocol::ClearImage(written);
    protocol::EncodeError error;
    Check(protocol::EncodeImage(s, written, &error));
    model::Settings back;
    protocol::DecodeImage(written, back);
    Check(back == AsWritten(s));
  }

  // The rules leave a corrected value alone.
  model::Settings again = corrected;
  model::ApplyChangeRules(again);
  Check(again == corrected);
  return 0;
}
