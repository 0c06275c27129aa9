#include "cli/report.h"

#include <cstdio>

#include "cli/console.h"
#include "protocol/settings_image.h"

namespace cli {

int Fail(int status, const std::string& message) {
  std::fprintf(stderr, "gsmcfg: %s\n", message.c_str());
  std::fflush(stderr);
  return status;
}

void Result(const std::string& line) {
  std::fprintf(stdout, "%s\n", line.c_str());
  std::fflush(stdout);
}

std::string PortLine(const serial::PortInfo& port) {
  return port.description.empty() ? port.name : port.name + "  " + port.description;
}

ProgressLine::ProgressLine(bool quiet) : quiet_(quiet), terminal_(IsTerminal(stderr)) {}

ProgressLine::~ProgressLine() { End(); }

void ProgressLine::Begin(const std::string& phase) {
  End();
  phase_ = phase;
}

void ProgressLine::Block(size_t done) {
  if (quiet_) return;
  const size_t total = protocol::kImageBlocks.size();
  if (terminal_) {
    std::fprintf(stderr, "\r%s: block %u/%u", phase_.c_str(), unsigned(done), unsigned(total));
    open_ = true;
  } else {
    std::fprintf(stderr, "%s: block %u/%u\n", phase_.c_str(), unsigned(done), unsigned(total));
  }
  std::fflush(stderr);
}

void ProgressLine::End() {
  if (!open_) return;
  std::fputc('\n', stderr);
  std::fflush(stderr);
  open_ = false;
}

}  // namespace cli
