#include "cli/args.h"

#include <cstdint>
#include <optional>

namespace cli {

const char kUsage[] =
    "usage: gsmcfg read  PORT -o FILE.sf [--wait S] [--quiet]\n"
    "       gsmcfg write PORT FILE.sf [--verify] [--backup DIR] [--repeat] [--wait S] [--quiet]\n"
    "       gsmcfg show  FILE.sf [--json]\n"
    "       gsmcfg diff  A.sf B.sf [--json]\n"
    "       gsmcfg ports\n"
    "       gsmcfg find [--wait S] [--quiet]\n"
    "\n"
    "PORT is a serial device (/dev/ttyUSB0), a port name (COM3, com12), or auto:\n"
    "the port where a unit answers.\n"
    "--wait S bounds the wait for the unit to answer (default 60 seconds).\n";

namespace {

constexpr int kMaxWaitMs = 24 * 3600 * 1000;

// Seconds with an optional fraction ("60", "0.5") as milliseconds, above 0
// and at most a day.
std::optional<int> ParseSeconds(const std::string& s) {
  int64_t whole = 0, frac = 0, scale = 1000;
  size_t i = 0;
  bool digits = false;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    whole = whole * 10 + (s[i] - '0');
    digits = true;
    if (whole > kMaxWaitMs / 1000) return std::nullopt;
  }
  if (i < s.size() && s[i] == '.') {
    for (++i; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
      digits = true;
      if (scale > 1) {
        scale /= 10;
        frac += (s[i] - '0') * scale;
      }
    }
  }
  if (!digits || i != s.size()) return std::nullopt;
  const int64_t ms = whole * 1000 + frac;
  if (ms <= 0 || ms > kMaxWaitMs) return std::nullopt;
  return int(ms);
}

struct VerbInfo {
  const char* name;
  Verb verb;
  size_t operands;  // positional words
};

constexpr VerbInfo kVerbs[] = {
    {"read", Verb::Read, 1},  {"write", Verb::Write, 2}, {"show", Verb::Show, 1},
    {"diff", Verb::Diff, 2},  {"ports", Verb::Ports, 0}, {"find", Verb::Find, 0},
};

UsageError Error(std::string message) { return {std::move(message)}; }

}  // namespace

Parsed ParseArgs(std::span<const std::string> words) {
  Command c;
  if (words.empty()) return Error("no command given");
  const std::string& first = words[0];
  if (first == "help" || first == "--help" || first == "-h") {
    if (words.size() > 1) return Error("help takes no arguments");
    return c;
  }
  const VerbInfo* verb = nullptr;
  for (const VerbInfo& v : kVerbs)
    if (first == v.name) verb = &v;
  if (!verb) return Error("unknown command \"" + first + "\"");
  c.verb = verb->verb;

  const bool transfer = c.verb == Verb::Read || c.verb == Verb::Write;
  const bool probes = transfer || c.verb == Verb::Find;
  std::vector<std::string> operands;
  bool options_done = false;
  for (size_t i = 1; i < words.size(); ++i) {
    const std::string& w = words[i];
    if (options_done || w.empty() || w[0] != '-' || w == "-") {
      operands.push_back(w);
      continue;
    }
    if (w == "--") {
      options_done = true;
      continue;
    }
    // "--name value" or "--name=value".
    std::string name = w;
    std::optional<std::string> inline_value;
    if (const size_t eq = w.find('='); w.rfind("--", 0) == 0 && eq != std::string::npos) {
      name = w.substr(0, eq);
      inline_value = w.substr(eq + 1);
    }
    auto value = [&]() -> std::optional<std::string> {
      if (inline_value) return inline_value;
      if (i + 1 >= words.size()) return std::nullopt;
      return words[++i];
    };
    auto flag = [&](bool& target) -> bool {
      if (inline_value) return false;
      target = true;
      return true;
    };
    const std::string where = " for " + std::string(verb->name);

    if (probes && name == "--wait") {
      const auto v = value();
      if (!v) return Error("--wait needs a number of seconds");
      const auto ms = ParseSeconds(*v);
      if (!ms) return Error("--wait takes seconds above 0 and at most a day, not \"" + *v + "\"");
      c.wait_ms = *ms;
    } else if (probes && (name == "--quiet" || name == "-q")) {
      if (!flag(c.quiet)) return Error(name + " takes no value");
    } else if (c.verb == Verb::Read && (name == "-o" || name == "--output")) {
      const auto v = value();
      if (!v || v->empty()) return Error(name + " needs a file name");
      c.output = *v;
    } else if (c.verb == Verb::Write && name == "--verify") {
      if (!flag(c.verify)) return Error("--verify takes no value");
    } else if (c.verb == Verb::Write && name == "--repeat") {
      if (!flag(c.repeat)) return Error("--repeat takes no value");
    } else if (c.verb == Verb::Write && name == "--backup") {
      const auto v = value();
      if (!v || v->empty()) return Error("--backup needs a folder");
      c.backup_dir = *v;
    } else if ((c.verb == Verb::Show || c.verb == Verb::Diff) && name == "--json") {
      if (!flag(c.json)) return Error("--json takes no value");
    } else {
      return Error("unknown option " + name + where);
    }
  }

  if (operands.size() != verb->operands) {
    static const char* const kWhat[] = {"no arguments", "one argument", "two arguments"};
    return Error(std::string(verb->name) + " takes " + kWhat[verb->operands] + ", not " +
                 std::to_string(operands.size()));
  }
  for (const std::string& o : operands)
    if (o.empty()) return Error("an empty argument is no port or file name");
  if (transfer) {
    c.port = operands[0];
    c.files.assign(operands.begin() + 1, operands.end());
  } else {
    c.files = operands;
  }
  if (c.verb == Verb::Read && c.output.empty()) return Error("read needs -o FILE.sf");
  return c;
}

}  // namespace cli
