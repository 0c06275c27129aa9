// Seeds of the JSON target: two profiles, one as the program writes it and
// one with texts that JSON must escape (quotation marks, backslashes,
// control characters, bytes above 0x7F and the code page's unassigned ones).
#include "model/fields.h"
#include "model/settings.h"
#include "profile/ini_text.h"
#include "profile/settings_profile.h"
#include "seed_corpus.h"

namespace fuzzseeds {

void AddJsonSeeds(Corpus& c) {
  profile::IniText written;
  profile::WriteSettings(model::Settings(), written);
  const std::string a = written.Text();
  const std::string b =
      "[WZN]\r\nname1=say \"hi\"\r\nname2=C:\\alarm\\\r\nname3=tab\there\x01\x1f\x7f\r\n"
      "name4=caf\xe9 \x80 \x81\x8d\x8f\x90\x9d \xff\r\ncb_dc1=0\r\n[OTH]\r\nnt1=2\r\npdat=9\r\n";
  auto pair = [](const std::string& x, const std::string& y) {
    std::string out{char(x.size() & 0xFF), char(x.size() >> 8)};
    return out + x + y;
  };
  c.Add("json", "written-and-escapes", pair(a, b));
  c.Add("json", "same", pair(a, a));
  c.Add("json", "empty", std::string(2, '\0'));
}

}  // namespace fuzzseeds
