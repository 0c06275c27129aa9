// gsmcfg's command line: any words (the input split at NUL bytes). A
// refusal always says why; an accepted command is one the program can
// carry out, and written out again as words it parses to the same command.
#include <cstdlib>
#include <string>
#include <variant>
#include <vector>

#include "cli/args.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool Same(const cli::Command& a, const cli::Command& b) {
  return a.verb == b.verb && a.port == b.port && a.files == b.files && a.output == b.output &&
         a.backup_dir == b.backup_dir && a.verify == b.verify && a.repeat == b.repeat && a.json == b.json &&
         a.quiet == b.quiet && a.wait_ms == b.wait_ms;
}

const char* VerbName(cli::Verb v) {
  switch (v) {
    case cli::Verb::Read: return "read";
    case cli::Verb::Write: return "write";
    case cli::Verb::Show: return "show";
    case cli::Verb::Diff: return "diff";
    case cli::Verb::Ports: return "ports";
    case cli::Verb::Find: return "find";
    case cli::Verb::Help: return "help";
  }
  return "";
}

// The command as words: options first, then "--" and the operands, so
// that operands beginning with "-" stay operands.
std::vector<std::string> Words(const cli::Command& c) {
  std::vector<std::string> w{VerbName(c.verb)};
  if (c.verb == cli::Verb::Help) return w;
  if (!c.output.empty()) w.insert(w.end(), {"-o", c.output});
  if (!c.backup_dir.empty()) w.push_back("--backup=" + c.backup_dir);
  if (c.wait_ms) {
    std::string frac = std::to_string(c.wait_ms % 1000);
    w.push_back("--wait=" + std::to_string(c.wait_ms / 1000) + "." + std::string(3 - frac.size(), '0') + frac);
  }
  if (c.verify) w.push_back("--verify");
  if (c.repeat) w.push_back("--repeat");
  if (c.json) w.push_back("--json");
  if (c.quiet) w.push_back("-q");
  w.push_back("--");
  if (!c.port.empty()) w.push_back(c.port);
  w.insert(w.end(), c.files.begin(), c.files.end());
  return w;
}

void CheckCommand(const cli::Command& c) {
  const bool transfer = c.verb == cli::Verb::Read || c.verb == cli::Verb::Write;
  Check(transfer != c.port.empty());
  switch (c.verb) {
    case cli::Verb::Read: Check(c.files.empty() && !c.output.empty()); break;
    case cli::Verb::Write: Check(c.files.size() == 1); break;
    case cli::Verb::Show: Check(c.files.size() == 1); break;
    case cli::Verb::Diff: Check(c.files.size() == 2); break;
    case cli::Verb::Ports:
    case cli::Verb::Find:
    case cli::Verb::Help: Check(c.files.empty()); break;
  }
  for (const std::string& f : c.files) Check(!f.empty());
  Check(c.verb == cli::Verb::Read || c.output.empty());
  Check(c.verb == cli::Verb::Write || (c.backup_dir.empty() && !c.verify && !c.repeat));
  Check(c.verb == cli::Verb::Show || c.verb == cli::Verb::Diff || !c.json);
  Check(transfer || c.verb == cli::Verb::Find || (!c.quiet && c.wait_ms == 0));
  Check(c.wait_ms >= 0 && c.wait_ms <= 24 * 3600 * 1000);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> words;
  if (size > 0) {
    words.emplace_back();
    for (size_t i = 0; i < size; ++i) {
      if (data[i] != 0) words.back().push_back(char(data[i]));
      else if (words.size() < 64) words.emplace_back();
      else break;
    }
  }
  const cli::Parsed parsed = cli::ParseArgs(words);
  if (const auto* e = std::get_if<cli::UsageError>(&parsed)) {
    Check(!e->message.empty());
    return 0;
  }
  const cli::Command& c = std::get<cli::Command>(parsed);
  CheckCommand(c);
  const cli::Parsed again = cli::ParseArgs(Words(c));
  Check(std::holds_alternative<cli::Command>(again) && Same(std::get<cli::Command>(again), c));
  return 0;
}
