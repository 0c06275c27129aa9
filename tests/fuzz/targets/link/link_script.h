// The input of the link target: a script of events around one engine and
// its host, one operation after another. Each operation is one byte, the
// kind in its top three bits and an argument a (0 to 31) in the rest,
// followed by the bytes it takes:
//
//   Bytes    a + 1 bytes follow; they arrive as one receive event
//   Advance  the clock moves by kSteps[a % 8] * (a / 8 + 1) ms, firing the
//            timers that fall due on the way
//   Answer   the unit answers the last frame sent: bit 0 negative status,
//            bit 1 a damaged check byte, bit 2 a read reply of only the
//            number of bytes in the next input byte (below 128), bits 3-4
//            how it arrives (Split)
//   Frame    a frame of the input's choice: code, address high, address
//            low, length L and L data bytes follow; bit 0 damaged check,
//            bits 3-4 how it arrives (Split)
//   Button   a % 3: "Save Settings", "Read Settings", "Stop" (ignored while
//            a message box is up)
//   OnYield  the next a + 1 operations run while the host handles its
//            events before the engine parses the next received byte
//   OnBox    the next a + 1 operations run while the next message box is up
//   Set      bit 0: the next port opening fails; bit 1: the next download
//            finds a setting it cannot encode
//
// Split: 0 whole, 1 a byte per event, 2 in two events at the position the
// next input byte gives, 3 in events of three bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace linkfuzz {

enum class Op : uint8_t {
  Bytes = 0x00,
  Advance = 0x20,
  Answer = 0x40,
  Frame = 0x60,
  Button = 0x80,
  OnYield = 0xA0,
  OnBox = 0xC0,
  Set = 0xE0,
};

inline constexpr std::array<uint32_t, 8> kSteps = {1, 5, 20, 100, 200, 500, 1000, 2000};

// Answer and Frame argument bits.
inline constexpr uint8_t kNegative = 0x01;
inline constexpr uint8_t kDamaged = 0x02;
inline constexpr uint8_t kShortRead = 0x04;
enum class Split : uint8_t { Whole = 0, Bytewise = 1, InTwo = 2, ByThree = 3 };
inline constexpr uint8_t SplitBits(Split s) { return uint8_t(uint8_t(s) << 3); }

enum class Button : uint8_t { Save = 0, Read = 1, Stop = 2 };

// Builds scripts, for the seeds.
class Script {
 public:
  Script& Raw(std::vector<uint8_t> bytes);  // in events of at most 32 bytes
  Script& Advance(uint32_t ms);             // in the largest steps there are
  Script& Answer(uint8_t flags = 0, Split split = Split::Whole, uint8_t arg = 0);
  Script& Frame(uint8_t code, uint16_t address, const std::vector<uint8_t>& data, uint8_t flags = 0,
                Split split = Split::Whole, uint8_t arg = 0);
  Script& Press(Button b);
  Script& OnYield(uint8_t ops);
  Script& OnBox(uint8_t ops);
  Script& Set(uint8_t bits);

  const std::vector<uint8_t>& Bytes() const { return out_; }

 private:
  void Put(Op op, uint8_t a) { out_.push_back(uint8_t(uint8_t(op) | (a & 0x1F))); }
  std::vector<uint8_t> out_;
};

}  // namespace linkfuzz
