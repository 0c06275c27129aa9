// The creation handler in a program whose "mxskn" resource is damaged: the
// resource is found and handed to the skin component, and the failure is
// swallowed without a message (a message box would block here).
#include "app/program_resource.h"
#include "app/umset.h"
#include "framework/forms.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

TEST(ProgramResource, FindsTheProgramsOwnDataResource) {
  ProgramResource r;
  ASSERT_TRUE(FindProgramResource("mxskn", r));
  ASSERT_NE(r.data, nullptr);
  ASSERT_GE(r.size, 17u);
  EXPECT_EQ(std::memcmp(r.data, "not a skin at all", 17), 0);
  EXPECT_FALSE(FindProgramResource("nosuchskin", r));
  EXPECT_EQ(r.data, nullptr);
  EXPECT_EQ(r.size, 0u);
}

TEST(ProgramResource, DamagedSkinLeavesTheWindowWorking) {
  auto w = std::make_unique<Tfrm_mset>(nullptr);
  w->DoCreate();
  w->Show();
  fw::Application().ProcessMessages();
  w->edt_rtt->SetText("300");
  EXPECT_EQ(w->edt_rtt->Text(), "240");
  w->ShowStatus("Com Is Close");
  EXPECT_EQ(w->MYSbar->Panels()[5].Text, "Com Is Close");
}

}  // namespace
