// Helpers that create a form's controls as its designer would lay them out:
// named, placed in their parent, owned by the form.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "framework/component.h"
#include "framework/controls.h"
#include "framework/stdctrls.h"

namespace app {

// A drop-down's items from a list of the model.
inline std::vector<std::string> Items(std::span<const char* const> items) { return {items.begin(), items.end()}; }

// Gives the controls consecutive tab positions 0, 1, 2, ... among their
// siblings, in the order listed.
inline void SetTabOrders(std::initializer_list<fw::TWinControl*> order) {
  int i = 0;
  for (fw::TWinControl* c : order) c->SetTabOrder(i++);
}

// Creates a form's controls: each owned by the form, named and placed in
// its parent; labels are numbered ("Label1", ...) in the order they are made.
class FormBuilder {
 public:
  explicit FormBuilder(fw::TComponent& owner) : owner_(owner) {}

  template <typename T>
  T* Make(fw::TWinControl* parent, const std::string& name, int left, int top, int width, int height) {
    T* c = new T(&owner_);
    c->SetName(name);
    c->SetBounds(left, top, width, height);
    c->SetParent(parent);
    return c;
  }

  template <typename T>
  T* Captioned(fw::TWinControl* parent, const std::string& name, const std::string& caption, int left, int top,
               int width, int height) {
    T* c = Make<T>(parent, name, left, top, width, height);
    c->SetCaption(caption);
    return c;
  }

  // A label on one line whose text starts 4 pixels below `row_top`, level
  // with the text of an edit or drop-down standing at that top.
  fw::TLabel* Label(fw::TWinControl* parent, const std::string& caption, int left, int row_top, int width) {
    return Captioned<fw::TLabel>(parent, "Label" + std::to_string(++labels_), caption, left, row_top + 4, width, 13);
  }

  fw::TEdit* Edit(fw::TWinControl* parent, const std::string& name, int left, int top, int width, int max_length) {
    auto* e = Make<fw::TEdit>(parent, name, left, top, width, 21);
    if (max_length) e->SetMaxLength(max_length);
    return e;
  }

  fw::TComboBox* DropDown(fw::TWinControl* parent, const std::string& name, int left, int top, int width,
                          std::vector<std::string> items) {
    auto* c = Make<fw::TComboBox>(parent, name, left, top, width, 21);
    c->SetItems(std::move(items));
    return c;
  }

  fw::TCheckBox* CheckBox(fw::TWinControl* parent, const std::string& name, const std::string& caption, int left,
                          int top, int width) {
    return Captioned<fw::TCheckBox>(parent, name, caption, left, top, width, 17);
  }


 private:
  fw::TComponent& owner_;
  int labels_ = 0;
};

}  // namespace app
