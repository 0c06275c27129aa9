// gsmcfg's command line: what is accepted and what is refused.
#include "cli/args.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> w;
  for (std::string s; in >> s;) w.push_back(s);
  return w;
}

cli::Parsed Parse(const std::string& line) { return cli::ParseArgs(Words(line)); }

}  // namespace

TEST(CliArgs, Accepted) {
  auto c = std::get<cli::Command>(Parse("read /dev/ttyUSB0 -o site.sf --wait 2.5 -q"));
  EXPECT_EQ(c.verb, cli::Verb::Read);
  EXPECT_EQ(c.port, "/dev/ttyUSB0");
  EXPECT_EQ(c.output, "site.sf");
  EXPECT_EQ(c.wait_ms, 2500);
  EXPECT_TRUE(c.quiet);

  c = std::get<cli::Command>(Parse("write com12 p.sf --verify --backup=old --repeat --wait=60"));
  EXPECT_EQ(c.verb, cli::Verb::Write);
  EXPECT_EQ(c.port, "com12");
  EXPECT_EQ(c.files, std::vector<std::string>{"p.sf"});
  EXPECT_TRUE(c.verify && c.repeat);
  EXPECT_EQ(c.backup_dir, "old");
  EXPECT_EQ(c.wait_ms, 60000);

  c = std::get<cli::Command>(Parse("diff -- -b.sf --json"));
  EXPECT_EQ(c.files, (std::vector<std::string>{"-b.sf", "--json"}));
  EXPECT_FALSE(c.json);  // after "--" every word is a file

  EXPECT_EQ(std::get<cli::Command>(Parse("show p.sf --json")).json, true);
  EXPECT_EQ(std::get<cli::Command>(Parse("ports")).verb, cli::Verb::Ports);
  c = std::get<cli::Command>(Parse("find --wait 90 -q"));
  EXPECT_EQ(c.verb, cli::Verb::Find);
  EXPECT_EQ(c.wait_ms, 90000);
  EXPECT_TRUE(c.quiet);
  EXPECT_EQ(std::get<cli::Command>(Parse("--help")).verb, cli::Verb::Help);
}

TEST(CliArgs, Refused) {
  const char* bad[] = {
      "",                                 // no command
      "format COM1",                      // unknown command
      "read COM1",                        // no -o
      "read COM1 -o",                     // -o without a file
      "read COM1 x.sf -o y.sf",           // one word too many
      "write COM1",                       // no profile
      "write COM1 p.sf --json",           // an option of another command
      "show p.sf --verify",
      "diff a.sf",
      "ports extra",
      "find COM1",                        // find takes no port
      "find --json",
      "find --wait 0",
      "read COM1 -o x.sf --wait",         // no seconds
      "read COM1 -o x.sf --wait 0",       // not above 0
      "read COM1 -o x.sf --wait -1",
      "read COM1 -o x.sf --wait 1e3",
      "read COM1 -o x.sf --wait 86401",   // more than a day
      "read COM1 -o x.sf --wait 99999999999999999999",
      "write COM1 p.sf --verify=yes",     // a flag with a value
      "help me",
  };
  for (const char* line : bad) {
    const cli::Parsed p = Parse(line);
    ASSERT_TRUE(std::holds_alternative<cli::UsageError>(p)) << "accepted: " << line;
    EXPECT_FALSE(std::get<cli::UsageError>(p).message.empty()) << line;
  }
}
