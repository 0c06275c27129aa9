#include "protocol/transfer_engine.h"

#include <cstring>
#include <exception>
#include <optional>
#include <utility>

#include "text/ascii.h"

namespace protocol {

std::string TrimPortName(const std::string& s) { return std::string(text::Trim(s)); }

TransferEngine::TransferEngine(TransferHost& host) : host_(host) { ClearImage(image_); }

void TransferEngine::Report(TransferEvent e, uint16_t block, std::string detail) {
  host_.Report(TransferReport{e, block, std::move(detail)});
}

// ---------------------------------------------------------------- starting

void TransferEngine::AbandonAttempt() {
  host_.StopTimer(LinkTimer::Probe);
  host_.StopTimer(LinkTimer::Response);
  host_.StopTimer(LinkTimer::Close);
  rx_.Reset();
  pending_.clear();
  parsed_ = 0;
  retry_count_ = 0;
  resend_ = ResendBuffer{};
  probing_ = false;
  awaiting_ = false;
}

void TransferEngine::OpenAndProbe() {
  try {
    OpenAction();
  } catch (const std::exception& e) {
    Report(TransferEvent::PortError, 0, e.what());
    return;
  } catch (...) {
    Report(TransferEvent::PortError, 0, "unknown error");
    return;
  }
  host_.StartTimer(LinkTimer::Probe, kProbePeriod);
  probing_ = true;
}

void TransferEngine::StartDownload() {
  AbandonAttempt();
  ClearImage(image_);
  std::string error;
  if (!host_.EncodeSettings(image_, &error)) {
    // A half-encoded image would overwrite the controller's later fields
    // with 0xFF: send nothing and say which setting is at fault.
    CloseAction();
    Report(TransferEvent::NotEncodable, 0, std::move(error));
    return;
  }
  download_flag_ = 1;
  OpenAndProbe();
}

void TransferEngine::StartUpload() {
  AbandonAttempt();
  ClearImage(image_);
  Report(TransferEvent::Uploading);
  download_flag_ = 0;
  OpenAndProbe();
}

void TransferEngine::Stop() {
  AbandonAttempt();
  CloseAction();
  Report(TransferEvent::Stopped);
}

void TransferEngine::CloseAction() {
  Report(TransferEvent::PortClosing);
  host_.ClosePort();
}

void TransferEngine::OpenAction() {
  CloseAction();
  host_.OpenPort(TrimPortName(host_.PortName()));
  Report(TransferEvent::PortOpened);
}

// ---------------------------------------------------------------- timers

void TransferEngine::Tick(LinkTimer t) {
  switch (t) {
    case LinkTimer::Probe: ProbeTick(); break;
    case LinkTimer::Response: ResponseTick(); break;
    case LinkTimer::Close: CloseTick(); break;
  }
}

void TransferEngine::ProbeTick() {
  Report(TransferEvent::Probing);
  const auto probe = ProbeFrame();
  host_.Send(probe.data(), probe.size());
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
  Report(TransferEvent::TimedOut);
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
  host_.StartTimer(LinkTimer::Response, kResponsePeriod);
}

void TransferEngine::LoadWriteBlock(uint16_t address) {
  tx_.Start = FRAME_START;
  tx_.Code = CMD_WRITE;
  tx_.Length = uint8_t(kBlockSize);
  tx_.Address = address;
  const size_t room = kImageSize - address;
  const size_t n = kBlockSize < room ? kBlockSize : room;
  std::memcpy(tx_.Data.data(), image_.data() + address, n);
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
  Report(TransferEvent::DataArrived);
  // Bytes parsed long ago go, so that a queue that never runs dry stays
  // bounded too.
  if (parsed_ >= 4096 && parsed_ * 2 >= pending_.size()) {
    pending_.erase(pending_.begin(), pending_.begin() + std::ptrdiff_t(parsed_));
    parsed_ = 0;
  }
  const size_t room = kMaxPending - PendingBytes();
  const size_t take = n < room ? n : room;
  pending_.insert(pending_.end(), bytes, bytes + take);
  dropped_bytes_ += n - take;
}

bool TransferEngine::ParseNext() {
  if (parsed_ == pending_.size()) return false;
  const uint8_t c = pending_[parsed_++];
  if (parsed_ == pending_.size()) {
    pending_.clear();
    parsed_ = 0;
  }
  if (const LinkFrame* f = rx_.Feed(c)) OnVerifiedFrame(*f);
  return true;
}

void TransferEngine::ParsePending() {
  while (ParseNext()) {
  }
}

bool TransferEngine::AnswersOutstanding(const LinkFrame& f) const {
  if (f.Code == RSP_CONNECT) return probing_;
  if (!awaiting_ || f.Code != uint8_t(awaited_code_ + 1) || f.Address != awaited_address_) return false;
  // A read is answered by the whole block: a shorter reply would leave the
  // rest of the block erased in the image and be shown as read.
  return f.Code != RSP_READ || f.Length >= kBlockSize;
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
  std::memcpy(image_.data() + f.Address, f.Data.data(), n);
}

namespace {

// The block after `block` in transfer order; nullopt after the last block
// and for an address that starts no block.
std::optional<uint16_t> NextBlock(uint16_t block) {
  const auto n = BlockNumber(block);
  if (!n || *n + 1 >= kImageBlocks.size()) return std::nullopt;
  return kImageBlocks[*n + 1];
}

}  // namespace

void TransferEngine::WriteBlock(uint16_t block) {
  LoadWriteBlock(block);
  SendTxFrame();
}

void TransferEngine::DispatchReply(const LinkFrame& f) {
  const bool ok = f.Status() == STATUS_OK;
  const bool last = BlockNumber(f.Address) == kImageBlocks.size() - 1;
  switch (f.Code) {
    case RSP_CONNECT:
      if (!ok) return;
      probing_ = false;
      host_.StopTimer(LinkTimer::Probe);
      Report(TransferEvent::Connected);
      SendShortCommand(download_flag_ == 1 ? CMD_PREPARE : CMD_READ, kImageBlocks.front());
      return;

    case RSP_PREPARE:
      // A prepare opens the area of the block at its address.
      if (!ok) SendShortCommand(CMD_PREPARE, f.Address);
      else if (BlockNumber(f.Address) && StartsArea(f.Address)) WriteBlock(f.Address);
      return;

    case RSP_WRITE:
      if (!ok) {
        SendTxFrame();
        return;
      }
      if (BlockNumber(f.Address)) Report(TransferEvent::BlockDone, f.Address);
      if (last) {
        Report(TransferEvent::DownloadDone);
        host_.StartTimer(LinkTimer::Close, kClosePeriod);
      } else if (const auto next = NextBlock(f.Address)) {
        if (StartsArea(*next)) SendShortCommand(CMD_PREPARE, *next);
        else WriteBlock(*next);
      }
      return;

    case RSP_READ:
      StoreReadData(f);
      if (BlockNumber(f.Address)) Report(TransferEvent::BlockDone, f.Address);
      if (last) {
        host_.DecodeSettings(image_);
        Report(TransferEvent::UploadDone);
        host_.StartTimer(LinkTimer::Close, kClosePeriod);
      } else if (const auto next = NextBlock(f.Address)) {
        SendShortCommand(CMD_READ, *next);
      }
      return;

    default:
      return;
  }
}

}  // namespace protocol
