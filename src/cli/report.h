// What gsmcfg tells the user: failures and progress on stderr, results on
// stdout.
#pragma once

#include <cstddef>
#include <string>

#include "serial/line/port_list.h"

namespace cli {

// "gsmcfg: <message>" on stderr; returns `status`.
int Fail(int status, const std::string& message);

// One result line on stdout.
void Result(const std::string& line);

// A port as gsmcfg lists it: its name, and its description when it has one.
std::string PortLine(const serial::PortInfo& port);

// Progress of a transfer on stderr: on a terminal one line rewritten per
// block ("write: block 4/9"), otherwise one plain line per block; nothing
// when quiet.
class ProgressLine {
 public:
  explicit ProgressLine(bool quiet);
  ~ProgressLine();
  void Begin(const std::string& phase);
  void Block(size_t done);
  // Ends a rewritten line, so that what follows starts on a line of its own.
  void End();

 private:
  bool quiet_;
  bool terminal_;
  bool open_ = false;
  std::string phase_;
};

}  // namespace cli
