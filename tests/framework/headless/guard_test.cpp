// The handlers' exception boundary: what reaches the user, what stays
// silent, and that a wrapped handler still sees and changes its arguments.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "framework/component.h"
#include "framework/dialogs.h"
#include "framework/guard.h"
#include "framework/headless/headless.h"

namespace {

namespace hl = fw::headless;

class GuardTest : public ::testing::Test {
 protected:
  void SetUp() override { hl::ResetScripts(); }
  void TearDown() override { hl::ResetScripts(); }
};

TEST_F(GuardTest, FailuresReachTheUserOnlyWhenTheHandlerHasAFailureText) {
  struct Case {
    const char* name;
    std::function<void()> body;
    const char* failure_text;
    const char* shown;  // nullptr: no box
  } cases[] = {
      {"standard exception, with text", [] { throw std::runtime_error("disk full"); }, "Not saved.",
       "Not saved.\ndisk full"},
      {"framework exception, with text", [] { throw fw::Exception("no access"); }, "Not saved.",
       "Not saved.\nno access"},
      {"foreign exception, with text", [] { throw 42; }, "Not saved.", "Not saved."},
      {"standard exception, silent", [] { throw std::runtime_error("disk full"); }, nullptr, nullptr},
      {"foreign exception, silent", [] { throw 42; }, nullptr, nullptr},
      {"no failure", [] {}, "Not saved.", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    hl::ResetScripts();
    fw::TNotifyEvent handler = fw::Guard([&](fw::TObject*) { c.body(); }, c.failure_text);
    EXPECT_NO_THROW(handler(nullptr));
    if (!c.shown) {
      EXPECT_TRUE(hl::ShownMessages().empty());
      continue;
    }
    ASSERT_EQ(hl::ShownMessages().size(), 1u);
    EXPECT_EQ(hl::ShownMessages()[0].text, c.shown);
    EXPECT_EQ(hl::ShownMessages()[0].caption, "Information");
    EXPECT_EQ(hl::ShownMessages()[0].flags, unsigned(fw::MB_OK_ | fw::MB_ICONWARNING_));
  }
}

TEST_F(GuardTest, ABoxThatCannotBeShownEndsTheReportQuietly) {
  hl::SetMessageBoxHook([](const hl::ShownMessage&) -> int { throw std::runtime_error("no desktop"); });
  fw::TNotifyEvent handler = fw::Guard([](fw::TObject*) { throw std::runtime_error("x"); }, "Not loaded.");
  EXPECT_NO_THROW(handler(nullptr));
}

// Key filters change the key through their reference argument: the
// wrapper must hand the caller's own character on, not a copy of it.
TEST_F(GuardTest, TheHandlerChangesItsCallersArguments) {
  std::function<void(fw::TObject*, char&)> filter = fw::Guard([](fw::TObject*, char& key) { key = 0; });
  char key = 'x';
  filter(nullptr, key);
  EXPECT_EQ(key, 0);

  // A failure after the change keeps the change: the box stays as the
  // handler left it.
  std::function<void(fw::TObject*, char&)> failing = fw::Guard([](fw::TObject*, char& k) {
    k = 'y';
    throw std::runtime_error("late");
  });
  key = 'x';
  failing(nullptr, key);
  EXPECT_EQ(key, 'y');
}

}  // namespace
