#include "cli/find_command.h"

#include <string>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/report.h"
#include "cli/unit_finder.h"
#include "text/ascii.h"

namespace cli {
namespace {

constexpr int kDefaultWaitMs = 60000;

std::string Seconds(int ms) {
  return ms % 1000 ? std::to_string(ms / 1000) + "." + std::to_string(ms % 1000 / 100) : std::to_string(ms / 1000);
}

std::string PortCount(size_t n) { return n == 1 ? "1 port" : std::to_string(n) + " ports"; }

// "A", "A and B", "A, B and C".
std::string NameList(const std::vector<serial::PortInfo>& ports) {
  std::string s;
  for (size_t i = 0; i < ports.size(); ++i) {
    if (i > 0) s += i + 1 == ports.size() ? " and " : ", ";
    s += ports[i].name;
  }
  return s;
}

// Probes the ports, telling the user what happens on stderr: ports that
// cannot be opened always, the rest unless quiet.
FindResult Probe(const std::vector<serial::PortInfo>& ports, int wait_ms, bool quiet, const std::string& who) {
  if (!quiet) {
    const std::string limit = wait_ms > 0 ? "for up to " + Seconds(wait_ms) + " s" : "without a time limit";
    Fail(kExitOk, who + ": probing " + PortCount(ports.size()) + " " + limit + "; switch the unit on");
  }
  FindOptions options;
  options.wait_ms = wait_ms;
  options.interrupted = Interrupted;
  options.on_report = [&](const PortReport& r) {
    switch (r.outcome) {
      case PortOutcome::CannotOpen: Fail(kExitOk, "skipped " + r.port.name + ": " + r.reason); break;
      case PortOutcome::NotAUnit:
      case PortOutcome::Failed:
        if (!quiet) Fail(kExitOk, who + ": no unit on " + r.port.name + ": " + r.reason);
        break;
      case PortOutcome::Unit:
        if (!quiet) Fail(kExitOk, who + ": a unit answered on " + r.port.name);
        break;
      case PortOutcome::NoAnswer: break;
    }
  };
  return FindUnits(ports, options);
}

// Why no unit was found, as the end of a sentence.
std::string NoUnitReason(const FindResult& r, int wait_ms) {
  bool any_opened = false;
  for (const PortReport& p : r.ports) any_opened = any_opened || p.outcome != PortOutcome::CannotOpen;
  if (!any_opened) return "no serial port could be opened";
  std::string s = "no unit answered on any of " + PortCount(r.ports.size());
  if (r.wait_ran_out) s += " within " + Seconds(wait_ms) + " s";
  return s;
}

}  // namespace

int RunFind(const Command& c) { return RunFindAmong(c, serial::ListSerialPorts()); }

int RunFindAmong(const Command& c, const std::vector<serial::PortInfo>& ports) {
  if (ports.empty()) return Fail(kExitNoUnit, "no serial port found");
  const int wait_ms = c.wait_ms ? c.wait_ms : kDefaultWaitMs;
  const FindResult r = Probe(ports, wait_ms, c.quiet, "find");
  const std::vector<serial::PortInfo> units = r.Units();
  for (const serial::PortInfo& p : units) Result(PortLine(p));
  if (r.interrupted) return Fail(kExitInterrupted, "interrupted");
  if (units.empty()) return Fail(kExitNoUnit, NoUnitReason(r, wait_ms));
  return kExitOk;
}

bool NamesAutoPort(const Command& c) {
  return (c.verb == Verb::Read || c.verb == Verb::Write) && text::Upper(c.port) == "AUTO";
}

int ResolveAutoPort(Command& c) { return ResolveAutoPortAmong(c, serial::ListSerialPorts()); }

int ResolveAutoPortAmong(Command& c, const std::vector<serial::PortInfo>& ports) {
  if (ports.empty()) return Fail(kExitNoUnit, "auto: no serial port found");
  // As long as the transfer itself would wait: a batch waits for its first
  // unit without limit unless --wait says otherwise.
  const int wait_ms = c.wait_ms ? c.wait_ms : (c.verb == Verb::Write && c.repeat ? 0 : kDefaultWaitMs);
  const FindResult r = Probe(ports, wait_ms, c.quiet, "auto");
  if (r.interrupted) return Fail(kExitInterrupted, "interrupted");
  const std::vector<serial::PortInfo> units = r.Units();
  if (units.size() > 1)
    return Fail(kExitUsage, "auto: units answered on " + NameList(units) + "; name the port to use instead of auto");
  if (units.empty()) return Fail(kExitNoUnit, "auto: " + NoUnitReason(r, wait_ms));
  c.port = units.front().name;
  return kExitOk;
}

}  // namespace cli
