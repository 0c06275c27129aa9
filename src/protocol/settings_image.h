// The settings image: the tool's byte-for-byte mirror of the controller's
// configuration memory, and its encoding from and decoding into a Settings
// value.
//
// The byte at offset A is the controller's byte at address A; 0xFF means
// "not set" everywhere. Texts are single-byte text of the ANSI code page,
// copied unchanged. Where each setting lives is a column of the field table.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "model/settings.h"

namespace protocol {

constexpr size_t kImageSize = 65536;
using SettingsImageBytes = std::array<uint8_t, kImageSize>;

// Bytes that carry no setting: the SMS text encoding byte, written 0x00
// (byte texts) and read 0x01 for UCS-2 texts, and a fixed byte.
constexpr uint16_t kTextEncodingAddress = 0x0A18;
constexpr uint8_t kByteTexts = 0x00;
constexpr uint8_t kUcs2Texts = 0x01;
constexpr uint16_t kFixedAddress = 0x0E02;
constexpr uint8_t kFixedByte = 0x81;

// The nine 128-byte blocks a transfer carries, in transfer order.
constexpr size_t kBlockSize = 128;
constexpr std::array<uint16_t, 9> kImageBlocks = {0x0200, 0x0400, 0x0A00, 0x0C00, 0x0E00,
                                                  0x1600, 0x1680, 0x1800, 0x1880};

// A download prepares each 256-byte area before its first block; the
// second block of an area follows its first without a prepare.
constexpr bool StartsArea(uint16_t block) { return block % 256 == 0; }

// The position of a block in kImageBlocks, or nullopt for an address that
// starts no block.
constexpr std::optional<size_t> BlockNumber(uint16_t address) {
  for (size_t i = 0; i < kImageBlocks.size(); ++i)
    if (kImageBlocks[i] == address) return i;
  return std::nullopt;
}

// Sets every byte to 0xFF.
void ClearImage(SettingsImageBytes& image);

// Copies every byte of text to address, address + 1, ...; false (and nothing
// written) when the text would run past the end of the image.
bool PutText(SettingsImageBytes& image, const std::string& text, uint16_t address);
bool PutByte(SettingsImageBytes& image, uint8_t value, uint16_t address);

uint8_t GetByte(const SettingsImageBytes& image, uint16_t address);
// At most max_bytes bytes from address on, ending before the first 0x00 or
// 0xFF, and never past the end of the image.
std::string GetText(const SettingsImageBytes& image, uint16_t address, size_t max_bytes);
// At most max_units UCS-2 code units, high byte first, ending before the
// first unit with a 0xFF byte, and never past the end of the image. A unit
// 0x0000 does not end the scan.
std::u16string GetWideText(const SettingsImageBytes& image, uint16_t address, size_t max_units);

struct EncodeError {
  model::FieldId field{size_t(0)};  // the setting that could not be encoded
  std::string text;                 // what is wrong, naming the setting
};

// Fills the image from the settings, walking the field table, then writes
// the fixed bytes. Expects a cleared image. A drop-down with no item
// selected is sent as item 0. Returns false at the first setting that cannot
// be encoded: a number that is not an integer or does not fit one byte (0 to
// 255), or a text longer than its field. The settings before it stay encoded
// and everything after it stays 0xFF.
bool EncodeImage(const model::Settings& settings, SettingsImageBytes& image, EncodeError* error = nullptr);

// Sets every setting the image carries (all but the port name). UCS-2 texts
// are converted to the ANSI code page. No change rule runs here.
void DecodeImage(const SettingsImageBytes& image, model::Settings& settings);

}  // namespace protocol
