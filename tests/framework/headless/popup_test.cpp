// Popup menus under the headless widgetset: what was shown, and scripted
// choices.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/headless/headless.h"
#include "framework/menus.h"
#include "support/pump.h"

using namespace fw;

namespace {

class HeadlessPopup : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::ResetScripts();
    menu = new TPopupMenu(&owner);
    menu->SetName("pm");
    menu->OnPopup = [this](TObject*) { log.push_back("popup"); };
    open = Item(menu->Items(), "&Open");
    open->SetShortCut(ShortCut('O', scCtrl));
    Item(menu->Items(), "-");
    recent = Item(menu->Items(), "&Recent");
    first = Item(recent, "&First");
    Item(menu->Items(), "Hidden")->SetVisible(false);
    Item(menu->Items(), "Off")->SetEnabled(false);
  }
  void TearDown() override { headless::ResetScripts(); }

  TMenuItem* Item(TMenuItem* parent, const std::string& caption) {
    auto* it = new TMenuItem(&owner);
    it->SetCaption(caption);
    it->OnClick = [this, caption](TObject*) { log.push_back(caption); };
    parent->Add(it);
    return it;
  }

  TComponent owner{nullptr};
  TPopupMenu* menu;
  TMenuItem *open, *recent, *first;
  std::vector<std::string> log;
};

TEST_F(HeadlessPopup, RecordsWhatWasShown) {
  menu->Popup(30, 40);
  ASSERT_EQ(headless::ShownPopups().size(), 1u);
  const auto& shown = headless::ShownPopups()[0];
  EXPECT_EQ(shown.menu, "pm");
  EXPECT_EQ(shown.x, 30);
  EXPECT_EQ(shown.y, 40);
  std::vector<std::string> seen;
  for (const auto& i : shown.items)
    seen.push_back(std::to_string(i.level) + i.caption + (i.shortcut.empty() ? "" : "\t" + i.shortcut) +
                   (i.enabled ? "" : " off") + (i.submenu ? " >" : ""));
  EXPECT_EQ(seen, (std::vector<std::string>{"0&Open\tCtrl+O", "0-", "0&Recent >", "1&First", "0Off off"}));
  fwtest::PumpUntil([] { return true; }, 0);
  EXPECT_EQ(log, std::vector<std::string>{"popup"});  // nothing queued: dismissed
}

TEST_F(HeadlessPopup, ChosenItemClicksAfterTheMenuCloses) {
  headless::QueuePopupChoice("First");
  menu->Popup(0, 0);
  // The submenu opened on the way; the choice itself waits for the loop.
  EXPECT_EQ(log, (std::vector<std::string>{"popup", "&Recent"}));
  ASSERT_TRUE(fwtest::PumpUntil([&] { return log.size() == 3; }, 5000));
  EXPECT_EQ(log.back(), "&First");

  // A dismissal, a disabled item, a submenu and an unknown caption choose nothing.
  for (const char* c : {"", "Off", "Recent", "Nothing"}) {
    if (*c) headless::QueuePopupChoice(c);
    else headless::QueuePopupDismiss();
  }
  log.clear();
  for (int i = 0; i < 4; ++i) menu->Popup(0, 0);
  fwtest::PumpUntil([] { return true; }, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"popup", "popup", "popup", "popup"}));
}

TEST_F(HeadlessPopup, ItemFreedBeforeItsClickRunsNothing) {
  headless::QueuePopupChoice("&Open");
  menu->Popup(0, 0);
  delete menu;
  fwtest::PumpUntil([] { return true; }, 0);
  EXPECT_EQ(log, std::vector<std::string>{"popup"});

  // A menu freed by its own OnPopup handler is not shown.
  auto* other = new TPopupMenu(&owner);
  other->OnPopup = [other](TObject*) { delete other; };
  other->Popup(0, 0);
  EXPECT_EQ(headless::ShownPopups().size(), 1u);

  // An item may free its menu, and so itself, from its OnClick.
  auto* closing = new TPopupMenu(&owner);
  auto* close = Item(closing->Items(), "Close");
  const std::string note = "closed";
  close->OnClick = [this, closing, note](TObject*) {
    delete closing;
    log.push_back(note);
  };
  headless::QueuePopupChoice("Close");
  closing->Popup(0, 0);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return log.back() == "closed"; }, 5000));
}

}  // namespace
