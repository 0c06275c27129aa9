// The standard controls: edit, check box, combo box, button, group box,
// label and panel.
#pragma once

#include <string>
#include <vector>

#include "framework/controls.h"

namespace fw {

// Single-line edit box. OnChange fires after every change of the text,
// whatever its source, and never when the text is set to its current value.
class TEdit : public TWinControl {
 public:
  explicit TEdit(TComponent* owner);
  const char* ClassName() const override { return "TEdit"; }
  // 0: no limit. Limits typing only; text set by the program is kept whole.
  int MaxLength() const { return max_length_; }
  void SetMaxLength(int n);
  bool ReadOnly = false;
  TNotifyEvent OnChange;
  // Types one character as the keyboard would with the caret at the end:
  // the key filter first, then backspace deletes the last character and any
  // other character is appended (unless MaxLength is reached).
  void TypeChar(char c);

 protected:
  void TextChanged() override;

 private:
  int max_length_ = 0;
};

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TWinControl {
 public:
  explicit TCheckBox(TComponent* owner);
  const char* ClassName() const override { return "TCheckBox"; }
  bool Checked() const { return state_ == TCheckBoxState::cbChecked; }
  void SetChecked(bool v) { SetState(v ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }
  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState s);
  // The user clicked: toggles and fires OnClick.
  void Toggle();
  bool GetPropertyText(const std::string& name, std::string& value) const override;
  bool SetPropertyText(const std::string& name, const std::string& value) override;

 private:
  TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
};

// Editable drop-down list (csDropDown). ItemIndex is -1 when no item is
// selected; a text that matches no item leaves no item selected.
class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TComponent* owner);
  const char* ClassName() const override { return "TComboBox"; }
  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(const std::vector<std::string>& items);
  int ItemIndex() const { return item_index_; }
  // An index outside the list selects nothing and clears the text.
  void SetItemIndex(int i);
  void SetText(const std::string& s) override;
  int DropDownCount = 8;
  TNotifyEvent OnChange;
  // The user picked item i from the list.
  void SelectFromList(int i);
  // The user is opening the list: fires OnDropDown, whose handler may still
  // change the items before the list is shown.
  TNotifyEvent OnDropDown;
  void DropDown();
  // The user typed into the text field.
  void NativeTextChanged(const std::string& s) override;
  bool GetPropertyText(const std::string& name, std::string& value) const override;
  bool SetPropertyText(const std::string& name, const std::string& value) override;

 private:
  std::vector<std::string> items_;
  int item_index_ = -1;
};

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);
  const char* ClassName() const override { return "TButton"; }
};

class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TComponent* owner);
  const char* ClassName() const override { return "TGroupBox"; }
};

enum class TBevelCut { bvNone, bvLowered, bvRaised };

class TPanel : public TWinControl {
 public:
  explicit TPanel(TComponent* owner);
  const char* ClassName() const override { return "TPanel"; }
  TBevelCut BevelInner = TBevelCut::bvNone;
  TBevelCut BevelOuter = TBevelCut::bvRaised;
};

class TLabel : public TGraphicControl {
 public:
  explicit TLabel(TComponent* owner);
  const char* ClassName() const override { return "TLabel"; }
  bool AutoSize = true;
  bool Transparent = false;
  void Paint(TCanvas& canvas) override;
};

}  // namespace fw
