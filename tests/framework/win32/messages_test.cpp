// Messages of real windows: the replaceable WindowProc, typed characters
// through the key filter, user changes fed back as events, clicks, focus
// and Tab, colours, and closing the main form.
#include <gtest/gtest.h>

#include "support/win32_helpers.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/stdctrls.h"
#include "support/form_fixture.h"

using namespace fw;
using fw::win32::WindowOf;

namespace {

class Win32Messages : public fwtest::FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    edit = Add<TEdit>();
    edit->SetName("edit");
    edit->SetBounds(10, 10, 120, 21);
    edit->OnChange = [this](TObject*) { changes.push_back(edit->Text()); };
    other = Add<TEdit>();
    other->SetName("other");
    other->SetBounds(10, 40, 120, 21);
    combo = Add<TComboBox>();
    combo->SetName("combo");
    combo->SetBounds(10, 70, 120, 21);
    combo->SetItems({"NO", "NC", "24H"});
    combo->OnChange = [this](TObject*) { changes.push_back("combo:" + combo->Text()); };
    check = Add<TCheckBox>();
    check->SetName("check");
    check->SetBounds(10, 100, 120, 17);
    button = Add<TButton>();
    button->SetName("button");
    button->SetBounds(10, 130, 75, 25);
    Show();
  }
  void Char(HWND w, char c) { SendMessageA(w, WM_CHAR, static_cast<unsigned char>(c), 1); }
  std::string Focus() const {
    TWinControl* f = Screen().ActiveControl();
    return f ? f->Name() : "-";
  }
  TEdit* edit;
  TEdit* other;
  TComboBox* combo;
  TCheckBox* check;
  TButton* button;
  std::vector<std::string> changes;
};

TEST_F(Win32Messages, ReplacedWindowProcSeesEveryMessageAndCanBeRestored) {
  HWND w = WindowOf(edit);
  TWndMethod saved = edit->WindowProc;
  int settext = 0;
  bool eat_chars = true;
  edit->WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_SETTEXT) ++settext;
    if (m.Msg == WM_CHAR && eat_chars) return;  // consumed: the control never sees it
    saved(m);
  };
  SetWindowTextA(w, "abc");
  EXPECT_EQ(settext, 1);
  EXPECT_EQ(edit->Text(), "abc");  // the feedback still runs through the saved handler
  Char(w, 'x');
  EXPECT_EQ(fwtest::TextOf(w), "abc");
  eat_chars = false;
  SendMessageA(w, EM_SETSEL, 3, 3);
  Char(w, 'x');
  EXPECT_EQ(edit->Text(), "abcx");

  edit->WindowProc = saved;
  SetWindowTextA(w, "def");
  EXPECT_EQ(settext, 1);
  EXPECT_EQ(edit->Text(), "def");
}

TEST_F(Win32Messages, DefaultHandlerBypassesTheFramework) {
  edit->OnKeyPress = [](TObject*, char& k) { k = 0; };
  HWND w = WindowOf(edit);
  Char(w, '1');
  EXPECT_EQ(fwtest::TextOf(w), "");
  TMessage m{WM_CHAR, '1', 1, 0};
  win32::DefaultHandler(edit, m);
  EXPECT_EQ(fwtest::TextOf(w), "1");
  EXPECT_NE(win32::OriginalWindowProc(edit), nullptr);
}

TEST_F(Win32Messages, TypedCharactersGoThroughTheKeyFilter) {
  edit->OnKeyPress = [this](TObject*, char& k) {
    if (k == '+' && edit->Text().empty()) return;
    if ((k < '0' || k > '9') && k != '\b') k = 0;
  };
  HWND w = WindowOf(edit);
  for (char c : std::string("+4a9+\x16")) Char(w, c);
  EXPECT_EQ(fwtest::TextOf(w), "+49");
  EXPECT_EQ(edit->Text(), "+49");
  Char(w, '\b');
  EXPECT_EQ(edit->Text(), "+4");
  EXPECT_EQ(changes, (std::vector<std::string>{"+", "+4", "+49", "+4"}));

  other->OnKeyPress = [](TObject*, char& k) {
    if (k >= 'a' && k <= 'z') k = char(k - 'a' + 'A');
  };
  Char(WindowOf(other), 'q');
  EXPECT_EQ(other->Text(), "Q");
}

