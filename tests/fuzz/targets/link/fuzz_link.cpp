// The link: the frame receiver and the transfer engine together, with the
// fuzzer's bytes arriving as the unit's replies, split anywhere, between
// timer ticks and button presses on a hand-driven clock (the script format
// is in link_script.h). Beyond crashes, the host checks what the engine
// does against what the line carried:
//   - nothing is sent on a closed port, after "Stop", or after a transfer
//     has ended, until the next start;
//   - every new command is the next of its transfer and follows a positive
//     reply to the one before (a whole frame with a good check among the
//     bytes parsed since it was sent); a read counts only with a whole block;
//   - a command is sent again only after a negative reply, or by the
//     response timer no sooner than 2 s after its last sending and at most
//     four times in all; the give-up comes only after the fourth sending and
//     8 s after the first; probes are at least 200 ms apart;
//   - success only after the last block's positive reply, with each block
//     reported once in order; an upload's blocks hold what a reply carried;
//   - the image changes only where a reply to a read may write, and a
//     waiting command always has a running response timer.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>
#include <utility>

#include "link_fake_host.h"
#include "link_script.h"
#include "simulator/sim_controller.h"

namespace {

using namespace devlink;
using linkfuzz::Op;
using linkfuzz::Split;
using linktest::Bytes;

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
std::vector<Command> Sequence(bool download) {
  std::vector<Command> out;
  for (uint16_t block : protocol::kImageBlocks) {
    if (!download) {
      out.push_back({CMD_READ, block});
      continue;
    }
    if (protocol::StartsArea(block)) out.push_back({CMD_PREPARE, block});
    out.push_back({CMD_WRITE, block});
  }
  return out;
}

// Calls f(data) for every whole frame with a good check, the given code and
// (unless nullopt) address in bytes; stops when f returns true.
template <typename F>
bool AnyFrame(std::span<const uint8_t> bytes, uint8_t code, std::optional<uint16_t> address, F f) {
  for (size_t i = 0; i + 6 <= bytes.size(); ++i) {
    if (bytes[i] != FRAME_START || bytes[i + 1] != code) continue;
    const size_t len = bytes[i + 2];
    if (i + len + 6 > bytes.size()) continue;
    if (address && uint16_t(bytes[i + 3] << 8 | bytes[i + 4]) != *address) continue;
    if (FrameCheck(bytes.subspan(i, len + 5)) != bytes[i + len + 5]) continue;
    if (f(bytes.subspan(i + 5, len))) return true;
  }
  return false;
}

bool Positive(std::span<const uint8_t> data) { return !data.empty() && data[0] == STATUS_OK; }
bool WholeBlock(std::span<const uint8_t> data) { return data.size() >= protocol::kBlockSize; }

class LinkFuzzHost : public linktest::FakeHost {
 public:
  explicit LinkFuzzHost(Reader& in) : in_(in), unit_(sim::FactoryMemory()) {}

  void Run() {
    while (!in_.Done()) {
      RunOp();
      CheckState();
    }
    // Long after the last event a command may no longer be waiting.
    {
      During d(*this, Event::Tick);
      Advance(20000);
    }
    CheckState();
    Check(!engine.Awaiting(), "a command waits without end");
    CheckImageBounds();
  }

  // ---- TransferHost ----
  void Send(const uint8_t* b, size_t n) override {
    Check(port_open, "sent on a closed port");
    Check(attempt_.live, "sent after Stop or after the transfer ended");
    const Bytes bytes(b, b + n);
    const auto probe = ProbeFrame();
    if (bytes == Bytes(probe.begin(), probe.end())) {
      Check(Top() == Event::Tick && engine.Probing(), "a probe outside the probe timer");
      Check(!attempt_.probed || now - attempt_.last_probe >= 200, "probes closer than 200 ms");
      attempt_.probed = true;
      attempt_.last_probe = now;
    } else {
      CheckCommand(bytes);
    }
    FakeHost::Send(b, n);
  }

