// The settings image: the tool's byte-for-byte mirror of the controller's
// configuration memory, and its encoding from and decoding into the settings
// controls.
//
// The byte at offset A is the controller's byte at address A; 0xFF means
// "not set" everywhere. Texts are single-byte text of the controls' ANSI code
// page, copied unchanged. The functions work on any SettingsModel, so the
// window and the tests share them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/settings_model.h"

namespace protocol {

constexpr size_t kImageSize = 65536;
using SettingsImageBytes = std::array<uint8_t, kImageSize>;

// Field addresses of the layout.
namespace addr {
constexpr uint16_t kTel = 0x0200;        // 5 x 16 bytes
constexpr uint16_t kSms = 0x0400;        // 3 x 16 bytes
constexpr uint16_t kRco = 0x0A00;
constexpr uint16_t kRtt = 0x0A01;
constexpr uint16_t kPdat = 0x0A02;
constexpr uint16_t kAdt = 0x0A04;
constexpr uint16_t kStartHour = 0x0A05;  // then start minute, stop hour, stop minute
constexpr uint16_t kGja = 0x0A0E;
constexpr uint16_t kInputType = 0x0A0F;  // 8 bytes, input 1 first
constexpr uint16_t kRelayTime = 0x0A17;
constexpr uint16_t kTextEncoding = 0x0A18;
constexpr uint16_t kRelayEnable = 0x0A19;
constexpr uint16_t kPassword = 0x0C00;   // 6 bytes
constexpr uint16_t kArm = 0x0E00;
constexpr uint16_t kVolume = 0x0E01;
constexpr uint16_t kFixed = 0x0E02;      // always 0x81
constexpr uint16_t kAlarmText = 0x1600;  // 8 x 32 bytes
constexpr uint16_t kRecoverText = 0x1800;  // 8 x 32 bytes
}  // namespace addr

constexpr size_t kTelWidth = 16;
constexpr size_t kTextWidth = 32;
constexpr size_t kPasswordWidth = 6;
constexpr uint8_t kFixedByte = 0x81;
// Encoding byte value for SMS texts held as UCS-2 (any other: byte text).
constexpr uint8_t kUcs2Texts = 0x01;

// The nine 128-byte blocks a transfer carries, in transfer order.
constexpr size_t kBlockSize = 128;
constexpr std::array<uint16_t, 9> kImageBlocks = {0x0200, 0x0400, 0x0A00, 0x0C00, 0x0E00,
                                                  0x1600, 0x1680, 0x1800, 0x1880};

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

// Fills the image from the settings. Expects a cleared image. Drop-downs with
// no item selected get item 0 selected first (the window shows it). Returns
// false at the first setting that cannot be encoded, with *error naming it:
// a number that is not an integer or does not fit one byte (0 to 255), or a
// text longer than its field. Fields encoded before it stay in the image.
bool EncodeImage(const SettingsModel& model, SettingsImageBytes& image, std::string* error = nullptr);

// Sets every setting from the image. The edits' change rules run as their
// texts are set. UCS-2 texts are converted to the ANSI code page. Returns
// false when a step failed; the settings set before it keep their values.
bool DecodeImage(const SettingsModel& model, const SettingsImageBytes& image);

}  // namespace protocol
