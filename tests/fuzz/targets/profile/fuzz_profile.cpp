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

// "section\nkey" lower-cased, names trimmed: names hold no line break.
std::string NameKey(std::string_view section, std::string_view key) {
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  std::string out;
  out.reserve(section.size() + 1 + key.size());
  for (char c : section) out += text::LowerAscii(c);
  out += '\n';
  for (char c : key) out += text::LowerAscii(c);
  return out;
}

// A plain reading of a text, line after line: the value of the first line
// of every key in the first section of every name (lines before the first
// header make a section without a name), keyed by the names lower-cased.
// nullopt for a key whose first line has no "=". The sections and keys in
// the order the text names them, for the lookups.
struct Reference {
  std::unordered_map<std::string, std::optional<std::string>> values;
  struct Name {
    std::string_view section, key;  // as the text spells them
    const std::string* lookup;      // NameKey(section, key): the key in values
  };
  std::vector<Name> names;
};

Reference ReadPlainly(std::string_view text) {
  Reference ref;
  std::set<std::string> seen;  // section names, lower-cased
  std::string_view section;
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
      section = TrimBlanks(line.substr(1, close - 1));
      counts = seen.insert(text::Lower(section)).second;
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
    std::string lookup = NameKey(section, key);
    const auto [it, added] = ref.values.try_emplace(std::move(lookup));
    if (!added) continue;
    if (eq != line.npos) it->second = ReadForm(line.substr(eq + 1));
    ref.names.push_back({section, key, &it->first});
  }
  return ref;
}

const std::optional<std::string>& Lookup(const Reference& ref, const std::string& lookup) {
  static const std::optional<std::string> kMissing;
  const auto it = ref.values.find(lookup);
  return it == ref.values.end() ? kMissing : it->second;
}

// NameKey of every key of the profile table.
const std::vector<std::string> kFieldLookups = [] {
  std::vector<std::string> v;
  for (const model::Field& f : model::kFields) v.push_back(NameKey(f.section, f.key));
  return v;
}();

// The other spelling of a name: letters in the other case, blanks around.
void Respell(std::string_view name, std::string& out) {
  out.assign(1, ' ');
  for (char c : name) out += text::LowerAscii(c) == c ? text::UpperAscii(c) : text::LowerAscii(c);
  out += '\t';
}

// Editing one key: it reads back as written, and every other key the text
// names, and every key of the profile table, reads as before.
void CheckEdit(const IniText& before, const Reference& ref, std::string_view section, std::string_view key,
               std::string_view value) {
  IniText after = before;
  if (!after.WriteString(section, key, value)) return;  // names that cannot be stored
  const IniText reread(after.Text());
  Check(reread.Find(section, key) == ReadForm(value));
  const std::string edited = NameKey(section, key);
  for (size_t i = 0; i < ref.names.size() && i < kMostCheckedAfterEdit; ++i) {
    const Reference::Name& n = ref.names[i];
    if (*n.lookup != edited) Check(reread.Find(n.section, n.key) == Lookup(ref, *n.lookup));
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
  std::string section, key;  // reused: the other spellings
  for (size_t i = 0; i < ref.names.size() && i < kMostChecked; ++i) {
    const Reference::Name& n = ref.names[i];
    const auto& want = Lookup(ref, *n.lookup);
    Check(ini.Find(n.section, n.key) == want);
    Respell(n.section, section);
    Respell(n.key, key);
    Check(ini.Find(section, key) == want);
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

  // Two edits on every input, each picked by the input: one of the first
  // keys the text names, with one of the value forms, and a new key, in a
  // section the text may lack or in its first section. (Five edits on
  // every input cost more than half the target's time.)
  static const std::string kValues[] = {"1", " padded ", "\"quoted\"", "", "a=b", "'x"};
  const size_t pick = size + (size ? data[size / 2] : 0);
  if (!ref.names.empty()) {
    const Reference::Name& name = ref.names[pick % std::min<size_t>(ref.names.size(), 3)];
    CheckEdit(ini, ref, name.section, name.key, kValues[pick % std::size(kValues)]);
  }
  if (pick % 2 == 0 || ref.names.empty())
    CheckEdit(ini, ref, "OTH", "rtt", "0x10");
  else
    CheckEdit(ini, ref, ref.names[0].section, "added key", "new");
  return 0;
}