  void Inform(const std::string& text) override {
    FakeHost::Inform(text);
    const size_t last = Sequence(attempt_.download).size() - 1;
    if (text == kTextDownloadOk || text == kTextUploadOk) {
      const bool download = text == kTextDownloadOk;
      Check(attempt_.live && attempt_.download == download && attempt_.index == last,
            "success before the last command");
      Check(Top() == Event::Receive && Answered(Acknowledgement::Positive), "success without the last reply");
      Check(attempt_.blocks_reported == protocol::kImageBlocks.size(), "success without every block reported");
      Check(download ? DownloadImageIntact() : attempt_.decoded, "success without the blocks");
    } else if (text == kTextOverTime) {
      Check(Top() == Event::Tick && attempt_.sendings == 4 && now - attempt_.first_at >= 8000,
            "gave up before four sendings in 8 s");
    } else {
      Check(Top() == Event::Button && !encode_error.empty(), "an unexpected message box");
    }
    attempt_.live = false;
    if (box_ops_ > 0) {
      const int n = std::exchange(box_ops_, 0);
      Nested nested(*this, true);
      for (int i = 0; i < n && !in_.Done(); ++i) RunOp();
    }
  }

  void DecodeSettings(const protocol::SettingsImageBytes& image) override {
    FakeHost::DecodeSettings(image);
    Check(!attempt_.download && attempt_.index == protocol::kImageBlocks.size() - 1 && Top() == Event::Receive,
          "decoded before the last read");
    attempt_.windows.push_back({attempt_.from, Parsed()});
    for (size_t k = 0; k < protocol::kImageBlocks.size(); ++k) {
      const uint16_t block = protocol::kImageBlocks[k];
      const auto [from, to] = attempt_.windows[k];
      const auto stored = std::span<const uint8_t>(image.data() + block, protocol::kBlockSize);
      Check(AnyFrame(Window(from, to), RSP_READ, block,
                     [&](std::span<const uint8_t> data) {
                       return WholeBlock(data) && std::equal(stored.begin(), stored.end(), data.begin());
                     }),
            "a block read holds what no reply carried");
    }
    attempt_.decoded = true;
  }

  void BlockTransferred(uint16_t block) override {
    FakeHost::BlockTransferred(block);
    Check(attempt_.blocks_reported < protocol::kImageBlocks.size() &&
              protocol::kImageBlocks[attempt_.blocks_reported] == block,
          "blocks reported out of order");
    ++attempt_.blocks_reported;
  }

  void Yield() override {
    FakeHost::Yield();
    if (yield_ops_ == 0 || depth_ >= kMaxDepth) return;
    const int n = std::exchange(yield_ops_, 0);
    Nested nested(*this, in_box_);
    for (int i = 0; i < n && !in_.Done(); ++i) RunOp();
  }

 private:
  enum class Event { None, Button, Receive, Tick };
  enum class Acknowledgement { Positive, Negative };
  static constexpr int kMaxDepth = 4;
  static constexpr uint64_t kMaxClock = 3600 * 1000;  // an hour of events is plenty

  // One attempt, from a button press to the next.
  struct Attempt {
    bool live = false;  // sending allowed
    bool download = false;
    Bytes log;          // bytes received since the press
    size_t index = SIZE_MAX;  // position of the command outstanding in Sequence()
    Bytes command;            // its bytes
    int sendings = 0;         // since its last sending on a reply
    uint64_t first_at = 0, last_at = 0;
    size_t from = 0;          // log position of its last sending on a reply
    std::vector<std::pair<size_t, size_t>> windows;  // per command done: the log range its reply came in
    bool probed = false;
    uint64_t last_probe = 0;
    size_t blocks_reported = 0;
    bool decoded = false;
  };

  // Marks operations run from inside the engine (a yield, a message box).
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

  Event Top() const { return events_.empty() ? Event::None : events_.back(); }
  // Log position of the next byte the engine parses.
  size_t Parsed() const { return attempt_.log.size() - engine.PendingBytes(); }
  std::span<const uint8_t> Window(size_t from, size_t to) const {
    return std::span<const uint8_t>(attempt_.log).subspan(from, to - from);
  }

