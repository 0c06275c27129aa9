// Real windows: our class names, positions, the form's frame and client
// size, the control atom, status bar panels.
#include <gtest/gtest.h>

#include "support/win32_helpers.h"

#include <commctrl.h>

#include <vector>

#include "framework/extctrls.h"
#include "framework/stdctrls.h"
#include "support/form_fixture.h"

using namespace fw;
using fw::win32::WindowOf;

namespace {

class TTestBar : public TStatusBar {
 public:
  explicit TTestBar(TComponent* owner) : TStatusBar(owner) { AcceptsControls = true; }
  const char* ClassName() const override { return "TTestBar"; }
};

class Win32Windows : public fwtest::FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    form->BorderIcons = biSystemMenu | biMinimize;
    group = Add<TGroupBox>();
    group->SetBounds(5, 6, 150, 100);
    edit = Add<TEdit>(group);
    edit->SetBounds(8, 18, 120, 21);
    edit->SetText("hello");
    check = Add<TCheckBox>();
    check->SetBounds(160, 10, 100, 17);
    combo = Add<TComboBox>();
    combo->SetBounds(160, 40, 100, 21);
    button = Add<TButton>();
    button->SetBounds(160, 70, 81, 25);
    panel = Add<TPanel>();
    panel->SetBounds(5, 110, 200, 30);
    bar = Add<TTestBar>();
    bar->SizeGrip = false;
    bar->SetHeight(25);
    bar->AlignToParent();
    bar->SetPanels({{120, "Serial Port Status"}, {25, ""}, {95, "Communications"}, {50, ""}});
    label = new TLabel(form);
    label->SetParent(group);
  }
  TGroupBox* group;
  TEdit* edit;
  TCheckBox* check;
  TComboBox* combo;
  TButton* button;
  TPanel* panel;
  TTestBar* bar;
  TLabel* label;
};

TEST_F(Win32Windows, EveryWindowedControlIsARealWindowOfItsFrameworkClass) {
  Show();
  const std::vector<TWinControl*> all{form, group, edit, check, combo, button, panel, bar};
  for (TWinControl* c : all) {
    HWND w = WindowOf(c);
    ASSERT_TRUE(IsWindow(w)) << c->ClassName();
    EXPECT_EQ(fwtest::ClassOf(w), c->ClassName());
    if (c == form) continue;
    EXPECT_EQ(GetParent(w), WindowOf(c->Parent())) << c->ClassName();
    RECT r = fwtest::RectInParent(w);
    EXPECT_EQ(r.left, c->Left()) << c->ClassName();
    EXPECT_EQ(r.top, c->Top()) << c->ClassName();
    EXPECT_EQ(r.right - r.left, c->Width()) << c->ClassName();
    if (c != combo) {
      EXPECT_EQ(r.bottom - r.top, c->Height()) << c->ClassName();
    }
  }
  EXPECT_EQ(fwtest::TextOf(WindowOf(edit)), "hello");
  EXPECT_EQ(fwtest::TextOf(WindowOf(group)), "");
  EXPECT_TRUE(GetWindowLongA(WindowOf(combo), GWL_STYLE) & CBS_DROPDOWN);
  EXPECT_FALSE(label->Parent()->Controls().empty());  // graphic: painted by its parent, no window
}

TEST_F(Win32Windows, AskingAChildForItsWindowFirstMakesItsParentsWindowsToo) {
  HWND w = WindowOf(edit);  // before the form has a window
  ASSERT_TRUE(IsWindow(w));
  ASSERT_TRUE(form->HandleAllocated());
  EXPECT_EQ(GetParent(w), WindowOf(group));
  EXPECT_EQ(FindWindowExA(WindowOf(group), nullptr, "TEdit", nullptr), w);
  EXPECT_EQ(FindWindowExA(WindowOf(group), w, "TEdit", nullptr), nullptr);
  EXPECT_EQ(win32::FindControl(w), edit);
}

TEST_F(Win32Windows, SingleBorderFormHasExactClientAreaAndNoMaximise) {
  Show();
  HWND w = WindowOf(form);
  RECT c;
  GetClientRect(w, &c);
  EXPECT_EQ(c.right, 320);
  EXPECT_EQ(c.bottom, 240);
  LONG style = GetWindowLongA(w, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX), WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_EQ(fwtest::TextOf(w), "Framework test");
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(form->Width(), r.right - r.left);
  EXPECT_EQ(form->ClientWidth(), 320);

  form->SetClientSize(400, 300);  // with a window: the frame is added
  GetClientRect(w, &c);
  EXPECT_EQ(c.right, 400);
  EXPECT_EQ(c.bottom, 300);
  // The status bar follows the bottom edge at full width.
  RECT b = fwtest::RectInParent(WindowOf(bar));
  EXPECT_EQ(b.bottom, 300);
  EXPECT_EQ(b.right - b.left, 400);
  EXPECT_EQ(b.bottom - b.top, 25);
}

