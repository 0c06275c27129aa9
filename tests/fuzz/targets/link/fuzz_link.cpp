// The link: the frame receiver and the transfer engine together, with the
// fuzzer's bytes arriving as the unit's replies, split anywhere, between
// timer ticks and button presses on a hand-driven clock (the script format
// is in link_script.h). The host parses the received bytes one at a time,
// as the window does, and follows them with a framing tracker of its own:
// where frames start and end by the length byte alone. Beyond crashes, it
// checks what the engine does against what the line carried:
//   - nothing is sent on a closed port, after "Stop", or after a transfer
//     has ended, until the next start;
//   - every new command is the next of its transfer and is sent while the
//     check byte of a positive reply to the one before is parsed: a whole
//     frame with a good check that starts where a frame may start (not
//     inside another frame's data); a read counts only with a whole block;
//   - a command is sent again only on a negative reply (the same way), or
//     by the response timer no sooner than 2 s after its last sending and at
//     most four times in all; the give-up comes only after the fourth
//     sending and 8 s after the first; probes are at least 200 ms apart;
//   - success only on the last block's positive reply, with each block
//     reported once in order; an upload's blocks hold what the replies that
//     were taken carried, a download's image what was encoded;
//   - the image changes only where a reply to a read may write, a waiting
//     command always has a running response timer, a probing engine a
//     running probe timer, and the port lamp tells the truth.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <span>
#include <utility>

#include "link_fake_host.h"
#include "link_script.h"
#include "simulator/sim_controller.h"

namespace {

using namespace protocol;
using linkfuzz::Op;
using linkfuzz::Split;
using linktest::Bytes;

// Longer scripts add nothing a transfer can use: a whole upload of raw
// frames with faults between them fits in half of this.
constexpr size_t kMaxInput = 2048;
// Past the longest timed rule (the give-up, 8 s after a command's first
// sending, which only a parsed reply or a press can send) nothing new
// happens until the next event: the clock runs at most this long after the
// last press or parsed byte, and at most kMaxClock in all.
constexpr uint64_t kQuietMs = 10000;
constexpr uint64_t kMaxClock = 600 * 1000;

void Check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "link: %s\n", what);
  std::abort();
}

