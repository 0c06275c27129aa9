// INI reader on arbitrary text; lookups of keys taken from the text itself.
#include <string>

#include "skin/quick_ini.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  skin::TQuickIni ini;
  ini.LoadFromStream(std::span(data, size));
  std::vector<std::string> sections;
  ini.ReadSections(sections);
  for (const std::string& line : ini.Lines()) {
    const size_t eq = line.find('=');
    const std::string key = line.substr(0, eq == std::string::npos ? line.size() : eq);
    for (const std::string& s : sections) {
      (void)ini.ReadString(s, key, "d");
      (void)ini.ReadInteger(s, key, 7);
    }
    (void)ini.ReadInteger(line, line, 0);
  }
  return 0;
}