TEST_F(Win32Windows, ScreenCentredFormIsCentredOnFirstShow) {
  form->Position = TPosition::poScreenCenter;
  Show();
  RECT r;
  GetWindowRect(WindowOf(form), &r);
  EXPECT_NEAR((r.left + r.right) / 2.0, GetSystemMetrics(SM_CXSCREEN) / 2.0, 1.0);
  EXPECT_NEAR((r.top + r.bottom) / 2.0, GetSystemMetrics(SM_CYSCREEN) / 2.0, 1.0);
  form->SetLeft(10);
  form->SetVisible(false);
  form->Show();  // not the first show: stays where it was put
  GetWindowRect(WindowOf(form), &r);
  EXPECT_EQ(r.left, 10);
}

TEST_F(Win32Windows, ControlAtomPropertyLeadsFromWindowToControl) {
  Show();
  char want[64];
  std::snprintf(want, sizeof want, "ControlOfs%.8llX%.8lX",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr))),
                static_cast<unsigned long>(GetCurrentThreadId()));
  EXPECT_EQ(win32::ControlAtomName(), want);
  ATOM atom = GlobalFindAtomA(want);
  ASSERT_NE(atom, 0);
  EXPECT_EQ(atom, win32::ControlAtom());
  for (TWinControl* c : std::vector<TWinControl*>{form, edit, combo, bar}) {
    HWND w = WindowOf(c);
    EXPECT_EQ(GetPropA(w, MAKEINTATOM(atom)), static_cast<TControl*>(c));
    EXPECT_EQ(win32::FindControl(w), c);
  }
  EXPECT_EQ(win32::FindControl(GetDesktopWindow()), nullptr);
  EXPECT_EQ(win32::FindControl(static_cast<HWND>(Application().Handle())), nullptr);
  // The edit inside the combo box is not a control of its own.
  COMBOBOXINFO ci{};
  ci.cbSize = sizeof ci;
  ASSERT_TRUE(GetComboBoxInfo(WindowOf(combo), &ci));
  EXPECT_EQ(win32::FindControl(ci.hwndItem), nullptr);
  EXPECT_EQ(win32::FindOwningControl(ci.hwndItem), combo);

  HWND gone = WindowOf(button);
  delete button;
  EXPECT_FALSE(IsWindow(gone));
}

TEST_F(Win32Windows, StatusBarShowsItsPanelsWithTheLastOneStretched) {
  Show();
  HWND w = WindowOf(bar);
  int edges[8] = {};
  ASSERT_EQ(SendMessageA(w, SB_GETPARTS, 8, reinterpret_cast<LPARAM>(edges)), 4);
  EXPECT_EQ(edges[0], 120);
  EXPECT_EQ(edges[1], 145);
  EXPECT_EQ(edges[2], 240);
  EXPECT_EQ(edges[3], -1);
  char text[64] = {};
  SendMessageA(w, SB_GETTEXTA, 2, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "Communications");
  bar->SetPanelText(3, "UpLoading....");
  SendMessageA(w, SB_GETTEXTA, 3, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "UpLoading....");
  EXPECT_FALSE(GetWindowLongA(w, GWL_STYLE) & SBARS_SIZEGRIP);
  RECT r = fwtest::RectInParent(w);
  EXPECT_EQ(r.bottom, 240);
  EXPECT_EQ(r.right - r.left, 320);
}

TEST_F(Win32Windows, PropertiesSetAfterShowReachTheWindows) {
  Show();
  edit->SetMaxLength(6);
  EXPECT_EQ(SendMessageA(WindowOf(edit), EM_GETLIMITTEXT, 0, 0), 6);
  check->SetChecked(true);
  EXPECT_EQ(SendMessageA(WindowOf(check), BM_GETCHECK, 0, 0), BST_CHECKED);
  check->SetState(TCheckBoxState::cbGrayed);
  EXPECT_EQ(SendMessageA(WindowOf(check), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  button->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(WindowOf(button)));
  panel->SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(WindowOf(panel)));
  combo->SetItems({"COM1", "COM2"});
  combo->SetItemIndex(1);
  EXPECT_EQ(SendMessageA(WindowOf(combo), CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageA(WindowOf(combo), CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(fwtest::TextOf(WindowOf(combo)), "COM2");
  combo->SetText("COM9");
  EXPECT_EQ(SendMessageA(WindowOf(combo), CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(fwtest::TextOf(WindowOf(combo)), "COM9");
  edit->SetBounds(1, 2, 50, 22);
  RECT r = fwtest::RectInParent(WindowOf(edit));
  EXPECT_EQ(r.left, 1);
  EXPECT_EQ(r.right - r.left, 50);
  // A control added to a shown form gets its window at once.
  auto* late = Add<TEdit>(panel);
  EXPECT_TRUE(late->HandleAllocated());
  EXPECT_EQ(GetParent(WindowOf(late)), WindowOf(panel));
}

}  // namespace
