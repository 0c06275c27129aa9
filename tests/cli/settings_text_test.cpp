// What show and diff print for settings.
#include "cli/settings_text.h"

#include <gtest/gtest.h>

TEST(CliSettingsText, ShowAndDiffNameSettingsAsTheWindowDoes) {
  model::Settings a;
  a.SetText("edt_tel1", "5550100");
  a.SetText("edt_name1", "Door \"A\"\\\xE9\x80");
  a.SetChecked("cb_rco", true);
  a.SetIndex("cb_nt1", 2);
  const std::string text = cli::ShowText(a);
  EXPECT_NE(text.find("TEL No.1: 5550100\n"), std::string::npos);
  EXPECT_NE(text.find("Sound Alarm: checked\n"), std::string::npos);
  EXPECT_NE(text.find("Input 1 type: NC\n"), std::string::npos);
  EXPECT_NE(text.find("Powerdown Alert: (none)\n"), std::string::npos);

  // JSON: escaped quotes and backslashes, Windows-1252 bytes as UTF-8, flags
  // as booleans, no item as null.
  const std::string json = cli::ShowJson(a);
  EXPECT_NE(json.find("\"Input 1 alarm SMS text\": \"Door \\\"A\\\"\\\\\xC3\xA9\xE2\x82\xAC\""), std::string::npos)
      << json;
  EXPECT_NE(json.find("\"Sound Alarm\": true"), std::string::npos);
  EXPECT_NE(json.find("\"Powerdown Alert\": null"), std::string::npos);

  model::Settings b = a;
  EXPECT_TRUE(cli::Differences(a, b).empty());
  EXPECT_EQ(cli::DiffJson(a, b, {}), "{}\n");
  b.SetText("edt_tel1", "5550111");
  b.SetIndex("cb_nt1", -1);
  const auto diff = cli::Differences(a, b);
  ASSERT_EQ(diff.size(), 2u);
  EXPECT_EQ(cli::DiffText(a, b, diff), "TEL No.1: 5550100 -> 5550111\nInput 1 type: NC -> (none)\n");
  EXPECT_NE(cli::DiffJson(a, b, diff).find("\"Input 1 type\": {\"a\": \"NC\", \"b\": null}"), std::string::npos);
}
