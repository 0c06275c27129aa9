// Profile files of any content up to the size a load accepts. The INI layer
// gives back every byte of a text it has not edited; every value it finds
// is the one a plain line-by-line reading of the text gives; an edit changes
// only the key it names. The settings loaded from any file come back the
// same after a save, into that file as well as into a new one.
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/fields.h"
#include "profile/ini_text.h"
#include "profile/profile_file.h"
#include "profile/settings_profile.h"
#include "text/ascii.h"

namespace {

using profile::IniText;

// Keys of the text checked one by one: enough for every profile, few
// enough that a megabyte of keys stays quick; after an edit, fewer.
constexpr size_t kMostChecked = 1000, kMostCheckedAfterEdit = 64;
using profile::TrimBlanks;

void Check(bool ok) {
  if (!ok) std::abort();
}

// What a read gives for the text after a key's "=": trimmed, cut at a NUL,
// one pair of enclosing quotation marks removed, cut to the longest value.
std::string ReadForm(std::string_view v) {
  v = TrimBlanks(v);
  v = v.substr(0, v.find('\0'));
  if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0]) v = v.substr(1, v.size() - 2);
  return std::string(v.substr(0, IniText::kMaxValue));
}

std::string NameKey(std::string_view name) { return text::Lower(TrimBlanks(name)); }
std::string NameKey(std::string_view section, std::string_view key) { return NameKey(section) + "\n" + NameKey(key); }

// A plain reading of a text, line after line: the value of the first line
// of every key in the first section of every name (lines before the first
// header make a section without a name), keyed by the names lower-cased.
// nullopt for a key whose first line has no "=". The sections and keys in
// the order the text names them, for the lookups.
struct Reference {
  // "section\nkey": names hold no line break.
  std::unordered_map<std::string, std::optional<std::string>> values;
  struct Name {
    std::string section, key;  // as the text spells them
    std::string lookup;        // NameKey(section, key)
  };
  std::vector<Name> names;
};

Reference ReadPlainly(std::string_view text) {
  Reference ref;
  std::set<std::string> seen;
  std::string section;
  bool counts = false;  // the current section is the first of its name
  bool any_line = false;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    const std::string_view line = TrimBlanks(text.substr(start, end - start));
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);

    const size_t close = line.rfind(']');
    if (!line.empty() && line[0] == '[' && close != line.npos && close > 0) {
      section = std::string(TrimBlanks(line.substr(1, close - 1)));
      counts = seen.insert(NameKey(section)).second;
      any_line = true;
      continue;
    }
    if (!any_line) {  // the first line is not a header: the nameless section
      any_line = true;
      counts = seen.insert("").second;
    }
    if (!counts || line.empty()) continue;
    const size_t eq = line.find('=');
    const std::string_view key = TrimBlanks(line.substr(0, eq));
    std::optional<std::string> value;
    if (eq != line.npos) value = ReadForm(line.substr(eq + 1));
    std::string lookup = NameKey(section, key);
    if (ref.values.emplace(lookup, value).second) ref.names.push_back({section, std::string(key), std::move(lookup)});
  }
  return ref;
}

std::optional<std::string> Lookup(const Reference& ref, const std::string& lookup) {
  const auto it = ref.values.find(lookup);
  return it == ref.values.end() ? std::nullopt : it->second;
}

// NameKey of every key of the profile table.
const std::vector<std::string> kFieldLookups = [] {
  std::vector<std::string> v;
  for (const model::Field& f : model::kFields) v.push_back(NameKey(f.section, f.key));
  return v;
}();

// The other spelling of a name: letters in the other case, blanks around.
std::string Respelled(const std::string& name) {
  std::string out = " ";
  for (char c : name) out += text::LowerAscii(c) == c ? text::UpperAscii(c) : text::LowerAscii(c);
  return out + "\t";
}

// Editing one key: it reads back as written, and every other key the text
// names, and every key of the profile table, reads as before.
void CheckEdit(const IniText& before, const Reference& ref, const std::string& section, const std::string& key,
               const std::string& value) {
  IniText after = before;
  if (!after.WriteString(section, key, value)) return;  // names that cannot be stored
  const IniText reread(after.Text());
  Check(reread.Find(section, key) == ReadForm(value));
  const std::string edited = NameKey(section, key);
  for (size_t i = 0; i < ref.names.size() && i < kMostCheckedAfterEdit; ++i) {
    const Reference::Name& n = ref.names[i];
    if (n.lookup != edited) Check(reread.Find(n.section, n.key) == Lookup(ref, n.lookup));
  }
  for (size_t i = 0; i < model::kFieldCount; ++i) {
    const model::Field& f = model::kFields[i];
    if (kFieldLookups[i] != edited) Check(reread.Find(f.section, f.key) == Lookup(ref, kFieldLookups[i]));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > profile::kMaxProfileBytes) return 0;  // refused before it is parsed
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  const IniText ini(content);
  Check(ini.Text() == content);

  // Every key the text names, under its own spelling and under another,
  // and every key of the table, reads as the plain reading has it.
  const Reference ref = ReadPlainly(content);
  for (size_t i = 0; i < ref.names.size() && i < kMostChecked; ++i) {
    const Reference::Name& n = ref.names[i];
    const auto want = Lookup(ref, n.lookup);
    Check(ini.Find(n.section, n.key) == want);
    Check(ini.Find(Respelled(n.section), Respelled(n.key)) == want);
  }
  for (size_t i = 0; i < model::kFieldCount; ++i)
    Check(ini.Find(model::kFields[i].section, model::kFields[i].key) == Lookup(ref, kFieldLookups[i]));

  model::Settings loaded;
  profile::ReadSettings(ini, &loaded);
  {
    IniText saved = ini;
    Check(profile::WriteSettings(loaded, saved).ok);
    model::Settings back;
    profile::ReadSettings(IniText(saved.Text()), &back);
    Check(back == loaded);
  }
  {
    IniText saved;
    Check(profile::WriteSettings(loaded, saved).ok);
    model::Settings back;
    profile::ReadSettings(IniText(saved.Text()), &back);
    Check(back == loaded);
  }

  // Edits of the first keys the text names, of a key in a section it may
  // lack and of a new key in its first section.
  static const std::string kValues[] = {"1", " padded ", "\"quoted\"", "", "a=b", "'x"};
  size_t n = 0;
  for (const Reference::Name& name : ref.names) {
    if (n == 3) break;
    CheckEdit(ini, ref, name.section, name.key, kValues[n++ % std::size(kValues)]);
  }
  CheckEdit(ini, ref, "OTH", "rtt", "0x10");
  if (!ref.names.empty()) CheckEdit(ini, ref, ref.names[0].section, "added key", "new");
  return 0;
}
