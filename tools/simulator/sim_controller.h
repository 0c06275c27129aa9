// A simulated alarm controller: its 65,536-byte configuration memory and its
// side of the serial link. Bytes from the configurator go in, reply frames
// come out. No I/O and no clock: the program around it (or a test) moves the
// bytes and decides when a reply is delivered.
//
// It answers
//   connect (0x07)  -> 0x08, status 1
//   prepare (0x05)  -> 0x06, status 1; erases the 256-byte area to 0xFF,
//                      as flash memory is erased before it is written
//   write   (0x01)  -> 0x02, status 1; stores the data at the address
//   read    (0x03)  -> 0x04 with the 128 bytes from the address
// and ignores any other code. Faults can be injected per reply, driven by a
// seed so that a run can be repeated.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace sim {

constexpr size_t kMemorySize = 65536;
using Memory = std::array<uint8_t, kMemorySize>;

struct FaultOptions {
  double corrupt_rate = 0;   // one bit of the reply flipped
  double drop_rate = 0;      // no reply at all
  double negative_rate = 0;  // status 0 instead of 1 (replies with a status)
  uint32_t seed = 1;
  // A command that is never answered: its code, and its address unless any.
  std::optional<uint8_t> mute_code;
  std::optional<uint16_t> mute_address;
  // A block that is stored wrongly yet acknowledged: the write at this
  // address keeps the byte at miswrite_offset inverted.
  std::optional<uint16_t> miswrite_address;
  uint8_t miswrite_offset = 1;
};

struct Stats {
  unsigned long frames = 0;      // commands received with a good check
  unsigned long bad_frames = 0;  // frames with a wrong check
  unsigned long probes = 0;
  unsigned long prepares = 0;
  unsigned long writes = 0;
  unsigned long reads = 0;
  unsigned long ignored = 0;     // unknown codes, muted commands, probes while powering on
  unsigned long corrupted = 0;
  unsigned long dropped = 0;
  unsigned long negative = 0;
  unsigned long unprepared_writes = 0;  // a write to an area not prepared before
  unsigned long miswrites = 0;          // blocks stored wrongly on purpose
};

class Controller {
 public:
  explicit Controller(const Memory& initial, FaultOptions faults = {});

  // Feeds received bytes; returns the reply frames they complete, in order
  // (each already subject to the fault options).
  std::vector<std::vector<uint8_t>> Feed(const uint8_t* bytes, size_t n);
  // The same into a list the caller keeps (cleared first), so that a caller
  // that feeds often allocates no list each time.
  void Feed(const uint8_t* bytes, size_t n, std::vector<std::vector<uint8_t>>& replies);

  // While true, connect probes are ignored (the unit is still powering on).
  void SetPoweringOn(bool v) { powering_on_ = v; }

  const Memory& memory() const { return mem_; }
  Memory& memory() { return mem_; }
  const Stats& stats() const { return stats_; }
  // True once a write has changed the memory since the last call.
  bool TakeDirty();

 private:
  // A whole frame with a good check.
  std::optional<std::vector<uint8_t>> Handle(std::span<const uint8_t> frame);
  std::optional<std::vector<uint8_t>> ApplyFaults(uint8_t code, std::vector<uint8_t> reply);
  bool Chance(double rate);

  Memory mem_;
  FaultOptions faults_;
  std::mt19937 rng_;
  std::vector<uint8_t> buf_;  // bytes of a frame in progress, from its start byte
  std::array<bool, 256> prepared_{};  // per 256-byte area, since the last write session
  bool powering_on_ = false;
  bool dirty_ = false;
  Stats stats_;
};

// The memory of a controller as it leaves the factory.
Memory FactoryMemory();

// Parses "connect", "prepare", "write" or "read", optionally with
// ":ADDRESS" (hex, 0x optional). False on anything else.
bool ParseMuteOption(const std::string& option, FaultOptions& faults);

// Parses "ADDRESS" or "ADDRESS:OFFSET" (address hex, 0x optional; offset
// decimal, below 128). False on anything else.
bool ParseMiswriteOption(const std::string& option, FaultOptions& faults);

}  // namespace sim
