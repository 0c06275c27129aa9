// Headless widgetset: timers on the virtual clock, scripted message boxes
// and file dialogs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/dialogs.h"
#include "framework/extctrls.h"
#include "framework/forms.h"
#include "framework/headless/headless.h"

using namespace fw;

namespace {

TEST(HeadlessTimer, DueTimersFireInOrderOfTheirDueTime) {
  std::vector<std::string> log;
  TComponent owner(nullptr);
  auto* fast = new TTimer(&owner);
  auto* slow = new TTimer(&owner);
  fast->SetInterval(200);
  slow->SetInterval(500);
  fast->OnTimer = [&](TObject*) { log.push_back("fast@" + std::to_string(headless::Now())); };
  slow->OnTimer = [&](TObject*) { log.push_back("slow@" + std::to_string(headless::Now())); };
  const uint64_t t0 = headless::Now();
  fast->SetEnabled(true);
  slow->SetEnabled(true);
  headless::AdvanceTime(199);
  EXPECT_TRUE(log.empty());
  headless::AdvanceTime(801);
  auto at = [&](const char* which, uint64_t ms) { return which + std::to_string(t0 + ms); };
  // At 1000 both are due; the one that waited longer (fired last at 500) goes first.
  const std::vector<std::string> want = {at("fast@", 200),  at("fast@", 400), at("slow@", 500), at("fast@", 600),
                                         at("fast@", 800),  at("slow@", 1000), at("fast@", 1000)};
  EXPECT_EQ(log, want);
}

TEST(HeadlessTimer, ChangingIntervalOrEnabledRestartsTheCount) {
  int fired = 0;
  TTimer t(nullptr);
  t.SetInterval(100);
  t.OnTimer = [&](TObject*) { ++fired; };
  t.SetEnabled(true);
  headless::AdvanceTime(90);
  t.SetInterval(50);  // counts from now
  headless::AdvanceTime(40);
  EXPECT_EQ(fired, 0);
  headless::AdvanceTime(10);
  EXPECT_EQ(fired, 1);
  t.SetEnabled(false);
  headless::AdvanceTime(1000);
  EXPECT_EQ(fired, 1);
}

TEST(HeadlessTimer, HandlerMayStopItsOwnTimer) {
  int fired = 0;
  TTimer t(nullptr);
  t.SetInterval(20);
  t.OnTimer = [&](TObject*) {
    ++fired;
    t.SetEnabled(false);
  };
  t.SetEnabled(true);
  headless::AdvanceTime(200);
  EXPECT_EQ(fired, 1);
}

TEST(HeadlessScripts, MessageBoxesAndFileDialogsAnswerFromTheScript) {
  headless::ResetScripts();
  headless::QueueMessageBoxReply(ID_NO);
  EXPECT_EQ(Application().MessageBox("Sure?", "Information", MB_YESNO_), ID_NO);
  EXPECT_EQ(Application().MessageBox("Done", "Information"), ID_OK);
  ASSERT_EQ(headless::ShownMessages().size(), 2u);
  EXPECT_EQ(headless::ShownMessages()[0].text, "Sure?");

  TSaveDialog d(nullptr);
  d.Filter = "Profile|*.sf";
  d.FileName = "old.sf";
  headless::QueueFileDialogReply(std::nullopt);
  headless::QueueFileDialogReply(std::string("new.sf"));
  EXPECT_FALSE(d.Execute());
  EXPECT_EQ(d.FileName, "old.sf");
  EXPECT_TRUE(d.Execute());
  EXPECT_EQ(d.FileName, "new.sf");
  ASSERT_EQ(headless::ShownDialogs().size(), 2u);
  EXPECT_TRUE(headless::ShownDialogs()[0].save);
  EXPECT_EQ(headless::ShownDialogs()[1].file_name, "old.sf");
  headless::ResetScripts();
}

}  // namespace
