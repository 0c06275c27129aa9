// Message boxes owned by the active form and closed by a watcher thread;
// the file dialogs' filter and option conversions; a real open dialog.
#include <gtest/gtest.h>

#include "support/win32_helpers.h"

#include <commdlg.h>
#include <dlgs.h>

#include <atomic>
#include <thread>

#include "framework/dialogs.h"
#include "framework/stdctrls.h"
#include "framework/win32/dialogs_win32.h"
#include "support/form_fixture.h"

using namespace fw;
using fw::win32::WindowOf;

namespace {

class Win32Dialogs : public fwtest::FormTest {};

TEST_F(Win32Dialogs, MessageBoxIsOwnedByTheActiveFormAndLeavesItsFocusAlone) {
  auto* edit = Add<TEdit>();
  int enters = 0, exits = 0;
  edit->OnEnter = [&](TObject*) { ++enters; };
  edit->OnExit = [&](TObject*) { ++exits; };
  Show();
  ASSERT_TRUE(edit->Focused());
  enters = 0;
  HWND form_wnd = WindowOf(form);
  std::atomic<HWND> owner{nullptr};
  std::atomic<bool> found{false};
  std::thread watcher([&] {
    HWND box = fwtest::WaitForWindow("#32770", "Information");
    if (!box) return;
    found = true;
    owner = GetWindow(box, GW_OWNER);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
  });
  int r = Application().MessageBox("Replace the file?", "Information", MB_YESNO_ | MB_ICONWARNING_);
  watcher.join();
  ASSERT_TRUE(found);
  EXPECT_EQ(r, ID_NO);
  EXPECT_EQ(owner.load(), form_wnd);
  fwtest::PumpUntil([&] { return GetFocus() == WindowOf(edit); }, 10000);
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(enters, 0);
  EXPECT_EQ(exits, 0);
}

TEST(Win32DialogConversions, FilterBecomesNulSeparatedPairs) {
  using namespace std::string_literals;
  EXPECT_EQ(win32::NativeFilter("Profile (*.sf)|*.sf|All|*.*"), "Profile (*.sf)\0*.sf\0All\0*.*\0\0"s);
  EXPECT_EQ(win32::NativeFilter("A|*.a|Dangling"), "A\0*.a\0\0"s);
  EXPECT_EQ(win32::NativeFilter(""), "");
  EXPECT_EQ(win32::NativeFilter("NoPattern"), "");
  EXPECT_EQ(win32::NativeFilter("Empty||X|*.x"), "Empty\0\0X\0*.x\0\0"s);
}

TEST(Win32DialogConversions, OptionsBecomeFlags) {
  EXPECT_EQ(win32::NativeDialogFlags(0), DWORD(OFN_EXPLORER));
  EXPECT_EQ(win32::NativeDialogFlags(ofOverwritePrompt | ofHideReadOnly | ofEnableSizing),
            DWORD(OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING));
  EXPECT_EQ(win32::NativeDialogFlags(ofPathMustExist | ofFileMustExist | ofNoChangeDir | ofOldStyleDialog),
            DWORD(OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR));
  EXPECT_EQ(win32::NativeDialogFlagsEx(ofExNoPlacesBar), DWORD(OFN_EX_NOPLACESBAR));
  EXPECT_EQ(win32::NativeDialogFlagsEx(0), 0u);
}

TEST(Win32DialogConversions, ChosenFileOfSingleAndMultipleSelections) {
  const char one[] = "C:\\data\\a.sf\0\0";
  EXPECT_EQ(win32::ChosenFile(one, sizeof one), "C:\\data\\a.sf");
  const char many[] = "C:\\data\0a.sf\0b.sf\0\0";
  EXPECT_EQ(win32::ChosenFile(many, sizeof many), "C:\\data\\a.sf");
  const char full[4] = {'a', 'b', 'c', 'd'};  // no terminator inside: bounded
  EXPECT_EQ(win32::ChosenFile(full, sizeof full), "abcd");
}

TEST_F(Win32Dialogs, OpenDialogCancelledKeepsTheFileNameAndSaveDialogTakesATypedName) {
  Show();
  TOpenDialog open(form);
  open.Title = "Pick a profile";
  open.Filter = "Profile|*.sf";
  open.FileName = "before.sf";
  std::atomic<bool> seen{false};
  std::thread cancel([&] {
    HWND d = fwtest::WaitForWindow("#32770", "Pick a profile");
    if (!d) return;
    seen = true;
    PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  });
  EXPECT_FALSE(open.Execute());
  cancel.join();
  ASSERT_TRUE(seen);
  EXPECT_EQ(open.FileName, "before.sf");

  char tmp[MAX_PATH];
  ASSERT_GT(GetTempPathA(MAX_PATH, tmp), 0u);
  const std::string typed = std::string(tmp) + "fw_dialog_test";
  TSaveDialog save(form);
  save.Title = "Save a profile";
  save.Filter = "Profile|*.sf";
  save.DefaultExt = "sf";
  save.Options = ofHideReadOnly | ofOverwritePrompt;
  save.OptionsEx = ofExNoPlacesBar;
  std::thread type([&] {
    HWND d = fwtest::WaitForWindow("#32770", "Save a profile");
    if (!d) return;
    // The file name box of the explorer-style dialog, then OK.
    HWND name = GetDlgItem(d, cmb13);
    if (!name) name = GetDlgItem(d, edt1);
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
    PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  bool ok = save.Execute();
  type.join();
  ASSERT_TRUE(ok);
  EXPECT_EQ(save.FileName, typed + ".sf");
}

}  // namespace
