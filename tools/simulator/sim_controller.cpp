#include "simulator/sim_controller.h"

#include <algorithm>
#include <cstring>

#include "protocol/link_frame.h"
#include "protocol/settings_image.h"

namespace sim {

using namespace protocol;

Controller::Controller(const Memory& initial, FaultOptions faults)
    : mem_(initial), faults_(faults), rng_(faults.seed) {}

bool Controller::TakeDirty() {
  const bool d = dirty_;
  dirty_ = false;
  return d;
}

bool Controller::Chance(double rate) {
  if (rate <= 0) return false;
  return std::uniform_real_distribution<double>(0.0, 1.0)(rng_) < rate;
}

std::vector<std::vector<uint8_t>> Controller::Feed(const uint8_t* bytes, size_t n) {
  std::vector<std::vector<uint8_t>> replies;
  Feed(bytes, n, replies);
  return replies;
}

void Controller::Feed(const uint8_t* bytes, size_t n, std::vector<std::vector<uint8_t>>& replies) {
  replies.clear();
  buf_.insert(buf_.end(), bytes, bytes + n);
  for (;;) {
    // Resynchronise on a start byte.
    auto start = std::find(buf_.begin(), buf_.end(), FRAME_START);
    buf_.erase(buf_.begin(), start);
    if (buf_.size() < 3) break;
    const size_t need = size_t(buf_[2]) + 6;
    if (buf_.size() < need) break;
    const uint8_t check = FrameCheck(std::span<const uint8_t>(buf_.data(), need - 1));
    if (check != buf_[need - 1]) {
      // Not a frame after all: look for the next start byte after this one.
      ++stats_.bad_frames;
      buf_.erase(buf_.begin());
      continue;
    }
    ++stats_.frames;
    auto reply = Handle(std::span<const uint8_t>(buf_.data(), need));
    buf_.erase(buf_.begin(), buf_.begin() + std::ptrdiff_t(need));
    if (reply) replies.push_back(std::move(*reply));
  }
}

std::optional<std::vector<uint8_t>> Controller::Handle(std::span<const uint8_t> f) {
  const uint8_t code = f[1];
  const uint8_t len = f[2];
  const uint16_t addr = uint16_t((f[3] << 8) | f[4]);
  const uint8_t* data = f.data() + 5;

  if (powering_on_) {
    ++stats_.ignored;
    return std::nullopt;
  }
  if (faults_.mute_code && *faults_.mute_code == code &&
      (!faults_.mute_address || *faults_.mute_address == addr)) {
    ++stats_.ignored;
    return std::nullopt;
  }

  const uint8_t ok[1] = {STATUS_OK};
  std::vector<uint8_t> reply;
  switch (code) {
    case CMD_CONNECT:
      ++stats_.probes;
      prepared_.fill(false);
      reply = BuildFrame(RSP_CONNECT, 0x0000, ok);
      break;
    case CMD_PREPARE: {
      ++stats_.prepares;
      const size_t area = addr >> 8;
      prepared_[area] = true;
      std::memset(mem_.data() + area * 256, 0xFF, 256);
      dirty_ = true;
      reply = BuildFrame(RSP_PREPARE, addr, ok);
      break;
    }
    case CMD_WRITE: {
      ++stats_.writes;
      if (!prepared_[addr >> 8]) ++stats_.unprepared_writes;
      const size_t n = std::min<size_t>(len, kMemorySize - addr);
      std::memcpy(mem_.data() + addr, data, n);
      if (faults_.miswrite_address == addr && faults_.miswrite_offset < n) {
        mem_[addr + faults_.miswrite_offset] ^= 0xFF;
        ++stats_.miswrites;
      }
      dirty_ = true;
      reply = BuildFrame(RSP_WRITE, addr, ok);
      break;
    }
    case CMD_READ: {
      ++stats_.reads;
      const size_t n = std::min<size_t>(protocol::kBlockSize, kMemorySize - addr);
      reply = BuildFrame(RSP_READ, addr, std::span<const uint8_t>(mem_.data() + addr, n));
      break;
    }
    default:
      ++stats_.ignored;
      return std::nullopt;
  }
  return ApplyFaults(code, std::move(reply));
}

std::optional<std::vector<uint8_t>> Controller::ApplyFaults(uint8_t code, std::vector<uint8_t> reply) {
  if (Chance(faults_.drop_rate)) {
    ++stats_.dropped;
    return std::nullopt;
  }
  if (code != CMD_READ && Chance(faults_.negative_rate)) {
    ++stats_.negative;
    reply[5] = 0x00;
    reply.back() = FrameCheck(std::span<const uint8_t>(reply.data(), reply.size() - 1));
  }
  if (Chance(faults_.corrupt_rate)) {
    ++stats_.corrupted;
    const size_t at = std::uniform_int_distribution<size_t>(0, reply.size() - 1)(rng_);
    const int bit = std::uniform_int_distribution<int>(0, 7)(rng_);
    reply[at] ^= uint8_t(1u << bit);
  }
  return reply;
}

namespace {

// Up to four hex digits, "0x" optional.
std::optional<uint16_t> ParseHexAddress(std::string a) {
  if (a.rfind("0x", 0) == 0 || a.rfind("0X", 0) == 0) a = a.substr(2);
  if (a.empty() || a.size() > 4) return std::nullopt;
  unsigned v = 0;
  for (char c : a) {
    v <<= 4;
    if (c >= '0' && c <= '9') v |= unsigned(c - '0');
    else if (c >= 'a' && c <= 'f') v |= unsigned(c - 'a' + 10);
    else if (c >= 'A' && c <= 'F') v |= unsigned(c - 'A' + 10);
    else return std::nullopt;
  }
  return uint16_t(v);
}

}  // namespace

bool ParseMuteOption(const std::string& option, FaultOptions& faults) {
  const auto colon = option.find(':');
  const std::string name = option.substr(0, colon);
  uint8_t code;
  if (name == "connect") code = CMD_CONNECT;
  else if (name == "prepare") code = CMD_PREPARE;
  else if (name == "write") code = CMD_WRITE;
  else if (name == "read") code = CMD_READ;
  else return false;
  std::optional<uint16_t> address;
  if (colon != std::string::npos) {
    address = ParseHexAddress(option.substr(colon + 1));
    if (!address) return false;
  }
  faults.mute_code = code;
  faults.mute_address = address;
  return true;
}

bool ParseMiswriteOption(const std::string& option, FaultOptions& faults) {
  const auto colon = option.find(':');
  const auto address = ParseHexAddress(option.substr(0, colon));
  if (!address) return false;
  unsigned offset = 1;
  if (colon != std::string::npos) {
    const std::string o = option.substr(colon + 1);
    if (o.empty() || o.size() > 3 || o.find_first_not_of("0123456789") != std::string::npos) return false;
    offset = unsigned(std::stoul(o));
    if (offset >= 128) return false;
  }
  faults.miswrite_address = address;
  faults.miswrite_offset = uint8_t(offset);
  return true;
}

}  // namespace sim