// The input, one byte at a time.
class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Done() const { return at_ >= size_; }
  std::optional<uint8_t> Next() {
    if (Done()) return std::nullopt;
    return data_[at_++];
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

struct Command {
  uint8_t code;
  uint16_t address;
  friend bool operator==(const Command&, const Command&) = default;
};

// The commands of a whole transfer, in order.
template <bool Download>
constexpr auto MakeSequence() {
  std::array<Command, Download ? 16 : 9> out{};
  size_t n = 0;
  for (uint16_t block : kImageBlocks) {
    if (Download && StartsArea(block)) out[n++] = {CMD_PREPARE, block};
    out[n++] = {Download ? CMD_WRITE : CMD_READ, block};
  }
  return out;
}
const auto kDownloadSequence = MakeSequence<true>();
const auto kUploadSequence = MakeSequence<false>();
std::span<const Command> Sequence(bool download) {
  return download ? std::span<const Command>(kDownloadSequence) : std::span<const Command>(kUploadSequence);
}

// The image the fake host encodes, and 0xFF to compare unwritten reaches
// against, built once.
const SettingsImageBytes& EncodedImage() {
  static const SettingsImageBytes image = [] {
    SettingsImageBytes m;
    ClearImage(m);
    for (uint16_t a : kImageBlocks)
      for (unsigned i = 0; i < kBlockSize; ++i) m[a + i] = linktest::FakeHost::EncodedByte(a + i);
    return m;
  }();
  return image;
}
const SettingsImageBytes& ErasedImage() {
  static const SettingsImageBytes image = [] {
    SettingsImageBytes m;
    ClearImage(m);
    return m;
  }();
  return image;
}

// Where frames start and end in the parsed bytes by the framing rule alone:
// outside a frame every byte but the start byte is skipped, and the length
// byte says where the frame ends. Holds the bytes of the frame in progress.
class FrameTracker {
 public:
  void Reset() { n_ = 0, ended_ = false; }
  void Take(uint8_t c) {
    ended_ = false;
    if (n_ == 0 && c != FRAME_START) return;
    buf_[n_++] = c;
    if (n_ >= 3 && n_ == size_t(buf_[2]) + 6) {
      ended_ = true;
      n_ = 0;
    }
  }
  // The frame the last byte taken ended, when its check is good.
  std::optional<std::span<const uint8_t>> Ended() const {
    if (!ended_) return std::nullopt;
    const size_t len = size_t(buf_[2]) + 6;
    if (FrameCheck(std::span<const uint8_t>(buf_.data(), len - 1)) != buf_[len - 1]) return std::nullopt;
    return std::span<const uint8_t>(buf_.data(), len);
  }
  void Forget() { ended_ = false; }

 private:
  std::array<uint8_t, kMaxFrame> buf_{};
  size_t n_ = 0;
  bool ended_ = false;
};

uint8_t CodeOf(std::span<const uint8_t> f) { return f[1]; }
uint16_t AddressOf(std::span<const uint8_t> f) { return uint16_t(f[3] << 8 | f[4]); }
std::span<const uint8_t> DataOf(std::span<const uint8_t> f) { return f.subspan(5, f[2]); }
bool Positive(std::span<const uint8_t> f) { return f[2] > 0 && f[5] == STATUS_OK; }

class LinkFuzzHost : public linktest::FakeHost {
 public:
  explicit LinkFuzzHost(Reader& in) : in_(in), unit_(Factory()) { record_sent = record_events = false; }

  void Run() {
    while (!in_.Done()) {
      RunOp();
      CheckState();
    }
    // Long after the last event a command may no longer be waiting.
    {
      During d(*this, Event::Tick);
      const uint64_t until = last_event_ + kQuietMs;
      if (now < until) Advance(until - now);
    }
    CheckState();
    Check(!engine.Awaiting(), "a command waits without end");
    CheckImageBounds();
  }

  // ---- TransferHost ----
  void Send(const uint8_t* b, size_t n) override {
    Check(port_open, "sent on a closed port");
    Check(attempt_.live, "sent after Stop or after the transfer ended");
    const auto probe = ProbeFrame();
    if (n == probe.size() && std::memcmp(b, probe.data(), n) == 0) {
      Check(Top() == Event::Tick && engine.Probing(), "a probe outside the probe timer");
      Check(!attempt_.probed || now - attempt_.last_probe >= 200, "probes closer than 200 ms");
      attempt_.probed = true;
      attempt_.last_probe = now;
    } else {
      CheckCommand(std::span<const uint8_t>(b, n));
    }
    FakeHost::Send(b, n);
  }

  void Report(const TransferReport& r) override {
    FakeHost::Report(r);
    switch (r.event) {
      case TransferEvent::BlockDone:
        Check(attempt_.blocks_reported < kImageBlocks.size() && kImageBlocks[attempt_.blocks_reported] == r.block,
              "blocks reported out of order");
        ++attempt_.blocks_reported;
        return;
      case TransferEvent::DownloadDone:
      case TransferEvent::UploadDone: {
        const bool download = r.event == TransferEvent::DownloadDone;
        Check(attempt_.live && attempt_.download == download && attempt_.index == Sequence(download).size() - 1,
              "success before the last command");
        Check(Top() == Event::Receive && Answered(Acknowledgement::Positive), "success without the last reply");
        Check(attempt_.blocks_reported == kImageBlocks.size(), "success without every block reported");
        Check(download ? DownloadImageIntact() : attempt_.decoded, "success without the blocks");
        break;
      }
      case TransferEvent::TimedOut:
        Check(Top() == Event::Tick && attempt_.sendings == 4 && now - attempt_.first_at >= 8000,
              "gave up before four sendings in 8 s");
        break;
      case TransferEvent::NotEncodable:
        Check(Top() == Event::Button && !encode_error.empty(), "a setting refused that could be encoded");
        break;
      case TransferEvent::PortError:
        Check(Top() == Event::Button && open_fails, "a port error on a port that opens");
        return;
      case TransferEvent::Stopped: Check(Top() == Event::Button, "stopped without Stop"); return;
      default: return;
    }
    // The window shows these in a message box; the box is modal.
    attempt_.live = false;
    if (box_ops_ > 0) {
      const int n = std::exchange(box_ops_, 0);
      Nested nested(*this, true);
      for (int i = 0; i < n && !in_.Done(); ++i) RunOp();
    }
  }

  void DecodeSettings(const SettingsImageBytes& image) override {
    FakeHost::DecodeSettings(image);
    const size_t last = kImageBlocks.size() - 1;
    Check(!attempt_.download && attempt_.index == last && Top() == Event::Receive, "decoded before the last read");
    Check(Answered(Acknowledgement::Positive), "decoded without the last block");
    TakeBlock(last);
    for (size_t k = 0; k < kImageBlocks.size(); ++k)
      Check(std::memcmp(image.data() + kImageBlocks[k], attempt_.blocks[k].data(), kBlockSize) == 0,
            "a block read holds what the reply taken did not carry");
    attempt_.decoded = true;
  }

 private:
  enum class Event { None, Button, Receive, Tick };
  enum class Acknowledgement { Positive, Negative };
  static constexpr int kMaxDepth = 4;

  // One attempt, from a button press to the next.
  struct Attempt {
    bool live = false;  // sending allowed
    bool download = false;
    size_t index = SIZE_MAX;  // position of the command outstanding in Sequence()
    int sendings = 0;         // since its last sending on a reply
    uint64_t first_at = 0, last_at = 0;
    bool probed = false;
    uint64_t last_probe = 0;
    size_t blocks_reported = 0;
    bool decoded = false;
    // An upload's blocks as the replies taken carried them.
    std::array<std::array<uint8_t, kBlockSize>, kImageBlocks.size()> blocks;
  };

  // Marks operations run from inside the engine's work (between parsed
  // bytes, or while a message box is up).
  class Nested {
   public:
    Nested(LinkFuzzHost& h, bool in_box) : h_(h), box_(h.in_box_) {
      ++h_.depth_;
      h_.in_box_ = in_box;
    }
    ~Nested() {
      --h_.depth_;
      h_.in_box_ = box_;
    }
    Nested(const Nested&) = delete;
    Nested& operator=(const Nested&) = delete;

   private:
    LinkFuzzHost& h_;
    bool box_;
  };

  class During {
   public:
    During(LinkFuzzHost& h, Event e) : h_(h) { h_.events_.push_back(e); }
    ~During() { h_.events_.pop_back(); }
    During(const During&) = delete;
    During& operator=(const During&) = delete;

   private:
    LinkFuzzHost& h_;
  };

  static const sim::Memory& Factory() {
    static const sim::Memory m = sim::FactoryMemory();
    return m;
  }

  Event Top() const { return events_.empty() ? Event::None : events_.back(); }

  // Whether the byte being parsed ends an answer of the given kind to the
  // command outstanding.
  bool Answered(Acknowledgement kind) const {
    const auto f = tracker_.Ended();
    if (!f) return false;
    const Command c = Sequence(attempt_.download)[attempt_.index];
    if (CodeOf(*f) != uint8_t(c.code + 1) || AddressOf(*f) != c.address) return false;
    if (kind == Acknowledgement::Negative) return c.code != CMD_READ && !Positive(*f);
    return c.code == CMD_READ ? DataOf(*f).size() >= kBlockSize : Positive(*f);
  }

  // Keeps the block of the read reply being parsed as the k-th block.
  void TakeBlock(size_t k) {
    if (attempt_.download) return;
    std::memcpy(attempt_.blocks[k].data(), DataOf(*tracker_.Ended()).data(), kBlockSize);
  }

  void CheckCommand(std::span<const uint8_t> bytes) {
    Attempt& a = attempt_;
    const std::span<const uint8_t> last(last_sent.data(), last_sent_length);
    if (a.index != SIZE_MAX && std::ranges::equal(bytes, last)) {
      if (Top() == Event::Tick) {
        Check(++a.sendings <= 4, "more than four sendings of a command");
        Check(now - a.last_at >= 2000, "a command sent again within 2 s");
        tracker_.Reset();  // the engine starts its receiver afresh with a retransmission
      } else {
        Check(Top() == Event::Receive && Answered(Acknowledgement::Negative),
              "a command sent again without a negative reply");
        a.sendings = 1;
        a.first_at = now;
      }
      a.last_at = now;
      return;
    }
    Check(Top() == Event::Receive, "a new command without a reply");
    const auto seq = Sequence(a.download);
    const size_t next = a.index == SIZE_MAX ? 0 : a.index + 1;
    Check(bytes.size() >= 6 && next < seq.size() && seq[next] == Command{bytes[1], uint16_t(bytes[3] << 8 | bytes[4])},
          "a command out of order");
    if (next == 0) {
      const auto f = tracker_.Ended();
      Check(f && CodeOf(*f) == RSP_CONNECT && Positive(*f), "a command before the unit answered");
    } else {
      Check(Answered(Acknowledgement::Positive), "a command before the reply to the one before");
      TakeBlock(a.index);
    }
    const Command c = seq[next];
    if (c.code == CMD_WRITE) {
      Check(bytes.size() == kBlockSize + 6, "a write of the wrong size");
      Check(std::memcmp(bytes.data() + 5, EncodedImage().data() + c.address, kBlockSize) == 0,
            "a write of other bytes than the image's");
    } else {
      const auto expected = ShortCommand(c.code, c.address);
      Check(std::ranges::equal(bytes, expected), "a malformed command");
    }
    a.index = next;
    a.sendings = 1;
    a.first_at = a.last_at = now;
  }

  bool DownloadImageIntact() const {
    for (uint16_t block : kImageBlocks)
      if (std::memcmp(engine.Image().data() + block, EncodedImage().data() + block, kBlockSize) != 0) return false;
    return true;
  }

  // A read reply names its block and carries at most 255 bytes: nothing
  // outside those reaches may change.
  void CheckImageBounds() const {
    const auto& image = engine.Image();
    size_t a = 0;
    auto erased = [&](size_t from, size_t to) {
      return to <= from || std::memcmp(image.data() + from, ErasedImage().data() + from, to - from) == 0;
    };
    for (uint16_t block : kImageBlocks) {
      Check(erased(a, block), "the image changed outside the blocks' reach");
      a = std::max<size_t>(a, block + kMaxData);
    }
    Check(erased(a, image.size()), "the image changed outside the blocks' reach");
  }

  // What must hold between events: a transfer that waits always has a
  // timer that ends the wait, the port lamp tells the truth, and the
  // engine holds the bytes received and not yet parsed.
  void CheckState() {
    Check(port_lamp == port_open, "the port lamp is wrong");
    if (engine.Awaiting()) Check(Running(LinkTimer::Response) && port_open, "a command waits with no response timer");
    if (engine.Probing()) Check(Running(LinkTimer::Probe) && port_open, "probing without the probe timer");
    Check(engine.PendingBytes() == pending_.size() - parsed_, "received bytes lost or made up");
  }

  // ---- the script ----
  void RunOp() {
    const auto op = in_.Next();
    if (!op) return;
    const uint8_t a = *op & 0x1F;
    switch (Op(*op & 0xE0)) {
      case Op::Bytes: {
        std::array<uint8_t, 32> b;
        size_t n = 0;
        for (int i = 0; i <= a; ++i)
          if (const auto c = in_.Next()) b[n++] = *c;
        Receive(b.data(), n);
        break;
      }
      case Op::Advance:
        Tick(linkfuzz::kSteps[a % 8] * (a / 8 + 1));
        break;
      case Op::Answer: AnswerLast(a); break;
      case Op::Frame: {
        const uint8_t code = in_.Next().value_or(0);
        const uint16_t hi = in_.Next().value_or(0), lo = in_.Next().value_or(0);
        std::array<uint8_t, kMaxData> data;
        size_t n = 0;
        for (uint8_t left = in_.Next().value_or(0); left > 0; --left)
          if (const auto c = in_.Next()) data[n++] = *c;
        Bytes frame = BuildFrame(code, uint16_t(hi << 8 | lo), std::span<const uint8_t>(data.data(), n));
        if (a & linkfuzz::kDamaged) frame.back() ^= 0x01;
        Arrive(frame, a);
        break;
      }
      case Op::Button: Press(linkfuzz::Button(a % 3)); break;
      case Op::OnYield: yield_ops_ = a + 1; break;
      case Op::OnBox: box_ops_ = a + 1; break;
      case Op::Set:
        fail_open_ = a & 1;
        fail_encode_ = a & 2;
        break;
    }
  }

  // One receive event. Its bytes are queued behind those not yet parsed;
  // unless this is a nested event, they are parsed one by one, the script's
  // between-bytes operations running before the next byte as the window's
  // events do.
  void Receive(const uint8_t* b, size_t n) {
    if (n == 0) return;
    last_event_ = now;
    During d(*this, Event::Receive);
    const size_t take = std::min(n, TransferEngine::kMaxPending - (pending_.size() - parsed_));
    pending_.insert(pending_.end(), b, b + take);
    engine.ReceiveData(b, uint16_t(n));
    if (parsing_) return;
    parsing_ = true;
    while (parsed_ < pending_.size()) {
      if (yield_ops_ > 0 && depth_ < kMaxDepth) {
        const int k = std::exchange(yield_ops_, 0);
        Nested nested(*this, in_box_);
        for (int i = 0; i < k && !in_.Done(); ++i) RunOp();
        if (parsed_ == pending_.size()) break;  // a press dropped them
      }
      tracker_.Take(pending_[parsed_++]);
      Check(engine.ParseNext(), "a queued byte the engine did not have");
      tracker_.Forget();
      last_event_ = now;  // parsing may send, and the clock may have run in between
    }
    pending_.clear();
    parsed_ = 0;
    parsing_ = false;
  }

  void Tick(uint64_t ms) {
    const uint64_t until = std::min(last_event_ + kQuietMs, kMaxClock);
    if (now >= until) return;
    During d(*this, Event::Tick);
    Advance(std::min(ms, until - now));
  }

  // Delivers a frame as the argument bits of its operation say.
  void Arrive(std::span<const uint8_t> frame, uint8_t a) {
    switch (Split((a >> 3) & 3)) {
      case Split::Whole: Receive(frame.data(), frame.size()); break;
      case Split::Bytewise:
        for (size_t i = 0; i < frame.size(); ++i) Receive(frame.data() + i, 1);
        break;
      case Split::InTwo: {
        const size_t at = in_.Next().value_or(0) % (frame.size() + 1);
        Receive(frame.data(), at);
        Receive(frame.data() + at, frame.size() - at);
        break;
      }
      case Split::ByThree:
        for (size_t i = 0; i < frame.size(); i += 3) Receive(frame.data() + i, std::min<size_t>(3, frame.size() - i));
        break;
    }
  }

  // The unit's answer to the last frame sent, changed as asked.
  void AnswerLast(uint8_t a) {
    const uint8_t short_length = (a & linkfuzz::kShortRead) ? in_.Next().value_or(0) % kBlockSize : 0;
    if (last_sent_length == 0) return;
    unit_.Feed(last_sent.data(), last_sent_length, replies_);
    if (replies_.empty()) return;
    // Moved out: the answer's arrival may run a nested answer that refills the list.
    Bytes reply = std::move(replies_.front());
    const uint8_t code = reply[1];
    if ((a & linkfuzz::kShortRead) && code == RSP_READ) {
      reply = BuildFrame(code, uint16_t(reply[3] << 8 | reply[4]), std::span<const uint8_t>(reply.data() + 5, short_length));
    } else if ((a & linkfuzz::kNegative) && code != RSP_READ && reply.size() > 6) {
      reply.back() ^= reply[5];  // the check follows the status byte
      reply[5] = 0x00;
    }
    if (a & linkfuzz::kDamaged) reply.back() ^= 0x01;
    Arrive(reply, a);
  }

  void Press(linkfuzz::Button b) {
    if (in_box_) return;  // the message box is modal
    last_event_ = now;
    attempt_ = Attempt{};
    attempt_.download = b == linkfuzz::Button::Save;
    encode_error = fail_encode_ && b == linkfuzz::Button::Save ? "Report Time: \"-5\" does not fit in one byte" : "";
    open_fails = fail_open_;
    // Every press abandons the bytes not yet parsed and starts the
    // receiver afresh.
    pending_.clear();
    parsed_ = 0;
    tracker_.Reset();
    {
      During d(*this, Event::Button);
      attempt_.live = b != linkfuzz::Button::Stop;  // until the engine says otherwise
      switch (b) {
        case linkfuzz::Button::Save: engine.StartDownload(); break;
        case linkfuzz::Button::Read: engine.StartUpload(); break;
        case linkfuzz::Button::Stop: engine.Stop(); break;
      }
    }
    if (!engine.Probing()) attempt_.live = false;
    if (b != linkfuzz::Button::Stop) fail_open_ = fail_encode_ = false;
    encode_error.clear();
    open_fails = false;
  }

  Reader& in_;
  sim::Controller unit_;
  std::vector<Bytes> replies_;  // the unit's replies to the last frame, kept for its capacity
  Attempt attempt_;
  FrameTracker tracker_;
  std::vector<uint8_t> pending_;  // received bytes; those from parsed_ on the engine holds unparsed
  size_t parsed_ = 0;
  bool parsing_ = false;
  uint64_t last_event_ = 0;
  std::vector<Event> events_;
  int depth_ = 0;
  bool in_box_ = false;
  int yield_ops_ = 0;
  int box_ops_ = 0;
  bool fail_open_ = false;
  bool fail_encode_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Reader in(data, std::min(size, kMaxInput));
  LinkFuzzHost host(in);
  host.Run();
  return 0;
}
