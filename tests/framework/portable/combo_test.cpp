// Combo boxes: the item index and the text follow each other; a text that
// matches no item selects nothing; OnChange only for real changes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/stdctrls.h"
#include "support/form_fixture.h"

using namespace fw;

namespace {

class ComboTest : public fwtest::FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    combo = Add<TComboBox>();
    combo->SetBounds(10, 10, 100, 21);
    combo->SetItems({"NO", "NC", "24H"});
    combo->OnChange = [this](TObject*) { seen.push_back(combo->Text()); };
    Show();
  }
  TComboBox* combo = nullptr;
  std::vector<std::string> seen;
};

TEST_F(ComboTest, IndexSetsTheTextAndOutOfRangeSelectsNothing) {
  EXPECT_EQ(combo->ItemIndex(), -1);
  combo->SetItemIndex(2);
  EXPECT_EQ(combo->Text(), "24H");
  combo->SetItemIndex(3);
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "");
  combo->SetItemIndex(1);
  combo->SetItemIndex(-7);
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_TRUE(seen.empty());  // the program's choices fire nothing
}

TEST_F(ComboTest, TextSetOrTypedSelectsNoItem) {
  combo->SetItemIndex(0);
  combo->SetText("NC");
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "NC");
  combo->SetItemIndex(1);
  combo->NativeTextChanged("N");
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "N");
  combo->NativeTextChanged("N");
  EXPECT_EQ(seen, (std::vector<std::string>{"N"}));
}

TEST_F(ComboTest, PickingFromTheListFiresOnlyForAnotherItem) {
  combo->SelectFromList(1);
  combo->SelectFromList(1);
  combo->SelectFromList(5);  // not an item: ignored
  combo->SelectFromList(0);
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"NC", "NO"}));
}

TEST_F(ComboTest, NewItemsClearTheSelection) {
  combo->SetItemIndex(1);
  combo->SetItems({"COM1", "COM2"});
  EXPECT_EQ(combo->ItemIndex(), -1);
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->Text(), "COM2");
}

}  // namespace
