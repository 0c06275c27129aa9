#include "cli/settings_text.h"

#include <cstdio>

#include "text/codepage.h"

namespace cli {
namespace {

using model::FieldId;
using model::Kind;

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

std::string JsonString(const std::string& bytes) {
  std::string out = "\"";
  for (char16_t u : text::Cp1252ToWide(bytes)) {
    switch (u) {
      case u'"': out += "\\\""; break;
      case u'\\': out += "\\\\"; break;
      case u'\n': out += "\\n"; break;
      case u'\r': out += "\\r"; break;
      case u'\t': out += "\\t"; break;
      default:
        if (u < 0x20) {
          char esc[8];
          std::snprintf(esc, sizeof esc, "\\u%04x", unsigned(u));
          out += esc;
        } else {
          AppendUtf8(out, u);
        }
    }
  }
  return out + "\"";
}

std::string JsonValue(const model::Settings& s, FieldId f) {
  switch (f.def().kind) {
    case Kind::Text: return JsonString(s.Text(f));
    case Kind::Flag: return s.Checked(f) ? "true" : "false";
    case Kind::Index: return s.Index(f) < 0 ? "null" : JsonString(f.def().items[size_t(s.Index(f))]);
  }
  return "null";
}

}  // namespace

std::string DisplayValue(const model::Settings& s, FieldId f) {
  switch (f.def().kind) {
    case Kind::Text: return s.Text(f);
    case Kind::Flag: return s.Checked(f) ? "checked" : "not checked";
    case Kind::Index: return s.Index(f) < 0 ? "(none)" : f.def().items[size_t(s.Index(f))];
  }
  return {};
}

std::string ShowText(const model::Settings& s) {
  std::string out;
  for (size_t i = 0; i < model::kFieldCount; ++i)
    out += std::string(model::kFields[i].label) + ": " + DisplayValue(s, FieldId(i)) + "\n";
  return out;
}

std::string ShowJson(const model::Settings& s) {
  std::string out = "{";
  for (size_t i = 0; i < model::kFieldCount; ++i) {
    out += i ? ",\n  " : "\n  ";
    out += JsonString(model::kFields[i].label) + ": " + JsonValue(s, FieldId(i));
  }
  return out + "\n}\n";
}

std::vector<FieldId> Differences(const model::Settings& a, const model::Settings& b) {
  std::vector<FieldId> out;
  for (size_t i = 0; i < model::kFieldCount; ++i)
    if (model::ProfileValue(a, FieldId(i)) != model::ProfileValue(b, FieldId(i))) out.push_back(FieldId(i));
  return out;
}

std::string DiffText(const model::Settings& a, const model::Settings& b, const std::vector<FieldId>& fields) {
  std::string out;
  for (FieldId f : fields)
    out += std::string(f.def().label) + ": " + DisplayValue(a, f) + " -> " + DisplayValue(b, f) + "\n";
  return out;
}

std::string DiffJson(const model::Settings& a, const model::Settings& b, const std::vector<FieldId>& fields) {
  std::string out = "{";
  for (size_t i = 0; i < fields.size(); ++i) {
    out += i ? ",\n  " : "\n  ";
    out += JsonString(fields[i].def().label) + ": {\"a\": " + JsonValue(a, fields[i]) +
           ", \"b\": " + JsonValue(b, fields[i]) + "}";
  }
  return out + (fields.empty() ? "}\n" : "\n}\n");
}

}  // namespace cli
