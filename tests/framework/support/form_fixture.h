// A form for portable tests. Shown, it has real windows under the Win32
// widgetset and none under the headless one; the tests see the same
// behaviour either way.
#pragma once

#include <gtest/gtest.h>

#include "framework/forms.h"
#include "support/pump.h"

namespace fwtest {

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new fw::TForm(nullptr);
    form->SetCaption("Framework test");
    form->BorderStyle = fw::TFormBorderStyle::bsSingle;
    form->SetClientSize(320, 240);
  }
  void TearDown() override { delete form; }

  template <typename T>
  T* Add(fw::TWinControl* parent = nullptr) {
    T* c = new T(form);
    c->SetParent(parent ? parent : form);
    return c;
  }

  // Shows the form and lets the windows settle.
  void Show() {
    form->Show();
    PumpUntil([] { return true; }, 0);
  }

  fw::TForm* form = nullptr;
};

}  // namespace fwtest
