// The command line's one switch: the window without its skin.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line.h"

TEST(CommandLine, NoSkinSwitches) {
  using Args = std::vector<std::string>;
  const struct {
    Args args;
    bool no_skin;
  } cases[] = {
      {{}, false},
      {{"/noskin"}, true},
      {{"--no-skin"}, true},
      {{"/NoSkin"}, true},
      {{"profile.sf", "--NO-SKIN"}, true},
      {{"/noskins", "-no-skin", "noskin", "--no-skin=1"}, false},
  };
  for (const auto& c : cases) EXPECT_EQ(NoSkinRequested(c.args), c.no_skin) << ::testing::PrintToString(c.args);
}
