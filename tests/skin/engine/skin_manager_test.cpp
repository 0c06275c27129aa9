// The skin manager against a fake window system: which windows it skins and
// with which skin data, popup menus by kind, the deferred command runner,
// and that no freed frame ever stays in its list.
#include <gtest/gtest.h>

#include "manager_fixture.h"
#include "skin/skin_data.h"
#include "skin_test_util.h"

namespace {

using skintest::FakeWindow;
using skintest::FakeWindows;

using skintest::SkinManagerTest;

TEST_F(SkinManagerTest, SkinsAnAcceptedWindowOnceAndPostsItsSetUp) {
  auto w = ws->Add(1);
  ASSERT_TRUE(manager->SkinWindow(w));
  EXPECT_FALSE(manager->SkinWindow(w));
  EXPECT_EQ(ws->frames_made, 1);
  ASSERT_EQ(ws->posted.size(), 1u);
  EXPECT_EQ(ws->posted[0].msg, skin::msg::kInitSkin);
  EXPECT_EQ(ws->posted[0].wp, 0u);
  EXPECT_EQ(ws->posted[0].lp, 1000);
  EXPECT_EQ(manager->FindSkinnedWindow(w)->SkinData(), main_data);
}

TEST_F(SkinManagerTest, RefusesWindowsItMustNotSkin) {
  fw::TForm tagged(nullptr);
  tagged.Tag = 99;
  auto mdi_client = ws->Add(100, {.cls = "MDIClient"});
  struct Case {
    const char* why;
    FakeWindow w;
  } cases[] = {
      {"skinned by someone else", {.skinned_elsewhere = true}},
      {"child of an MDI client", {.style = skin::sys::kChild, .parent = mdi_client}},
      {"other module, not a dialog", {.cls = "Edit", .this_module = false}},
      {"zero width", {.rect = {0, 0, 0, 100}}},
      {"zero height", {.rect = {0, 0, 100, 0}}},
      {"tag 99", {.form = &tagged}},
      {"cx popup", {.cls = "TcxPopupEditPopupWindow2"}},
      {"application window", {.cls = "TApplication"}},
      {"month calendar (form filter)", {.cls = "SysMonthCal32"}},
  };
  int id = 1;
  for (const Case& c : cases) EXPECT_FALSE(manager->SkinWindow(ws->Add(id++, c.w))) << c.why;
  EXPECT_EQ(ws->frames_made, 0);

  manager->SetActive(false);
  EXPECT_FALSE(manager->SkinWindow(ws->Add(50)));
}

TEST_F(SkinManagerTest, AcceptsSystemDialogsOfOtherModulesAndMdiChildrenWithoutSize) {
  EXPECT_TRUE(manager->SkinWindow(ws->Add(1, {.cls = "#32770", .this_module = false})));
  EXPECT_TRUE(manager->SkinWindow(ws->Add(2, {.ex_style = skin::sys::kExMdiChild, .rect = {}})));
}

TEST_F(SkinManagerTest, PreviewWindowsFollowThePreviewOption) {
  main_data->Options.Exclude(xoPreview);
  EXPECT_FALSE(manager->SkinWindow(ws->Add(1, {.cls = "TPrintPREVIEWForm"})));
  main_data->Options.Include(xoPreview);
  EXPECT_TRUE(manager->SkinWindow(ws->Add(1, {.cls = "TPrintPREVIEWForm"})));
}

TEST_F(SkinManagerTest, ChoosesSkinDataByFormThenDialogThenMainThenFirst) {
  fw::TForm own(nullptr);
  TSkinData* only = MakeData(sfOnlyThisForm, &own);
  TSkinData* dialog = MakeData(sfDialog);
  TSkinData* main2 = MakeData(sfMainform);  // the last of a kind wins

  auto form_window = ws->Add(1, {.form = &own});
  auto dialog_window = ws->Add(2, {.cls = "#32770"});
  auto message_form = ws->Add(3, {.cls = "TMessageForm"});
  auto other = ws->Add(4);
  for (auto w : {form_window, dialog_window, message_form, other}) ASSERT_TRUE(manager->SkinWindow(w));
  EXPECT_EQ(manager->FindSkinnedWindow(form_window)->SkinData(), only);
  EXPECT_EQ(manager->FindSkinnedWindow(dialog_window)->SkinData(), dialog);
  EXPECT_EQ(manager->FindSkinnedWindow(message_form)->SkinData(), dialog);
  EXPECT_EQ(manager->FindSkinnedWindow(other)->SkinData(), main2);

  // Without any main form component the first registered one serves.
  manager->UnregisterSkinData(main_data);
  manager->UnregisterSkinData(main2);
  ASSERT_TRUE(manager->SkinWindow(ws->Add(5)));
  EXPECT_EQ(manager->FindSkinnedWindow(ws->Add(5))->SkinData(), only);
}

TEST_F(SkinManagerTest, PopupMenusAreSkinnedByTheirKind) {
  struct Case {
    int kind;
    TSkinControlType needs;
  } cases[] = {{skin::kMenuContext, xcPopupMenu}, {skin::kMenuDropDown, xcMainMenu}, {skin::kMenuSystem, xcSystemMenu}};
  int id = 10;
  for (const Case& c : cases) {
    auto w = ws->Add(id++, {.cls = "#32768"});
    manager->SetMenuKind(c.kind);
    main_data->SkinControls.Exclude(c.needs);
    EXPECT_FALSE(manager->SkinPopupMenu(w)) << c.kind;
    main_data->SkinControls.Include(c.needs);
    EXPECT_TRUE(manager->SkinPopupMenu(w)) << c.kind;
    EXPECT_FALSE(manager->SkinPopupMenu(w));
    EXPECT_TRUE(manager->IsPopupMenuSkinned(w));
    EXPECT_TRUE(manager->UnskinPopupMenu(w));
    EXPECT_FALSE(manager->UnskinPopupMenu(w));
  }
  // The last menu closed resets the kind and the menu-bar flag.
  manager->SetMenuKind(skin::kMenuSystem);
  manager->SetOpenedFromMenuBar(true);
  auto w = ws->Add(20, {.cls = "#32768"});
  ASSERT_TRUE(manager->SkinPopupMenu(w));
  manager->HookDestroy(w);
  EXPECT_EQ(manager->MenuKind(), skin::kMenuContext);
  EXPECT_FALSE(manager->OpenedFromMenuBar());
}

// A menu window destroyed without its skin hearing of it (its owner went
// first) leaves an entry that is dropped once, also when a new menu window
// gets the same handle; that new window is skinned.
TEST_F(SkinManagerTest, AMenuWindowGoneUnnoticedIsFreedOnceAndItsHandleSkinnedAgain) {
  manager->SetMenuKind(skin::kMenuContext);
  auto gone = ws->Add(30, {.cls = "#32768"});
  auto reused = ws->Add(31, {.cls = "#32768"});
  ASSERT_TRUE(manager->SkinPopupMenu(gone));
  ASSERT_TRUE(manager->SkinPopupMenu(reused));
  ws->windows.erase(gone);
  ws->windows[reused] = {.cls = "#32768"};  // a new window, same handle
  auto next = ws->Add(32, {.cls = "#32768"});
  EXPECT_TRUE(manager->SkinPopupMenu(reused));
  EXPECT_EQ(ws->popups_freed, 2);
  EXPECT_FALSE(manager->IsPopupMenuSkinned(gone));
  EXPECT_TRUE(manager->SkinPopupMenu(next));
  manager->HookDestroy(gone);
  EXPECT_EQ(ws->popups_freed, 2);
}

TEST_F(SkinManagerTest, TheHookSkinsOnActivationAndMdiChildrenOnCreation) {
  auto top = ws->Add(1);
  manager->HookCreate(top, "TForm", skin::sys::kCaption, 0, nullptr);
  EXPECT_EQ(ws->frames_made, 0);
  EXPECT_EQ(manager->StartedState(), skin::kNotStarted);
  manager->HookActivate(top);
  EXPECT_EQ(manager->StartedState(), skin::kRunning);
  EXPECT_TRUE(manager->FindSkinnedWindow(top));

  auto child = ws->Add(2, {.ex_style = skin::sys::kExMdiChild});
  manager->HookCreate(child, "TForm", 0, skin::sys::kExMdiChild, nullptr);
  EXPECT_TRUE(manager->FindSkinnedWindow(child));
}

class CommandTest : public SkinManagerTest {
 protected:
  void SetUp() override {
    SkinManagerTest::SetUp();
    manager->SetStartedState(skin::kRunning);
    main_data->OnSkinChanged = [this](fw::TObject*) { ++changed; };
    for (int i = 0; i < 2; ++i) {
      forms.push_back(std::make_unique<fw::TForm>(nullptr));
      forms.back()->SetVisible(true);
      windows.push_back(ws->Add(i + 1, {.form = forms.back().get()}));
    }
  }
  void TearDown() override {
    SkinManagerTest::TearDown();
    forms.clear();
  }
  void Run(int command) {
    manager->SetPendingSkinData(main_data);
    manager->PostCommand(command, 250);
    manager->RunCommand();  // the timer's tick
  }
  int changed = 0;
  std::vector<std::unique_ptr<fw::TForm>> forms;
  std::vector<skin::Wnd> windows;
};

TEST_F(CommandTest, SkinAllThenUnskinAllThenSkinAllAgain) {
  Run(skin::kSkinAll);
  EXPECT_EQ(manager->SkinnedWindows().size(), 2u);
  EXPECT_EQ(changed, 1);
  EXPECT_EQ(manager->PendingSkinData(), nullptr);

  std::vector<std::string> log;
  ws->log = &log;
  Run(skin::kUnskinAll);
  EXPECT_TRUE(manager->SkinnedWindows().empty());
  EXPECT_FALSE(manager->Active());
  ws->log = nullptr;
  EXPECT_EQ(log, (std::vector<std::string>{"restored", "freed", "restored", "freed"}));
  EXPECT_EQ(ws->repainted.size(), 2u);
  EXPECT_EQ(changed, 2);

  Run(skin::kSkinAll);
  EXPECT_EQ(manager->SkinnedWindows().size(), 2u);
  EXPECT_EQ(changed, 3);
}

TEST_F(CommandTest, SkinChangedReloadsMetricsBeforeAnyColours) {
  Run(skin::kSkinAll);
  Run(skin::kSkinChanged);
  for (skin::Wnd w : windows)
    EXPECT_EQ(ws->FrameOf(w)->calls, (std::vector<std::string>{"FreeButtonImages", "RefreshMetrics", "RefreshColours"}));
}

TEST_F(CommandTest, ReskinOneWindowKeepsThePendingComponentAndRaisesNothing) {
  Run(skin::kSkinAll);
  const int made = ws->frames_made;
  std::vector<std::string> log;
  ws->log = &log;
  changed = 0;
  manager->SetPendingWindow(windows[0]);
  Run(skin::kReskinWindow);
  ws->log = nullptr;
  EXPECT_EQ(log, (std::vector<std::string>{"restored", "freed"}));
  EXPECT_EQ(ws->frames_made, made + 1);
  EXPECT_NE(manager->FindSkinnedWindow(windows[0]), nullptr);
  EXPECT_EQ(manager->SkinnedWindows().size(), 2u);
  EXPECT_EQ(changed, 0);
  EXPECT_EQ(manager->PendingSkinData(), main_data);
}

TEST_F(CommandTest, AFrameFreedByItsFormLeavesTheList) {
  Run(skin::kSkinAll);
  ASSERT_EQ(manager->SkinnedWindows().size(), 2u);
  forms[0].reset();  // the form owns its frame
  EXPECT_EQ(manager->SkinnedWindows().size(), 1u);
  EXPECT_EQ(manager->FindSkinnedWindow(windows[0]), nullptr);
}

TEST_F(CommandTest, DeadFramesGoAtTheNextPurgeUnlessTheirProcedureIsRunning) {
  Run(skin::kSkinAll);
  auto* busy = ws->FrameOf(windows[0]);
  auto* idle = ws->FrameOf(windows[1]);
  busy->Enter();
  busy->SetSkinState(skin::kFrameDead);
  idle->SetSkinState(skin::kFrameDead);
  manager->PurgeDeadForms();
  ASSERT_EQ(manager->SkinnedWindows().size(), 1u);
  EXPECT_EQ(manager->SkinnedWindows()[0], busy);
  busy->Leave();
  manager->PurgeDeadForms();
  EXPECT_TRUE(manager->SkinnedWindows().empty());
}

TEST_F(CommandTest, UnskinningAFrameInUseDefersItsRelease) {
  Run(skin::kSkinAll);
  auto* busy = ws->FrameOf(windows[0]);
  busy->Enter();
  Run(skin::kUnskinAll);
  ASSERT_EQ(manager->SkinnedWindows().size(), 1u);
  EXPECT_TRUE(busy->Dead());
  busy->Leave();
  Run(skin::kPurgeDead);
  EXPECT_TRUE(manager->SkinnedWindows().empty());
}

}  // namespace