  // Whether the bytes parsed since the outstanding command's last sending
  // on a reply hold an answer of the given kind to it.
  bool Answered(Acknowledgement kind) const {
    const Command c = Sequence(attempt_.download)[attempt_.index];
    const auto window = Window(attempt_.from, Parsed());
    return AnyFrame(window, uint8_t(c.code + 1), c.address, [&](std::span<const uint8_t> data) {
      if (kind == Acknowledgement::Negative) return c.code != CMD_READ && !Positive(data);
      return c.code == CMD_READ ? WholeBlock(data) : Positive(data);
    });
  }

  void CheckCommand(const Bytes& bytes) {
    Attempt& a = attempt_;
    if (a.index != SIZE_MAX && bytes == a.command) {
      if (Top() == Event::Tick) {
        Check(++a.sendings <= 4, "more than four sendings of a command");
        Check(now - a.last_at >= 2000, "a command sent again within 2 s");
      } else {
        Check(Top() == Event::Receive && Answered(Acknowledgement::Negative),
              "a command sent again without a negative reply");
        a.sendings = 1;
        a.first_at = now;
        a.from = Parsed();
      }
      a.last_at = now;
      return;
    }
    Check(Top() == Event::Receive, "a new command without a reply");
    const std::vector<Command> seq = Sequence(a.download);
    const size_t next = a.index == SIZE_MAX ? 0 : a.index + 1;
    Check(bytes.size() >= 6 && next < seq.size() && seq[next] == Command{bytes[1], uint16_t(bytes[3] << 8 | bytes[4])},
          "a command out of order");
    if (next == 0) {
      Check(AnyFrame(Window(0, Parsed()), RSP_CONNECT, std::nullopt, Positive), "a command before the unit answered");
    } else {
      Check(Answered(Acknowledgement::Positive), "a command before the reply to the one before");
      a.windows.push_back({a.from, Parsed()});
    }
    const Command c = seq[next];
    if (c.code == CMD_WRITE) {
      Check(bytes.size() == protocol::kBlockSize + 6, "a write of the wrong size");
      for (size_t i = 0; i < protocol::kBlockSize; ++i)
        Check(bytes[5 + i] == EncodedByte(c.address + i), "a write of other bytes than the image's");
    } else {
      const auto expected = ShortCommand(c.code, c.address);
      Check(bytes == Bytes(expected.begin(), expected.end()), "a malformed command");
    }
    a.index = next;
    a.command = bytes;
    a.sendings = 1;
    a.first_at = a.last_at = now;
    a.from = Parsed();
  }

  bool DownloadImageIntact() const {
    for (uint16_t block : protocol::kImageBlocks)
      for (unsigned i = 0; i < protocol::kBlockSize; ++i)
        if (engine.Image()[block + i] != EncodedByte(block + i)) return false;
    return true;
  }

  // A read reply names its block and carries at most 255 bytes: nothing
  // outside those reaches may change.
  void CheckImageBounds() const {
    const auto& image = engine.Image();
    size_t a = 0;
    for (uint16_t block : protocol::kImageBlocks) {
      for (; a < block; ++a) Check(image[a] == 0xFF, "the image changed outside the blocks' reach");
      a = std::max<size_t>(a, block + kMaxData);
    }
    for (; a < image.size(); ++a) Check(image[a] == 0xFF, "the image changed outside the blocks' reach");
  }

  // What must hold between events: a transfer that waits always has a
  // timer that ends the wait, and the port lamp tells the truth.
  void CheckState() {
    Check(lamps[LinkLamp::Port] == port_open, "the port lamp is wrong");
    if (engine.Awaiting()) Check(Running(LinkTimer::Response) && port_open, "a command waits with no response timer");
    if (engine.Probing()) Check(Running(LinkTimer::Probe) && port_open, "probing without the probe timer");
    Check(engine.RetryCount() >= 0 && engine.RetryCount() <= 4, "retry count out of range");
  }

