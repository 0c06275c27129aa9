// The window's settings: its controls copied into a Settings value, a
// Settings value applied back to them, and the settings image coded through
// that value. Every setting's control is found by the name the field table
// gives it.
#include <stdexcept>

#include "app/umset.h"
#include "protocol/settings_image.h"

namespace {

using model::FieldId;
using model::Kind;
using model::kFields;

template <typename T>
T& SettingControl(const Tfrm_mset& w, FieldId f) {
  auto* c = dynamic_cast<T*>(w.FindComponent(f.def().control));
  if (!c) throw std::logic_error(std::string("the window has no control ") + f.def().control);
  return *c;
}

// Selects an item; an index of -1 or one outside the list selects none and
// clears the shown text, also when no item was selected before.
void SelectIndex(fw::TComboBox& box, int index) {
  box.SetItemIndex(index);
  if (box.ItemIndex() < 0 && !box.Text().empty()) box.SetText("");
}

}  // namespace

model::Settings Tfrm_mset::CurrentSettings() const {
  model::Settings s;
  for (size_t i = 0; i < model::kFieldCount; ++i) {
    const FieldId f(i);
    switch (kFields[i].kind) {
      case Kind::Text: s.SetText(f, SettingControl<fw::TControl>(*this, f).Text()); break;
      case Kind::Flag: s.SetChecked(f, SettingControl<fw::TCheckBox>(*this, f).Checked()); break;
      case Kind::Index: s.SetIndex(f, SettingControl<fw::TComboBox>(*this, f).ItemIndex()); break;
    }
  }
  return s;
}

void Tfrm_mset::ApplySettings(const model::Settings& s, ApplyOrder order) {
  auto apply = [&](size_t i) {
    const FieldId f(i);
    switch (kFields[i].kind) {
      case Kind::Text: SettingControl<fw::TControl>(*this, f).SetText(s.Text(f)); break;
      case Kind::Flag: SettingControl<fw::TCheckBox>(*this, f).SetChecked(s.Checked(f)); break;
      case Kind::Index: SelectIndex(SettingControl<fw::TComboBox>(*this, f), s.Index(f)); break;
    }
  };
  if (order == ApplyOrder::Profile) {
    for (uint8_t i : model::kProfileOrder) apply(i);
    return;
  }
  for (size_t i = 0; i < model::kFieldCount; ++i)
    if (kFields[i].image != model::ImageForm::None) apply(i);
}

bool Tfrm_mset::EncodeImage(protocol::SettingsImageBytes& image, std::string* error) {
  const model::Settings s = CurrentSettings();
  protocol::EncodeError failure;
  const bool ok = protocol::EncodeImage(s, image, &failure);
  // The drop-downs that had no item selected were sent as item 0, which
  // the window then shows: those the encoding reached before any failure.
  const size_t reached = ok ? model::kFieldCount : failure.field.index;
  for (size_t i = 0; i < reached; ++i) {
    const FieldId f(i);
    if (kFields[i].kind == Kind::Index && kFields[i].image != model::ImageForm::None && s.Index(f) < 0)
      SettingControl<fw::TComboBox>(*this, f).SetItemIndex(0);
  }
  if (!ok && error) *error = failure.text;
  return ok;
}

void Tfrm_mset::DecodeImage(const protocol::SettingsImageBytes& image) {
  model::Settings s = CurrentSettings();
  protocol::DecodeImage(image, s);
  ApplySettings(s, ApplyOrder::Image);
}
