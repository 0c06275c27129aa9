// Seeds of the link target: whole transfers and the ways they go wrong.
#include "link_script.h"
#include "protocol/link_frame.h"
#include "seed_corpus.h"

namespace fuzzseeds {
namespace {

using linkfuzz::Button;
using linkfuzz::kDamaged;
using linkfuzz::kNegative;
using linkfuzz::kShortRead;
using linkfuzz::Script;
using linkfuzz::Split;

// Pressed, probed once, then every command answered at once; the close
// timer runs at the end.
Script Transfer(Button b, size_t commands, Split split = Split::Whole) {
  Script s;
  s.Press(b).Advance(200);
  for (size_t i = 0; i <= commands; ++i) s.Answer(0, split, 3).Advance(5);
  return s.Advance(100);
}

}  // namespace

void AddLinkSeeds(Corpus& c) {
  c.Add("link", "download", Transfer(Button::Save, 16).Bytes());
  c.Add("link", "upload", Transfer(Button::Read, 9).Bytes());
  c.Add("link", "upload-bytewise", Transfer(Button::Read, 9, Split::Bytewise).Bytes());
  c.Add("link", "download-in-pieces", Transfer(Button::Save, 16, Split::InTwo).Bytes());

  // Unanswered sendings, an answer to the fourth, then a give-up.
  Script retries;
  retries.Press(Button::Save).Advance(400).Answer().Advance(6000).Answer(0, Split::ByThree).Advance(9000);
  c.Add("link", "retries-and-give-up", retries.Bytes());

  // Negative and damaged replies before the good one.
  Script faults;
  faults.Press(Button::Save).Advance(200).Answer(kNegative).Answer().Answer(kNegative).Answer(kDamaged).Advance(2000);
  faults.Answer().Answer(kNegative).Answer();
  c.Add("link", "negative-and-damaged", faults.Bytes());

  // Stop while probing and while a command waits; a restart over a
  // half-received frame.
  Script stop;
  stop.Press(Button::Read).Advance(400).Press(Button::Stop).Advance(1000);
  stop.Press(Button::Read).Advance(200).Answer().Raw({0x0B, 0x04, 0x80, 0x02}).Press(Button::Stop).Advance(10000);
  stop.Press(Button::Save).Advance(200).Answer().Answer().Advance(3000);
  c.Add("link", "stop-and-restart", stop.Bytes());

  // Buttons and ticks while a reply is parsed, and replies while the
  // success box is up.
  Script nested;
  nested.Press(Button::Read).Advance(200).OnYield(2).Advance(2000).Answer();
  nested.OnYield(1).Press(Button::Stop).Answer().Press(Button::Save).Advance(200);
  for (int i = 0; i < 15; ++i) nested.Answer();
  nested.OnBox(3).Answer().Answer().Advance(20);
  c.Add("link", "events-between-bytes", nested.Bytes());

  // The clock runs while the connect reply waits to be parsed: the first
  // command goes out late, and its give-up must still come.
  Script late;
  late.Press(Button::Save).Advance(400).OnYield(3).Answer().Advance(6000).Answer(0, Split::ByThree).Advance(8000);
  c.Add("link", "regress-parsed-after-ticks", late.Bytes());

  // Line noise, frames of every code, odd lengths and addresses.
  Script noise;
  noise.Press(Button::Read).Raw({0x00, 0xFF, 0x0B, 0x0B, 0x08, 0x01}).Advance(200);
  noise.Frame(protocol::RSP_CONNECT, 0x1234, {0x01}).Frame(protocol::RSP_READ, 0x0200, {}).Frame(0x00, 0, {});
  noise.Frame(protocol::RSP_READ, 0x0200, std::vector<uint8_t>(255, 0x0B), 0, Split::InTwo, 100);
  noise.Frame(protocol::RSP_READ, 0xFFF0, std::vector<uint8_t>(200, 0x66)).Answer(kShortRead, Split::Whole, 2);
  noise.Frame(protocol::RSP_WRITE, 0x0200, {0x01}).Answer().Advance(2000);
  c.Add("link", "noise", noise.Bytes());

  // A read answered with part of the block, then with the whole block: only
  // the whole block may count.
  Script short_read;
  short_read.Press(Button::Read).Advance(200).Answer().Answer(kShortRead, Split::Whole, 5);
  for (int i = 0; i < 9; ++i) short_read.Answer();
  c.Add("link", "regress-short-read", short_read.Bytes());

  // A port that does not open, settings that cannot be encoded.
  Script refused;
  refused.Set(1).Press(Button::Read).Advance(1000).Set(2).Press(Button::Save).Advance(1000);
  refused.Press(Button::Read).Advance(200).Set(3).Press(Button::Save).Advance(1000);
  c.Add("link", "refused-starts", refused.Bytes());
}

}  // namespace fuzzseeds