  // ---- the script ----
  void RunOp() {
    const auto op = in_.Next();
    if (!op) return;
    const uint8_t a = *op & 0x1F;
    switch (Op(*op & 0xE0)) {
      case Op::Bytes: {
        Bytes b;
        for (int i = 0; i <= a; ++i)
          if (const auto c = in_.Next()) b.push_back(*c);
        Receive(b);
        break;
      }
      case Op::Advance:
        Tick(linkfuzz::kSteps[a % 8] * (a / 8 + 1));
        break;
      case Op::Answer: AnswerLast(a); break;
      case Op::Frame: {
        const uint8_t code = in_.Next().value_or(0);
        const uint16_t hi = in_.Next().value_or(0), lo = in_.Next().value_or(0);
        Bytes data;
        for (uint8_t n = in_.Next().value_or(0); n > 0; --n)
          if (const auto c = in_.Next()) data.push_back(*c);
        Bytes frame = BuildFrame(code, uint16_t(hi << 8 | lo), data);
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

  void Receive(const Bytes& b) {
    if (b.empty()) return;
    attempt_.log.insert(attempt_.log.end(), b.begin(), b.end());
    During d(*this, Event::Receive);
    engine.ReceiveData(b.data(), uint16_t(b.size()));
  }

  void Tick(uint64_t ms) {
    if (now >= kMaxClock) return;
    During d(*this, Event::Tick);
    Advance(ms);
  }

  // Delivers a frame as the argument bits of its operation say.
  void Arrive(const Bytes& frame, uint8_t a) {
    switch (Split((a >> 3) & 3)) {
      case Split::Whole: Receive(frame); break;
      case Split::Bytewise:
        for (uint8_t c : frame) Receive({c});
        break;
      case Split::InTwo: {
        const size_t at = in_.Next().value_or(0) % (frame.size() + 1);
        Receive(Bytes(frame.begin(), frame.begin() + std::ptrdiff_t(at)));
        Receive(Bytes(frame.begin() + std::ptrdiff_t(at), frame.end()));
        break;
      }
      case Split::ByThree:
        for (size_t i = 0; i < frame.size(); i += 3)
          Receive(Bytes(frame.begin() + std::ptrdiff_t(i), frame.begin() + std::ptrdiff_t(std::min(frame.size(), i + 3))));
        break;
    }
  }

  // The unit's answer to the last frame sent, changed as asked.
  void AnswerLast(uint8_t a) {
    const uint8_t short_length = (a & linkfuzz::kShortRead) ? in_.Next().value_or(0) % protocol::kBlockSize : 0;
    if (sent.empty()) return;
    const Bytes& last = sent.back().bytes;
    auto replies = unit_.Feed(last.data(), last.size());
    if (replies.empty()) return;
    Bytes reply = replies.front();
    const uint8_t code = reply[1];
    const uint16_t address = uint16_t(reply[3] << 8 | reply[4]);
    Bytes data(reply.begin() + 5, reply.end() - 1);
    if ((a & linkfuzz::kShortRead) && code == RSP_READ) data.resize(short_length);
    if ((a & linkfuzz::kNegative) && code != RSP_READ) data[0] = 0x00;
    reply = BuildFrame(code, address, data);
    if (a & linkfuzz::kDamaged) reply.back() ^= 0x01;
    Arrive(reply, a);
  }

  void Press(linkfuzz::Button b) {
    if (in_box_) return;  // the message box is modal
    attempt_ = Attempt{};
    attempt_.download = b == linkfuzz::Button::Save;
    encode_error = fail_encode_ && b == linkfuzz::Button::Save ? "Report Time: \"-5\" does not fit in one byte" : "";
    open_fails = fail_open_;
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
  Attempt attempt_;
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
  Reader in(data, size);
  LinkFuzzHost host(in);
  host.Run();
  return 0;
}
