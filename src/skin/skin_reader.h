// TSkinReader: splits an expanded skin container into named entries (BMP
// images and one INI text), and the container writer that builds one.
//
// Container, little-endian: version (20000), L = length of the name list,
// two words not interpreted, L bytes of names each ended by CR LF, one signed
// 32-bit size per name, then the entries' bytes concatenated in name order.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "framework/component.h"

namespace skin {

// A damaged skin: sizes or counts that do not fit the data, or an image that
// is not a valid BMP.
class ESkinError : public fw::Exception {
 public:
  using fw::Exception::Exception;
};

// The decompressor could not expand the skin (see TLZH); the message is the
// decompressor's.
class ElzhException : public fw::Exception {
 public:
  using fw::Exception::Exception;
};

inline constexpr uint32_t kSkinVersion = 20000;
inline constexpr int kMaxSkinEntries = 1001;
// Shown (with caption "Information") when the container has another version.
inline constexpr const char* kOlderSkinMessage = "This is Older Skin File\rPlease update to new version !";

class TSkinReader {
 public:
  // Expands the compressed stream and keeps its entries. Returns false,
  // after showing kOlderSkinMessage, when the version is not 20000; nothing
  // is kept then. Raises ElzhException (from the decompressor) or ESkinError
  // when the stream is damaged.
  bool LoadContainer(std::span<const uint8_t> compressed);
  // The same for an already expanded container.
  bool LoadExpanded(std::span<const uint8_t> container);

  // Replaces stream with the entry whose stored name equals name
  // lower-cased; leaves it empty when there is none.
  void ExtractEntry(const std::string& name, std::vector<uint8_t>& stream) const;
  // The same for the first entry, in container order, whose stored name
  // contains fragment (not lower-cased). Sets full_name to that entry's name;
  // leaves it unchanged when nothing matches.
  void ExtractEntryContaining(const std::string& fragment, std::vector<uint8_t>& stream,
                              std::string& full_name) const;

  int Count() const { return int(names_.size()); }
  // Stored (lower-cased) names, in container order.
  const std::vector<std::string>& Names() const { return names_; }
  const std::vector<int32_t>& Sizes() const { return sizes_; }
  const std::array<uint8_t, 16>& Header() const { return header_; }

 private:
  void Clear();
  std::vector<std::string> names_;
  std::vector<int32_t> sizes_;
  std::vector<size_t> offsets_;  // start of each entry in data_
  std::vector<uint8_t> data_;
  std::array<uint8_t, 16> header_{};
};

// One entry for the writer. Names must not contain CR or LF; the reader
// lower-cases them, so write them lower-case to read back the same.
struct SkinEntry {
  std::string name;
  std::vector<uint8_t> data;
};

// Builds an expanded container (what LoadExpanded reads). Raises ESkinError
// for more than kMaxSkinEntries entries, a name with CR or LF, or an entry
// larger than 2 GiB.
std::vector<uint8_t> WriteContainer(const std::vector<SkinEntry>& entries);
// WriteContainer followed by LzhCompress: a stream LoadContainer reads.
std::vector<uint8_t> PackSkin(const std::vector<SkinEntry>& entries);

}  // namespace skin
