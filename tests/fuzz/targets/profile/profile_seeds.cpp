// Seeds of the profile target: profiles as the program writes them, as
// people edit them, and files that are not profiles.
#include <algorithm>

#include "model/fields.h"
#include "model/settings.h"
#include "profile/ini_text.h"
#include "profile/settings_profile.h"
#include "seed_corpus.h"

namespace fuzzseeds {

using namespace std::string_view_literals;

void AddProfileSeeds(Corpus& c) {
  model::Settings s;
  for (size_t i = 0; i < model::kFieldCount; ++i) {
    const model::FieldId f(i);
    switch (model::kFields[i].kind) {
      case model::Kind::Text: s.SetText(f, std::string(model::kFields[i].missing) + "7"); break;
      case model::Kind::Flag: s.SetChecked(f, i % 2); break;
      case model::Kind::Index: s.SetIndex(f, int(i % 3)); break;
    }
  }
  profile::IniText written;
  profile::WriteSettings(s, written);
  c.Add("profile", "written", written.Text());

  c.Add("profile", "edited",
        "; site 42, edited by hand\n\n[ oth ]\n  RTT = 0x1F  \nadt=\"5\"\nnt1=$2\nnt2=-1\nrco=true\n"
        "pwd='  1234  '\n\n[WZN]\ncb_ed1=1\n cb_ed2 = 1\nname1=  Front door  \nname2=\"quoted\"\n"
        "name3\n[OTH]\nvolo=9\n[COM]\nComName=\"  COM7 \"\r\n");
  c.Add("profile", "regress-quotes-and-blanks",
        "[WZN]\r\nname1=\" padded \"\r\nname2=\"'inner'\"\r\nname3='\"'\r\nname4=\"\"\"\r\nname5=\t\x1a x \x1a\r\n");
  c.Add("profile", "not-a-profile", "MZ\x90\x00\x03\x00[\x00]=\x00\r\r\n\n=\n[]\n[\n]\n=x\n[WZN]\nname1=a\x00" "b\n"sv);
  c.Add("profile", "empty", "");

  // The names a profile holds: section headers and "key=" in the spelling
  // the program writes them.
  std::vector<std::string> tokens;
  for (const model::Field& f : model::kFields) {
    const std::string header = "[" + std::string(f.section) + "]";
    if (std::find(tokens.begin(), tokens.end(), header) == tokens.end()) tokens.push_back(header);
    tokens.push_back(std::string(profile::TrimBlanks(f.key)) + "=");
  }
  c.AddDictionary("profile", tokens);
}

}  // namespace fuzzseeds
