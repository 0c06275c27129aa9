// Profile files of any content up to the size a load accepts. The INI layer
// gives back every byte of a text it has not edited, and an edit changes
// only the key it names; the settings loaded from any file come back the
// same after a save, into that file as well as into a new one.
#include <array>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "model/fields.h"
#include "profile/ini_text.h"
#include "profile/profile_file.h"
#include "profile/settings_profile.h"
#include "text/ascii.h"

namespace {

using profile::IniText;

void Check(bool ok) {
  if (!ok) std::abort();
}

// What a read gives for a value stored as it is.
std::string ReadForm(std::string_view v) {
  v = profile::TrimBlanks(v);
  if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0]) v = v.substr(1, v.size() - 2);
  return std::string(v.substr(0, IniText::kMaxValue));
}

bool SameName(std::string_view a, std::string_view b) {
  return text::EqualNoCase(profile::TrimBlanks(a), profile::TrimBlanks(b));
}

// The lines of the text that look like "key=value", with the name of the
// section header before them: keys as a user's file names them.
struct KeyLine {
  std::string section, key;
};
std::vector<KeyLine> KeyLines(std::string_view text, size_t most) {
  std::vector<KeyLine> out;
  std::string section;
  size_t start = 0;
  while (start < text.size() && out.size() < most) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == text.npos) end = text.size();
    const std::string_view line = profile::TrimBlanks(text.substr(start, end - start));
    if (!line.empty() && line[0] == '[' && line.rfind(']') != line.npos && line.rfind(']') > 0) {
      section = std::string(line.substr(1, line.rfind(']') - 1));
    } else if (const size_t eq = line.find('='); eq != line.npos && eq > 0) {
      out.push_back({section, std::string(line.substr(0, eq))});
    }
    start = end + 1;
  }
  return out;
}

// The values of the profile table's keys as a text holds them.
using TableValues = std::array<std::optional<std::string>, model::kFieldCount>;
TableValues Values(const IniText& ini) {
  TableValues v;
  for (size_t i = 0; i < model::kFieldCount; ++i) v[i] = ini.Find(model::kFields[i].section, model::kFields[i].key);
  return v;
}

// Editing one key leaves every key of the profile table that it does not
// name as it was, and reads back as written.
void CheckEdit(const IniText& before, const TableValues& values, const KeyLine& k, const std::string& value) {
  IniText after = before;
  if (!after.WriteString(k.section, k.key, value)) return;  // names that cannot be stored
  const IniText reread(after.Text());
  Check(reread.Find(k.section, k.key) == ReadForm(value));
  for (size_t i = 0; i < model::kFieldCount; ++i) {
    const model::Field& f = model::kFields[i];
    if (SameName(f.section, k.section) && SameName(f.key, k.key)) continue;
    Check(reread.Find(f.section, f.key) == values[i]);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > profile::kMaxProfileBytes) return 0;  // refused before it is parsed
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  const IniText ini(content);
  Check(ini.Text() == content);

  model::Settings loaded;
  profile::ReadSettings(ini, &loaded);
  for (const IniText& target : {ini, IniText()}) {
    IniText saved = target;
    Check(profile::WriteSettings(loaded, saved).ok);
    model::Settings back;
    profile::ReadSettings(IniText(saved.Text()), &back);
    Check(back == loaded);
  }

  // Edits cost a pass over the text per key of the table: a few, on texts
  // of a usual size, and on a quarter of the inputs (those whose size is a
  // multiple of four) so that the rest run faster.
  if (size <= 16384 && size % 4 == 0) {
    static const std::string kValues[] = {"1", " padded ", "\"quoted\"", "", "a=b", "'x"};
    size_t n = 0;
    const TableValues values = Values(ini);
    for (const KeyLine& k : KeyLines(content, 3)) CheckEdit(ini, values, k, kValues[n++ % std::size(kValues)]);
    CheckEdit(ini, values, {"OTH", "rtt"}, "0x10");
  }
  return 0;
}