TEST_F(Win32Messages, UserChangesFireOnChangeOnceAndCorrectionsReachTheWindow) {
  HWND w = WindowOf(edit);
  SendMessageA(w, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("12"));
  EXPECT_EQ(changes, (std::vector<std::string>{"12"}));
  edit->SetText("7");
  EXPECT_EQ(fwtest::TextOf(w), "7");
  edit->SetText("7");
  EXPECT_EQ(changes, (std::vector<std::string>{"12", "7"}));

  // A rule that turns an emptied box into "0", run by a real backspace.
  edit->OnChange = [this](TObject*) {
    changes.push_back(edit->Text());
    if (edit->Text().empty()) edit->SetText("0");
  };
  changes.clear();
  SendMessageA(w, EM_SETSEL, 1, 1);
  Char(w, '\b');
  EXPECT_EQ(fwtest::TextOf(w), "0");
  EXPECT_EQ(edit->Text(), "0");
  EXPECT_EQ(changes, (std::vector<std::string>{"", "0"}));
}

TEST_F(Win32Messages, ClicksReachButtonsAndToggleCheckBoxes) {
  int clicks = 0, check_clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  check->OnClick = [&](TObject*) { ++check_clicks; };
  SendMessageA(WindowOf(button), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  SendMessageA(WindowOf(check), BM_CLICK, 0, 0);
  EXPECT_TRUE(check->Checked());
  EXPECT_EQ(SendMessageA(WindowOf(check), BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageA(WindowOf(check), BM_CLICK, 0, 0);
  EXPECT_FALSE(check->Checked());
  EXPECT_EQ(SendMessageA(WindowOf(check), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(check_clicks, 2);
}

TEST_F(Win32Messages, ComboTypingAndPickingFeedBack) {
  HWND w = WindowOf(combo);
  COMBOBOXINFO ci{};
  ci.cbSize = sizeof ci;
  ASSERT_TRUE(GetComboBoxInfo(w, &ci));
  combo->OnKeyPress = [](TObject*, char& k) {
    if (k == 'x') k = 0;
  };
  combo->SetItemIndex(1);
  EXPECT_EQ(fwtest::TextOf(w), "NC");
  EXPECT_TRUE(changes.empty());

  SendMessageA(ci.hwndItem, EM_SETSEL, 2, 2);
  Char(ci.hwndItem, 'x');  // filtered out
  Char(ci.hwndItem, '1');
  EXPECT_EQ(combo->Text(), "NC1");
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(changes, (std::vector<std::string>{"combo:NC1"}));

  // What the list does when the user picks an item.
  SendMessageA(w, CB_SETCURSEL, 2, 0);
  SendMessageA(WindowOf(form), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(w));
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(combo->Text(), "24H");
  EXPECT_EQ(changes, (std::vector<std::string>{"combo:NC1", "combo:24H"}));

  // Text set from outside the program (no notification from the system):
  // the control holds it and hears it once.
  SendMessageA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("COM7"));
  EXPECT_EQ(combo->Text(), "COM7");
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(changes.back(), "combo:COM7");
  EXPECT_EQ(changes.size(), 3u);
}

TEST_F(Win32Messages, OpeningTheListFiresOnDropDownWhichMayRefillIt) {
  HWND w = WindowOf(combo);
  combo->SetText("typed");
  int drops = 0;
  combo->OnDropDown = [&](TObject*) {
    ++drops;
    combo->SetItems({"NO", "NC", "24H", "new"});
  };
  SendMessageA(w, CB_SHOWDROPDOWN, TRUE, 0);
  EXPECT_EQ(drops, 1);
  EXPECT_EQ(SendMessageA(w, CB_GETCOUNT, 0, 0), 4);
  SendMessageA(w, CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_EQ(combo->Text(), "typed");
  EXPECT_EQ(fwtest::TextOf(w), "typed");
  EXPECT_TRUE(changes.empty());
}

// The tooltip of this thread and the text of the tool for window w ("" when
// there is none).
std::string HintOf(HWND w) {
  HWND tips = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND h, LPARAM p) -> BOOL {
        char cls[64] = {};
        GetClassNameA(h, cls, sizeof cls);
        if (lstrcmpiA(cls, TOOLTIPS_CLASSA) != 0) return TRUE;
        *reinterpret_cast<HWND*>(p) = h;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&tips));
  if (!tips) return {};
  char text[1024] = {};
  TOOLINFOA ti{};
  ti.cbSize = TTTOOLINFOA_V2_SIZE;
  ti.hwnd = GetParent(w);
  ti.uId = reinterpret_cast<UINT_PTR>(w);
  ti.lpszText = text;
  SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&ti));
  return text;
}

TEST_F(Win32Messages, HintsBecomeToolsOfTheWindowAndOfTheComboText) {
  HWND w = WindowOf(combo);
  COMBOBOXINFO ci{};
  ci.cbSize = sizeof ci;
  ASSERT_TRUE(GetComboBoxInfo(w, &ci));
  combo->SetHint("COM7: USB Serial Port\nCOM9: Modem");
  EXPECT_EQ(HintOf(w), "COM7: USB Serial Port\r\nCOM9: Modem");
  EXPECT_EQ(HintOf(ci.hwndItem), "COM7: USB Serial Port\r\nCOM9: Modem");
  combo->SetHint("");
  EXPECT_EQ(HintOf(w), "");
  // A hint set before the window exists arrives with it.
  auto* late = new TEdit(form);
  late->SetHint("later");
  late->SetParent(form);
  EXPECT_EQ(HintOf(WindowOf(late)), "later");
}

TEST_F(Win32Messages, FocusMessagesDriveEnterExitAndTabMovesOn) {
  std::vector<std::string> log;
  for (TWinControl* c : std::vector<TWinControl*>{edit, other, combo, check, button}) {
    c->OnEnter = [&log](TObject* s) { log.push_back("enter " + static_cast<TComponent*>(s)->Name()); };
    c->OnExit = [&log](TObject* s) { log.push_back("exit " + static_cast<TComponent*>(s)->Name()); };
  }
  EXPECT_EQ(Focus(), "edit");  // shown: the first tab stop
  SetFocus(WindowOf(other));
  EXPECT_EQ(Focus(), "other");
  other->SetFocus();
  SetFocus(WindowOf(combo));
  EXPECT_EQ(Focus(), "combo");
  SetFocus(WindowOf(edit));
  EXPECT_EQ(log, (std::vector<std::string>{"exit edit", "enter other", "exit other", "enter combo", "exit combo",
                                           "enter edit"}));

  // Tab as the keyboard sends it, through the message loop.
  log.clear();
  HWND from = GetFocus();
  PostMessageA(from, WM_KEYDOWN, VK_TAB, 0x000F0001);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return Focus() != "edit"; }, 30000));
  EXPECT_EQ(Focus(), "other");
  EXPECT_EQ(log, (std::vector<std::string>{"exit edit", "enter other"}));
  EXPECT_EQ(edit->Text(), "");  // the Tab was not typed

  // Shift+Tab goes back.
  BYTE keys[256];
  ASSERT_TRUE(GetKeyboardState(keys));
  BYTE shifted[256];
  std::copy(keys, keys + 256, shifted);
  shifted[VK_SHIFT] = 0x80;
  SetKeyboardState(shifted);
  PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0x000F0001);
  const bool back = fwtest::PumpUntil([&] { return Focus() != "other"; }, 30000);
  SetKeyboardState(keys);
  ASSERT_TRUE(back);
  EXPECT_EQ(Focus(), "edit");
}

