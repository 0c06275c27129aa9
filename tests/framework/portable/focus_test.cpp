// Keyboard order: the form's tab-order list, moving the focus with
// SelectNext, and the enter and exit events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/stdctrls.h"
#include "support/form_fixture.h"

using namespace fw;

namespace {

class FocusTest : public fwtest::FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    group = Add<TGroupBox>();
    group->SetBounds(4, 4, 200, 120);
    a = Add<TEdit>(group);
    b = Add<TEdit>(group);
    hidden = Add<TEdit>(group);
    button = Add<TButton>();
    check = Add<TCheckBox>();
    a->SetName("a");
    b->SetName("b");
    hidden->SetName("hidden");
    button->SetName("button");
    check->SetName("check");
    a->SetBounds(8, 16, 80, 21);
    b->SetBounds(8, 44, 80, 21);
    hidden->SetBounds(8, 72, 80, 21);
    hidden->SetVisible(false);
    button->SetBounds(210, 10, 75, 25);
    check->SetBounds(210, 40, 90, 17);
    for (TWinControl* c : std::vector<TWinControl*>{a, b, hidden, button, check}) {
      c->OnEnter = [this](TObject* s) { log.push_back("enter " + static_cast<TComponent*>(s)->Name()); };
      c->OnExit = [this](TObject* s) { log.push_back("exit " + static_cast<TComponent*>(s)->Name()); };
    }
  }
  std::string Focus() const {
    TWinControl* f = Screen().ActiveControl();
    return f ? f->Name() : "-";
  }
  TGroupBox* group;
  TEdit *a, *b, *hidden;
  TButton* button;
  TCheckBox* check;
  std::vector<std::string> log;
};

TEST_F(FocusTest, TabOrderListIsDepthFirstInTabOrder) {
  b->SetTabOrder(0);
  check->SetTabOrder(0);
  auto list = form->GetTabOrderList();
  std::vector<TWinControl*> want{check, group, b, a, hidden, button};
  EXPECT_EQ(list, want);
  EXPECT_EQ(a->TabOrder(), 1);
  EXPECT_EQ(group->TabOrder(), 1);
  button->SetTabOrder(99);  // clamped to the last place
  EXPECT_EQ(button->TabOrder(), 2);
}

TEST_F(FocusTest, ShowingTheFormFocusesTheFirstTabStop) {
  Show();
  EXPECT_EQ(Focus(), "a");
  EXPECT_EQ(form->ActiveControl(), a);
  EXPECT_EQ(log, (std::vector<std::string>{"enter a"}));
}

TEST_F(FocusTest, SelectNextSkipsHiddenDisabledAndNonStopsAndWraps) {
  button->SetEnabled(false);
  Show();
  std::vector<std::string> order;
  for (int i = 0; i < 4; ++i) {
    form->SelectNext(true);
    order.push_back(Focus());
  }
  EXPECT_EQ(order, (std::vector<std::string>{"b", "check", "a", "b"}));
  form->SelectNext(false);
  EXPECT_EQ(Focus(), "a");
  form->SelectNext(false);
  EXPECT_EQ(Focus(), "check");
}

TEST_F(FocusTest, ExitOfTheOldControlComesBeforeEnterOfTheNew) {
  Show();
  log.clear();
  check->SetFocus();
  hidden->SetFocus();  // cannot take the focus
  b->SetFocus();
  EXPECT_EQ(log, (std::vector<std::string>{"exit a", "enter check", "exit check", "enter b"}));
  EXPECT_TRUE(b->Focused());
  EXPECT_FALSE(a->Focused());
}

TEST_F(FocusTest, AnExitHandlerMayCorrectItsOwnText) {
  a->OnExit = [this](TObject*) {
    if (a->Text().find('-') != std::string::npos) a->SetText("--");
  };
  Show();
  a->SetText("1-2");
  b->SetFocus();
  EXPECT_EQ(a->Text(), "--");
  EXPECT_TRUE(b->Focused());
}

}  // namespace
