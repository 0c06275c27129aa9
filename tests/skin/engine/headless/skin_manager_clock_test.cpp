// The manager's command timer: nothing runs before the first window is
// activated, then the command runs once on the timer after its delay.
#include <gtest/gtest.h>

#include "framework/headless/headless.h"
#include "manager_fixture.h"

namespace {

using skintest::SkinManagerTest;

TEST_F(SkinManagerTest, CommandsWaitForTheFirstActivationThenRunOnTheTimer) {
  manager->SetActive(false);
  manager->SetPendingSkinData(main_data);
  manager->PostCommand(skin::kSkinAll, 250);
  EXPECT_TRUE(manager->Active());
  EXPECT_FALSE(manager->CommandTimerEnabled());
  manager->PostCommand(skin::kUnskinAll, 250);
  EXPECT_FALSE(manager->Active());

  manager->SetStartedState(skin::kRunning);
  manager->PostCommand(skin::kSkinAll, 250);
  EXPECT_TRUE(manager->CommandTimerEnabled());
  fw::headless::AdvanceTime(249);
  EXPECT_EQ(manager->PendingCommand(), skin::kSkinAll);
  fw::headless::AdvanceTime(1);
  EXPECT_EQ(manager->PendingCommand(), 0);
  EXPECT_FALSE(manager->CommandTimerEnabled());
  EXPECT_TRUE(manager->Active());
}

}  // namespace
