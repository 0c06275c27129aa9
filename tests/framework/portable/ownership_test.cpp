// Owners free what they own, in reverse order of creation, after every
// owned component has been told; parents and owners are independent.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/forms.h"
#include "framework/stdctrls.h"
#include "support/form_fixture.h"

using namespace fw;

namespace {

std::vector<std::string> g_log;

class Probe : public TComponent {
 public:
  Probe(TComponent* owner, std::string n) : TComponent(owner) { SetName(n); }
  ~Probe() override { g_log.push_back("free " + Name()); }

 protected:
  void BeforeDestruction() override { g_log.push_back("before " + Name()); }
};

TEST(Ownership, OwnerTellsAllThenFreesInReverseOrder) {
  g_log.clear();
  auto* root = new TComponent(nullptr);
  new Probe(root, "a");
  auto* b = new Probe(root, "b");
  new Probe(b, "b1");
  new Probe(root, "c");
  EXPECT_EQ(root->ComponentCount(), 3);
  EXPECT_EQ(root->FindComponent("b"), b);
  EXPECT_EQ(root->FindComponent("b1"), nullptr);  // only direct components
  delete root;
  // A component's own destructor body runs before it frees what it owns.
  const std::vector<std::string> want = {"before c", "before b", "before a", "free c",
                                         "free b",   "before b1", "free b1", "free a"};
  EXPECT_EQ(g_log, want);
}

TEST(Ownership, FreedComponentLeavesItsOwner) {
  TComponent root(nullptr);
  auto* a = new TComponent(&root);
  auto* b = new TComponent(&root);
  delete a;
  ASSERT_EQ(root.ComponentCount(), 1);
  EXPECT_EQ(root.Components()[0], b);
}

class OwnershipForm : public fwtest::FormTest {};

TEST_F(OwnershipForm, ChildOwnedElsewhereLosesItsParent) {
  auto* panel = Add<TPanel>();
  auto* edit = new TEdit(nullptr);
  edit->SetParent(panel);
  Show();
  ASSERT_EQ(panel->Controls().size(), 1u);
  delete panel;
  EXPECT_EQ(edit->Parent(), nullptr);
  EXPECT_FALSE(edit->HandleAllocated());
  delete edit;
}

TEST_F(OwnershipForm, DestroyingTheFormFiresNoExitOfTheFocusedControl) {
  // The focused edit was created first, so its sibling is freed before it:
  // an exit handler run during destruction would reach a freed control.
  auto* first = Add<TEdit>();
  auto* second = Add<TEdit>();
  int exits = 0;
  first->OnExit = [&](TObject*) {
    ++exits;
    second->SetText("touched");
  };
  Show();
  first->SetFocus();
  ASSERT_TRUE(first->Focused());
  delete form;
  form = nullptr;
  EXPECT_EQ(exits, 0);
  EXPECT_EQ(Screen().ActiveControl(), nullptr);
}

TEST_F(OwnershipForm, ScreenListsLiveForms) {
  auto& forms = Screen().Forms();
  EXPECT_NE(std::find(forms.begin(), forms.end(), form), forms.end());
  auto* other = new TForm(nullptr);
  EXPECT_EQ(forms.back(), other);
  delete other;
  EXPECT_EQ(std::find(forms.begin(), forms.end(), other), forms.end());
}

}  // namespace
