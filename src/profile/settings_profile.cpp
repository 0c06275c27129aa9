#include "profile/settings_profile.h"

#include <exception>

#include "profile/ini_text.h"
#include "profile/profile_file.h"
#include "text/strtoint.h"

namespace profile {
namespace {

using model::FieldId;
using model::kFields;
using model::kProfileOrder;

ProfileResult Failure(std::string reason) { return {false, std::move(reason)}; }

// A value as the file holds it. A read removes the blanks around a value and
// then one pair of enclosing quotation marks, so a text with blanks around
// it or in quotation marks of its own is put in double quotation marks:
// the read then gives the text back whole.
std::string Stored(std::string value) {
  const bool blanks = TrimBlanks(value).size() != value.size();
  const bool quoted = value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0];
  return blanks || quoted ? "\"" + value + "\"" : value;
}

}  // namespace

ProfileResult WriteSettings(const model::Settings& s, IniText& ini) {
  // A line of every key, and a header of every section, of a few dozen
  // characters each (texts are longer; the blocks grow as they must).
  constexpr size_t kSections = 8, kCharsPerLine = 24;
  ini.Reserve(model::kFieldCount + kSections, (model::kFieldCount + kSections) * kCharsPerLine);
  for (uint8_t i : kProfileOrder) {
    const model::Field& f = kFields[i];
    // The relay flags are named with a leading blank; names are matched
    // with surrounding blanks ignored, so the file holds them without it.
    std::string error;
    if (!ini.WriteString(f.section, f.key, Stored(model::ProfileValue(s, FieldId(i))), &error))
      return Failure("The value of \"" + std::string(TrimBlanks(f.key)) + "\" cannot be stored: " + error + ".");
  }
  return {};
}

void ReadSettings(const IniText& ini, model::Settings* out) {
  model::Settings s = *out;
  for (uint8_t i : kProfileOrder) {
    const model::Field& f = kFields[i];
    const FieldId id(i);
    switch (f.kind) {
      case model::Kind::Text:
        s.SetText(id, ini.ReadString(f.section, f.key, f.missing));
        break;
      case model::Kind::Flag:
        s.SetChecked(id, ini.ReadInteger(f.section, f.key, text::StrToIntDef(f.missing, 0)) != 0);
        break;
      case model::Kind::Index:
        s.SetIndex(id, ini.ReadInteger(f.section, f.key, text::StrToIntDef(f.missing, -1)));
        break;
    }
  }
  *out = std::move(s);
}

ProfileResult SaveProfile(const model::Settings& s, const std::string& path) {
  try {
    // Start from the file's current content, so that everything else in it
    // stays; a file that exists but cannot be read is not overwritten.
    std::string content, reason;
    if (ReadProfileFile(path, &content, &reason) == ReadStatus::Failed) return Failure(reason);

    IniText ini(content);
    if (ProfileResult r = WriteSettings(s, ini); !r.ok) return r;
    if (!ReplaceProfileFile(path, ini.Text(), &reason)) return Failure(reason);
    return {};
  } catch (const std::exception& e) {
    return Failure(e.what());
  }
}

ProfileResult LoadProfile(const std::string& path, model::Settings* out) {
  try {
    std::string content, reason;
    switch (ReadProfileFile(path, &content, &reason)) {
      case ReadStatus::Missing: return Failure("The file does not exist.");
      case ReadStatus::Failed: return Failure(reason);
      case ReadStatus::Ok: break;
    }
    ReadSettings(IniText(content), out);
    return {};
  } catch (const std::exception& e) {
    return Failure(e.what());
  }
}

}  // namespace profile
