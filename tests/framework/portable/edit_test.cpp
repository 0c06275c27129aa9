// Edit boxes: OnChange on every change of the text whatever its source,
// never for the same text, re-entry from inside OnChange, and typing
// through the key filter.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/stdctrls.h"
#include "support/form_fixture.h"

using namespace fw;

namespace {

class EditTest : public fwtest::FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    edit = Add<TEdit>();
    edit->SetBounds(10, 10, 120, 21);
    edit->OnChange = [this](TObject* s) {
      EXPECT_EQ(s, edit);
      seen.push_back(edit->Text());
    };
    Show();
  }
  TEdit* edit = nullptr;
  std::vector<std::string> seen;
};

TEST_F(EditTest, OnChangeFiresForEveryChangeButNotForTheSameText) {
  edit->SetText("12");
  edit->SetText("12");
  edit->SetText("");
  edit->SetCaption("x");
  EXPECT_EQ(seen, (std::vector<std::string>{"12", "", "x"}));
}

TEST_F(EditTest, CorrectionFromInsideOnChangeRunsTheHandlerOnceMore) {
  // A range rule: empty becomes "0", above 240 becomes "240".
  int depth = 0, max_depth = 0;
  edit->OnChange = [&](TObject*) {
    ++depth;
    max_depth = std::max(max_depth, depth);
    seen.push_back(edit->Text());
    const std::string& t = edit->Text();
    if (t.empty()) edit->SetText("0");
    else if (std::stol(t) > 240) edit->SetText("240");
    --depth;
  };
  edit->SetText("25");
  edit->TypeChar('0');
  EXPECT_EQ(edit->Text(), "240");
  edit->SetText("");
  EXPECT_EQ(edit->Text(), "0");
  EXPECT_EQ(seen, (std::vector<std::string>{"25", "250", "240", "", "0"}));
  EXPECT_EQ(max_depth, 2);
}

TEST_F(EditTest, TypedCharactersPassTheKeyFilterFirst) {
  // A telephone filter: digits, backspace, "+" only into an empty box.
  std::vector<char> offered;
  edit->OnKeyPress = [&](TObject*, char& k) {
    offered.push_back(k);
    bool digit = k >= '0' && k <= '9';
    if (k == '+' && edit->Text().empty()) return;
    if (!digit && k != '\b') k = 0;
  };
  for (char c : std::string("+4a9+")) edit->TypeChar(c);
  EXPECT_EQ(edit->Text(), "+49");
  edit->TypeChar('\b');
  EXPECT_EQ(edit->Text(), "+4");
  EXPECT_EQ(offered.size(), 6u);
  EXPECT_EQ(seen, (std::vector<std::string>{"+", "+4", "+49", "+4"}));
}

TEST_F(EditTest, FilterMayReplaceTheCharacter) {
  edit->OnKeyPress = [](TObject*, char& k) {
    if (k >= 'a' && k <= 'z') k = char(k - 'a' + 'A');
  };
  edit->TypeChar('a');
  edit->TypeChar('b');
  EXPECT_EQ(edit->Text(), "AB");
}

TEST_F(EditTest, MaxLengthLimitsTypingOnlyAndControlCharactersAreNotInserted) {
  edit->SetMaxLength(3);
  for (char c : std::string("12345")) edit->TypeChar(c);
  EXPECT_EQ(edit->Text(), "123");
  edit->SetText("12345678");  // the program's text is kept whole
  EXPECT_EQ(edit->Text(), "12345678");
  edit->TypeChar('\r');
  edit->TypeChar(0x16);
  EXPECT_EQ(edit->Text(), "12345678");
  edit->SetText("");
  edit->TypeChar('\b');  // nothing to delete: no change
  EXPECT_EQ(seen, (std::vector<std::string>{"1", "12", "123", "12345678", ""}));
}

TEST_F(EditTest, ReadOnlyBoxTakesNoTyping) {
  edit->ReadOnly = true;
  edit->TypeChar('1');
  EXPECT_EQ(edit->Text(), "");
  EXPECT_TRUE(seen.empty());
}

TEST_F(EditTest, ChangesChainedThroughSeveralBoxesSettle) {
  // Many boxes, each correcting the next: the chain settles without loops.
  std::vector<TEdit*> boxes{edit};
  for (int i = 0; i < 3; ++i) {
    boxes.push_back(Add<TEdit>());
    boxes.back()->SetBounds(10, 40 + 30 * i, 120, 21);
  }
  for (size_t i = 0; i + 1 < boxes.size(); ++i) {
    TEdit* next = boxes[i + 1];
    boxes[i]->OnChange = [next](TObject* s) { next->SetText(static_cast<TEdit*>(s)->Text() + "!"); };
  }
  boxes[0]->SetText("a");
  EXPECT_EQ(boxes[3]->Text(), "a!!!");
  boxes[0]->SetText("a");
  EXPECT_EQ(boxes[3]->Text(), "a!!!");
}

}  // namespace