TEST_F(Win32Messages, ColoursReachTheControlsThroughReflection) {
  TFont f = edit->Font();
  f.Color = clRed;
  edit->SetFont(f);
  edit->SetColor(TColor(0x00C0FFFF));
  fwtest::MemoryDC m(4, 4);
  LRESULT brush = SendMessageA(WindowOf(form), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(m.dc()),
                               reinterpret_cast<LPARAM>(WindowOf(edit)));
  EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), win32::ColorBrush(TColor(0x00C0FFFF)));
  EXPECT_EQ(GetTextColor(m.dc()), RGB(255, 0, 0));
  EXPECT_EQ(GetBkColor(m.dc()), RGB(0xFF, 0xFF, 0xC0));
  EXPECT_EQ(win32::ColorRef(clBtnFace), GetSysColor(COLOR_BTNFACE));
}

TEST(Win32MainForm, ClosingTheMainFormEndsRun) {
  auto* f = Application().CreateForm<TForm>(nullptr);
  f->SetClientSize(200, 100);
  int closes = 0;
  Application().Post([&] {
    ++closes;
    PostMessageA(WindowOf(f), WM_CLOSE, 0, 0);
  });
  Application().Run();  // shows the main form; returns when it is closed
  EXPECT_EQ(closes, 1);
  EXPECT_TRUE(Application().Terminated());
  EXPECT_FALSE(IsWindowVisible(WindowOf(f)));
  EXPECT_FALSE(f->ShowingForm());
  Application().DestroyForms();
}

}  // namespace
