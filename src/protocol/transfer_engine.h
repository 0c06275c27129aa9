// The transfer engine: "Save Settings" (download) and "Read Settings"
// (upload) from the button to the outcome. It probes until the controller
// answers, then sends one command at a time and picks the next from each
// verified reply; a command without a verified reply is sent again every
// 2 s, at most four times in all, then the engine gives up.
//
// Nothing here touches a port, a timer or a control, and nothing here waits
// or pumps events: every effect goes through TransferHost, every event
// (button, timer tick, received bytes) comes in as a call, and what
// happened goes out as a typed report. The engine names the period of each
// timer it starts; the host runs the timer and calls the tick.
//
// Received bytes are queued by ReceiveData and parsed one per ParseNext
// call, so that a host that must handle its own events between bytes (the
// window) can do so between calls; bytes queued meanwhile are parsed after
// the ones already waiting.
//
// A reply is acted on only when it answers the command outstanding: a
// connect reply only while probing, any other reply only with the code and
// address of the last command sent, and a read reply only when it carries
// the whole block. Anything else (a second answer to an earlier probe, a
// late duplicate after a retransmission, a reply of the other direction, a
// read reply cut short) is dropped and the response timer keeps running.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "protocol/frame_receiver.h"
#include "protocol/link_frame.h"
#include "protocol/settings_image.h"
#include "protocol/transfer_host.h"

namespace protocol {

class TransferEngine {
 public:
  // The timer periods the engine asks for.
  static constexpr std::chrono::milliseconds kProbePeriod{200};
  static constexpr std::chrono::milliseconds kResponsePeriod{2000};
  static constexpr std::chrono::milliseconds kClosePeriod{20};
  // A command is sent at most this many times before the engine gives up.
  static constexpr int kMaxSendings = 4;
  // Received bytes queued but not yet parsed are capped at this many.
  static constexpr size_t kMaxPending = 65536;

  explicit TransferEngine(TransferHost& host);
  TransferEngine(const TransferEngine&) = delete;
  TransferEngine& operator=(const TransferEngine&) = delete;

  // ---- events ----
  void StartDownload();  // "Save Settings"
  void StartUpload();    // "Read Settings"
  void Stop();           // "Stop"
  void Tick(LinkTimer t);
  // Lamps red and the port closed.
  void CloseAction();
  // Lamps red, the port reopened under the typed name, port lamp green;
  // a failure to open is thrown to the caller.
  void OpenAction();
  // Queues the bytes of one receive event behind those not yet parsed.
  void ReceiveData(const uint8_t* bytes, uint16_t n);
  // Parses the next queued byte; false when none was queued.
  bool ParseNext();
  // Parses every queued byte (for hosts with nothing to do in between).
  void ParsePending();

  // ---- state, for the hosts and the tests ----
  // The settings image: encoded before a download, filled by an upload.
  const SettingsImageBytes& Image() const { return image_; }
  // 1 while downloading, 0 while uploading.
  int DownloadFlag() const { return download_flag_; }
  // How often the command outstanding has been sent (1 to 4).
  int RetryCount() const { return retry_count_; }
  bool Probing() const { return probing_; }
  // True while a command waits for its reply.
  bool Awaiting() const { return awaiting_; }
  uint8_t AwaitedCode() const { return awaited_code_; }
  uint16_t AwaitedAddress() const { return awaited_address_; }
  // True while the receiver is inside a frame.
  bool InFrame() const { return rx_.InFrame(); }
  // Verified replies dropped because they did not answer the outstanding
  // command, and received bytes dropped because too many were queued.
  unsigned long DroppedReplies() const { return dropped_replies_; }
  unsigned long DroppedBytes() const { return dropped_bytes_; }
  // Received bytes queued and not yet parsed.
  size_t PendingBytes() const { return pending_.size() - parsed_; }

 private:
  // The bytes of the last command sent, for retransmission.
  struct ResendBuffer {
    std::array<uint8_t, kMaxFrame> Bytes{};
    uint16_t Length = 0;
  };

  void ProbeTick();
  void ResponseTick();
  void CloseTick();
  void OnVerifiedFrame(const LinkFrame& frame);
  bool AnswersOutstanding(const LinkFrame& frame) const;
  // Acts on one verified reply by code, status and address.
  void DispatchReply(const LinkFrame& frame);
  // TxFrame <- a write of a block of image bytes from `address`.
  void LoadWriteBlock(uint16_t address);
  // Sends TxFrame and (re)starts the response period.
  void SendTxFrame();
  // LoadWriteBlock and SendTxFrame.
  void WriteBlock(uint16_t block);
  // Sends a 7-byte command and (re)starts the response period.
  void SendShortCommand(uint8_t code, uint16_t address);
  void SendCommand(const uint8_t* bytes, size_t n, uint8_t code, uint16_t address);
  // Copies the data of a read reply into the image at its address; bytes
  // that would fall past the end of the image are dropped.
  void StoreReadData(const LinkFrame& frame);
  // Forgets every trace of an earlier attempt: timers, receiver, queued
  // bytes, retry count, resend copy and the command outstanding.
  void AbandonAttempt();
  void OpenAndProbe();
  void Report(TransferEvent e, uint16_t block = 0, std::string detail = {});

  TransferHost& host_;
  SettingsImageBytes image_;
  int download_flag_ = 0;
  int retry_count_ = 0;

  FrameReceiver rx_;
  // Received bytes; those before parsed_ have been parsed.
  std::vector<uint8_t> pending_;
  size_t parsed_ = 0;
  LinkFrame tx_;
  ResendBuffer resend_;
  bool probing_ = false;
  bool awaiting_ = false;
  uint8_t awaited_code_ = 0;
  uint16_t awaited_address_ = 0;
  unsigned long dropped_replies_ = 0;
  unsigned long dropped_bytes_ = 0;
};

// The port name without leading and trailing blanks and control characters.
std::string TrimPortName(const std::string& s);

}  // namespace protocol
