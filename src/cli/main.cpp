// gsmcfg: the configurator's command-line companion, for installers who set
// up many units. It reads a unit into a profile, writes a profile into a
// unit (or into one unit after another), finds the port a unit is on, and
// shows and compares profiles, with the window's own protocol, settings
// image and profile code and without any window.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "cli/args.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/find_command.h"
#include "cli/report.h"

int main(int argc, char** argv) {
  const std::vector<std::string> words(argv + (argc > 0 ? 1 : 0), argv + argc);
  const cli::Parsed parsed = cli::ParseArgs(words);
  if (const auto* e = std::get_if<cli::UsageError>(&parsed)) {
    cli::Fail(cli::kExitUsage, e->message);
    std::fputs(cli::kUsage, stderr);
    return cli::kExitUsage;
  }
  cli::Command c = std::get<cli::Command>(parsed);
  cli::CatchInterrupts();
  try {
    if (cli::NamesAutoPort(c)) {
      const int status = cli::ResolveAutoPort(c);
      if (status != cli::kExitOk) return status;
    }
    switch (c.verb) {
      case cli::Verb::Help: std::fputs(cli::kUsage, stdout); return cli::kExitOk;
      case cli::Verb::Read: return cli::RunRead(c);
      case cli::Verb::Write: return cli::RunWrite(c);
      case cli::Verb::Show: return cli::RunShow(c);
      case cli::Verb::Diff: return cli::RunDiff(c);
      case cli::Verb::Ports: return cli::RunPorts(c);
      case cli::Verb::Find: return cli::RunFind(c);
    }
  } catch (const std::exception& e) {
    return cli::Fail(cli::kExitUsage, std::string("failed: ") + e.what());
  }
  return cli::kExitUsage;
}
