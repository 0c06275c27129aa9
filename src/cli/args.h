// The command line of gsmcfg, read without any I/O: the words in, a command
// or a usage error out.
#pragma once

#include <span>
#include <string>
#include <variant>
#include <vector>

namespace cli {

enum class Verb { Read, Write, Show, Diff, Ports, Find, Help };

struct Command {
  Verb verb = Verb::Help;
  std::string port;                // read, write ("auto": the port where a unit answers)
  std::vector<std::string> files;  // write: the profile; show: one; diff: two
  std::string output;              // read: the profile to write
  std::string backup_dir;          // write --backup
  bool verify = false;             // write --verify
  bool repeat = false;             // write --repeat
  bool json = false;               // show, diff
  bool quiet = false;              // read, write, find: no progress
  int wait_ms = 0;                 // read, write, find --wait: how long to probe for a unit (0: not given)
};

struct UsageError {
  std::string message;
};

using Parsed = std::variant<Command, UsageError>;

// The words after the program name.
Parsed ParseArgs(std::span<const std::string> words);

extern const char kUsage[];

}  // namespace cli
