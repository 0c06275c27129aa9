#include "framework/stdctrls.h"

#include "framework/properties.h"

namespace fw {

// ---- TEdit ----

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
  TabStop = true;
  SetColor(clWindow);
  SetBounds(0, 0, 121, 21);
}

void TEdit::SetMaxLength(int n) {
  if (n < 0) n = 0;
  if (n == max_length_) return;
  max_length_ = n;
  Changed(Prop::MaxLength);
}

void TEdit::TextChanged() {
  if (OnChange) OnChange(this);
}

void TEdit::TypeChar(char c) {
  char key = KeyPress(c);
  if (key == 0 || ReadOnly) return;
  const std::string& t = Text();
  if (key == '\b') {
    if (!t.empty()) SetText(t.substr(0, t.size() - 1));
    return;
  }
  // A single-line box inserts no other control character.
  if (static_cast<unsigned char>(key) < 32) return;
  if (max_length_ > 0 && int(t.size()) >= max_length_) return;
  SetText(t + key);
}

// ---- TCheckBox ----

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
  TabStop = true;
  SetBounds(0, 0, 97, 17);
}

void TCheckBox::SetState(TCheckBoxState s) {
  if (s == state_) return;
  state_ = s;
  Changed(Prop::Checked);
}

void TCheckBox::Toggle() {
  SetChecked(!Checked());
  Click();
}

bool TCheckBox::GetPropertyText(const std::string& name, std::string& v) const {
  if (PropIs(name, "Checked")) { v = BoolText(Checked()); return true; }
  if (PropIs(name, "State")) {
    v = state_ == TCheckBoxState::cbChecked ? "cbChecked" : state_ == TCheckBoxState::cbGrayed ? "cbGrayed" : "cbUnchecked";
    return true;
  }
  return TWinControl::GetPropertyText(name, v);
}

bool TCheckBox::SetPropertyText(const std::string& name, const std::string& v) {
  bool b;
  if (PropIs(name, "Checked")) {
    if (!ParseBool(v, b)) return false;
    SetChecked(b);
    return true;
  }
  if (PropIs(name, "State")) {
    if (PropIs(v, "cbChecked")) SetState(TCheckBoxState::cbChecked);
    else if (PropIs(v, "cbGrayed")) SetState(TCheckBoxState::cbGrayed);
    else if (PropIs(v, "cbUnchecked")) SetState(TCheckBoxState::cbUnchecked);
    else return false;
    return true;
  }
  return TWinControl::SetPropertyText(name, v);
}

// ---- TComboBox ----

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
  TabStop = true;
  SetColor(clWindow);
  SetBounds(0, 0, 145, 21);
}

void TComboBox::SetItems(const std::vector<std::string>& items) {
  items_ = items;
  item_index_ = -1;
  Changed(Prop::Items);
}

void TComboBox::SetItemIndex(int i) {
  if (i < 0 || i >= int(items_.size())) i = -1;
  if (i == item_index_) return;
  item_index_ = i;
  StoreText(i >= 0 ? items_[size_t(i)] : std::string());
  Changed(Prop::ItemIndex);
  Changed(Prop::Text);
}

void TComboBox::SetText(const std::string& s) {
  // A text set into the field selects no item, as typing does.
  if (s == Text() && item_index_ < 0) return;
  item_index_ = -1;
  StoreText(s);
  Changed(Prop::ItemIndex);
  Changed(Prop::Text);
}

void TComboBox::SelectFromList(int i) {
  if (i < 0 || i >= int(items_.size())) return;
  bool changed = i != item_index_;
  SetItemIndex(i);
  if (changed && OnChange) OnChange(this);
}

void TComboBox::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TComboBox::NativeTextChanged(const std::string& s) {
  if (s == Text()) return;
  item_index_ = -1;
  StoreText(s);
  if (OnChange) OnChange(this);
}

bool TComboBox::GetPropertyText(const std::string& name, std::string& v) const {
  if (PropIs(name, "ItemIndex")) { v = std::to_string(item_index_); return true; }
  return TWinControl::GetPropertyText(name, v);
}

bool TComboBox::SetPropertyText(const std::string& name, const std::string& v) {
  long long n;
  if (PropIs(name, "ItemIndex")) {
    if (!ParseInt(v, n)) return false;
    SetItemIndex(int(n));
    return true;
  }
  return TWinControl::SetPropertyText(name, v);
}

// ---- the rest ----

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  TabStop = true;
  SetBounds(0, 0, 75, 25);
}

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {
  AcceptsControls = true;
  SetBounds(0, 0, 185, 105);
}

TPanel::TPanel(TComponent* owner) : TWinControl(owner) {
  AcceptsControls = true;
  SetBounds(0, 0, 185, 41);
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  // A label shows on its parent's background.
  ParentColor = true;
  SetBounds(0, 0, 65, 13);
}

void TLabel::Paint(TCanvas& canvas) {
  if (!Transparent) {
    canvas.Brush.Color = Color();
    canvas.Brush.Clear = false;
    canvas.FillRect(ClientRect());
  }
  canvas.Font = Font();
  canvas.Brush.Clear = true;
  canvas.TextOut(0, 0, Caption());
}

}  // namespace fw
