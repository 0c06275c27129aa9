#include "model/settings.h"

#include <stdexcept>

namespace model {
namespace {

const Field& Expect(FieldId f, Kind want) {
  const Field& d = f.def();
  if (d.kind != want) throw std::logic_error(std::string(d.control) + " does not hold that kind of value");
  return d;
}

}  // namespace

Settings::Settings() {
  for (size_t i = 0; i < kFieldCount; ++i)
    if (kFields[i].kind == Kind::Index) numbers_[i] = -1;
}

const std::string& Settings::Text(FieldId f) const {
  Expect(f, Kind::Text);
  return texts_[f.index];
}

bool Settings::Checked(FieldId f) const {
  Expect(f, Kind::Flag);
  return numbers_[f.index] != 0;
}

int Settings::Index(FieldId f) const {
  Expect(f, Kind::Index);
  return numbers_[f.index];
}

void Settings::SetText(FieldId f, std::string text) {
  Expect(f, Kind::Text);
  texts_[f.index] = std::move(text);
}

void Settings::SetChecked(FieldId f, bool checked) {
  Expect(f, Kind::Flag);
  numbers_[f.index] = checked ? 1 : 0;
}

void Settings::SetIndex(FieldId f, int index) {
  const Field& d = Expect(f, Kind::Index);
  numbers_[f.index] = index >= 0 && size_t(index) < d.items.size() ? index : -1;
}

std::string ProfileValue(const Settings& s, FieldId f) {
  switch (f.def().kind) {
    case Kind::Text: return s.Text(f);
    case Kind::Flag: return s.Checked(f) ? "1" : "0";
    case Kind::Index: return std::to_string(s.Index(f));
  }
  return {};
}

}  // namespace model
