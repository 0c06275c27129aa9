// Frames of the serial link between the configurator and the controller.
//
// Both directions use one format (multi-byte values high byte first):
//   0x0B, code, L, address high, address low, L data bytes, check
// where check is the XOR of every byte before it, the start byte included.
// A frame is L + 6 bytes long and carries no escaping: its end is known from
// L alone. A reply carries the code of the command it answers plus one.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace protocol {

constexpr uint8_t FRAME_START = 0x0B;

constexpr uint8_t CMD_WRITE = 0x01;
constexpr uint8_t RSP_WRITE = 0x02;
constexpr uint8_t CMD_READ = 0x03;
constexpr uint8_t RSP_READ = 0x04;
constexpr uint8_t CMD_PREPARE = 0x05;
constexpr uint8_t RSP_PREPARE = 0x06;
constexpr uint8_t CMD_CONNECT = 0x07;
constexpr uint8_t RSP_CONNECT = 0x08;

// Status byte (data byte 0) of a positive reply; anything else is negative.
constexpr uint8_t STATUS_OK = 0x01;

constexpr size_t kMaxData = 255;
constexpr size_t kMaxFrame = kMaxData + 6;
constexpr size_t kShortFrame = 7;  // every command but a write

// One frame, as received or as about to be sent. Data beyond Length are
// meaningless; a cleared frame holds 0xFF there.
struct LinkFrame {
  uint8_t Start = 0;
  uint8_t Code = 0;
  uint8_t Length = 0;
  uint16_t Address = 0;
  std::array<uint8_t, kMaxData> Data;
  uint8_t Check = 0;

  LinkFrame() { Data.fill(0xFF); }
  // The status byte of a reply that carries one.
  uint8_t Status() const { return Data[0]; }
};

// XOR of the bytes.
uint8_t FrameCheck(std::span<const uint8_t> bytes);

// The wire bytes of a frame: start, code, length, address, Length data bytes
// and a freshly computed check (the frame's own Start and Check are ignored).
std::vector<uint8_t> EncodeFrame(const LinkFrame& frame);

// A 7-byte command: code, L = 1, the address and one 0x00 data byte.
std::array<uint8_t, kShortFrame> ShortCommand(uint8_t code, uint16_t address);

// The connection probe: 0B 07 01 00 00 00 0D.
std::array<uint8_t, kShortFrame> ProbeFrame();

// A reply frame as the controller builds it: code, address and data.
std::vector<uint8_t> BuildFrame(uint8_t code, uint16_t address, std::span<const uint8_t> data);

}  // namespace protocol
