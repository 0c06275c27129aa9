#include "protocol/transfer_engine.h"

#include <cstring>

namespace devlink {

namespace {

// A command is sent at most this many times before the engine gives up.
constexpr int kMaxSendings = 4;

// The 256-byte areas that a write may follow a prepare for.
bool IsPreparedArea(uint16_t a) {
  switch (a) {
    case 0x0200: case 0x0400: case 0x0A00: case 0x0C00:
    case 0x0E00: case 0x1600: case 0x1800:
      return true;
    default:
      return false;
  }
}

// Sets a flag for the lifetime of a scope, also when it is left by an
// exception.
class FlagGuard {
 public:
  explicit FlagGuard(bool& f) : f_(f) { f_ = true; }
  ~FlagGuard() { f_ = false; }
  FlagGuard(const FlagGuard&) = delete;
  FlagGuard& operator=(const FlagGuard&) = delete;

 private:
  bool& f_;
};

}  // namespace

std::string TrimPortName(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

TransferEngine::TransferEngine(TransferHost& host, int& download_flag, int& retry_count)
    : host_(host), download_flag_(download_flag), retry_count_(retry_count) {}

TransferEngine::TransferEngine(TransferHost& host)
    : host_(host), download_flag_(own_download_flag_), retry_count_(own_retry_count_) {}

// ---------------------------------------------------------------- starting

void TransferEngine::AbandonAttempt() {
  host_.StopTimer(LinkTimer::Probe);
  host_.StopTimer(LinkTimer::Response);
  host_.StopTimer(LinkTimer::Close);
  rx_.Reset();
  pending_.clear();
  retry_count_ = 0;
  resend_ = ResendBuffer{};
  probing_ = false;
  awaiting_ = false;
}

void TransferEngine::OpenAndProbe() {
  try {
    host_.SetLamp(LinkLamp::Port, false);
    host_.SetLamp(LinkLamp::Traffic, false);
    host_.ClosePort();
    host_.OpenPort(TrimPortName(host_.PortName()));
    host_.SetLamp(LinkLamp::Port, true);
    host_.StartTimer(LinkTimer::Probe);
    probing_ = true;
  } catch (...) {
    host_.ShowStatus(kTextComError);
  }
}

void TransferEngine::StartDownload() {
  AbandonAttempt();
  host_.ClearImage();
  std::string error;
  if (!host_.EncodeImage(&error)) {
    // A half-encoded image would overwrite the controller's later fields
    // with 0xFF: send nothing and say which setting is at fault.
    CloseAction();
    host_.Inform("Settings not saved: " + (error.empty() ? std::string("a setting cannot be encoded") : error));
    return;
  }
  download_flag_ = 1;
  OpenAndProbe();
}

void TransferEngine::StartUpload() {
  AbandonAttempt();
  host_.ClearImage();
  host_.ShowStatus(kTextUploading);
  download_flag_ = 0;
  OpenAndProbe();
}

void TransferEngine::Stop() {
  AbandonAttempt();
  CloseAction();
  host_.ShowStatus(kTextComClose);
}

void TransferEngine::CloseAction() {
  host_.SetLamp(LinkLamp::Port, false);
  host_.SetLamp(LinkLamp::Traffic, false);
  host_.ClosePort();
}

void TransferEngine::OpenAction() {
  try {
    host_.SetLamp(LinkLamp::Port, false);
    host_.SetLamp(LinkLamp::Traffic, false);
    host_.ClosePort();
    host_.OpenPort(TrimPortName(host_.PortName()));
    host_.SetLamp(LinkLamp::Port, true);
  } catch (...) {
  }
}

// ---------------------------------------------------------------- timers

void TransferEngine::ProbeTick() {
  host_.ToggleLamp(LinkLamp::Traffic);
  const auto probe = ProbeFrame();
  host_.Send(probe.data(), probe.size());
  host_.ShowStatus(kTextConnecting);
}

void TransferEngine::ResponseTick() {
  if (!awaiting_) {
    // A tick left over from a command that has been answered or abandoned.
    host_.StopTimer(LinkTimer::Response);
    return;
  }
  if (retry_count_ < kMaxSendings) {
    // Start the receiver afresh with the new sending: a frame still open
    // after 2 s is almost surely one whose length byte was damaged upwards,
    // and it would swallow the replies to every retransmission.
    rx_.Reset();
    host_.Send(resend_.Bytes.data(), resend_.Length);
    ++retry_count_;
    return;
  }
  awaiting_ = false;
  CloseAction();
  host_.StopTimer(LinkTimer::Response);
  host_.Inform(kTextOverTime);
}

void TransferEngine::CloseTick() {
  CloseAction();
  host_.StopTimer(LinkTimer::Close);
}

// ---------------------------------------------------------------- sending

void TransferEngine::SendCommand(const uint8_t* bytes, size_t n, uint8_t code, uint16_t address) {
  host_.Send(bytes, n);
  host_.StopTimer(LinkTimer::Response);
  retry_count_ = 1;
  std::memcpy(resend_.Bytes.data(), bytes, n);
  resend_.Length = uint16_t(n);
  awaiting_ = true;
  awaited_code_ = code;
  awaited_address_ = address;
  host_.StartTimer(LinkTimer::Response);
}

void TransferEngine::LoadWriteBlock(uint16_t address, uint8_t count) {
  tx_.Start = FRAME_START;
  tx_.Code = CMD_WRITE;
  tx_.Length = count;
  tx_.Address = address;
  const size_t room = kImageSize - address;
  const size_t n = count < room ? count : room;
  std::memcpy(tx_.Data.data(), host_.Image() + address, n);
  std::memset(tx_.Data.data() + n, 0xFF, tx_.Data.size() - n);
}

void TransferEngine::SendTxFrame() {
  const auto bytes = EncodeFrame(tx_);
  tx_.Check = bytes.back();
  SendCommand(bytes.data(), bytes.size(), tx_.Code, tx_.Address);
}

void TransferEngine::SendShortCommand(uint8_t code, uint16_t address) {
  const auto bytes = ShortCommand(code, address);
  SendCommand(bytes.data(), bytes.size(), code, address);
}

// ---------------------------------------------------------------- receiving

void TransferEngine::ReceiveData(const uint8_t* bytes, uint16_t n) {
  host_.ToggleLamp(LinkLamp::Traffic);
  for (uint16_t i = 0; i < n; ++i) {
    if (pending_.size() >= kMaxPending) {
      dropped_bytes_ += n - i;
      break;
    }
    pending_.push_back(bytes[i]);
  }
  if (draining_) return;  // the outer call parses these in turn
  FlagGuard guard(draining_);
  while (!pending_.empty()) {
    host_.Yield();
    if (pending_.empty()) break;  // an abandoned attempt dropped them
    const uint8_t c = pending_.front();
    pending_.pop_front();
    if (const LinkFrame* f = rx_.Feed(c)) OnVerifiedFrame(*f);
  }
}

bool TransferEngine::AnswersOutstanding(const LinkFrame& f) const {
  if (f.Code == RSP_CONNECT) return probing_;
  return awaiting_ && f.Code == uint8_t(awaited_code_ + 1) && f.Address == awaited_address_;
}

void TransferEngine::OnVerifiedFrame(const LinkFrame& frame) {
  if (!AnswersOutstanding(frame)) {
    ++dropped_replies_;
    return;
  }
  host_.StopTimer(LinkTimer::Response);
  if (frame.Code != RSP_CONNECT) awaiting_ = false;
  const LinkFrame copy = frame;  // the receiver's frame is reused while the reply is handled
  DispatchReply(copy);
}

void TransferEngine::StoreReadData(const LinkFrame& f) {
  const size_t room = kImageSize - f.Address;
  const size_t n = f.Length < room ? f.Length : room;
  std::memcpy(host_.Image() + f.Address, f.Data.data(), n);
}

void TransferEngine::DispatchReply(const LinkFrame& f) {
  try {
    const bool ok = f.Status() == STATUS_OK;
    switch (f.Code) {
      case RSP_CONNECT:
        if (!ok) return;
        probing_ = false;
        host_.StopTimer(LinkTimer::Probe);
        host_.ShowStatus("");
        SendShortCommand(download_flag_ == 1 ? CMD_PREPARE : CMD_READ, 0x0200);
        return;

      case RSP_PREPARE:
        if (!ok) {
          SendShortCommand(CMD_PREPARE, f.Address);
        } else if (IsPreparedArea(f.Address)) {
          LoadWriteBlock(f.Address, kBlockSize);
          SendTxFrame();
        }
        return;

      case RSP_WRITE:
        if (!ok) {
          SendTxFrame();
          return;
        }
        switch (f.Address) {
          case 0x0200: SendShortCommand(CMD_PREPARE, 0x0400); break;
          case 0x0400: SendShortCommand(CMD_PREPARE, 0x0A00); break;
          case 0x0A00: SendShortCommand(CMD_PREPARE, 0x0C00); break;
          case 0x0C00: SendShortCommand(CMD_PREPARE, 0x0E00); break;
          case 0x0E00: SendShortCommand(CMD_PREPARE, 0x1600); break;
          case 0x1600: LoadWriteBlock(0x1680, kBlockSize); SendTxFrame(); break;
          case 0x1680: SendShortCommand(CMD_PREPARE, 0x1800); break;
          case 0x1800: LoadWriteBlock(0x1880, kBlockSize); SendTxFrame(); break;
          case 0x1880:
            host_.Inform(kTextDownloadOk);
            host_.StartTimer(LinkTimer::Close);
            break;
          default: break;
        }
        return;

      case RSP_READ: {
        StoreReadData(f);
        uint16_t next = 0;
        switch (f.Address) {
          case 0x0200: next = 0x0400; break;
          case 0x0400: next = 0x0A00; break;
          case 0x0A00: next = 0x0C00; break;
          case 0x0C00: next = 0x0E00; break;
          case 0x0E00: next = 0x1600; break;
          case 0x1600: next = 0x1680; break;
          case 0x1680: next = 0x1800; break;
          case 0x1800: next = 0x1880; break;
          case 0x1880:
            host_.DecodeImage();
            host_.Inform(kTextUploadOk);
            host_.StartTimer(LinkTimer::Close);
            return;
          default: return;
        }
        SendShortCommand(CMD_READ, next);
        return;
      }

      default:
        return;
    }
  } catch (...) {
    // A failing step leaves the transfer where it is; the response timer
    // (when a command is outstanding) recovers or gives up.
  }
}

}  // namespace devlink
