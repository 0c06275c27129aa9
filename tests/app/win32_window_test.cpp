// The configurator window as real Win32 windows: frame and title, a child
// window for every visible control where the design puts it, the status bar
// panels, and characters typed as WM_CHAR going through the key filters and
// change rules.
// The window's headers come before <windows.h>, whose macros (Yield,
// GetRValue, ...) would clash with names declared there; the widgetset's
// Win32 header then brings <windows.h> without the clashing ones.
#include "app/umset.h"
#include "framework/forms.h"

#include "framework/win32/win32_widgetset.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::string WindowText(HWND h) {
  char buf[512] = {};
  GetWindowTextA(h, buf, sizeof buf);
  return buf;
}

// The window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND h) {
  RECT r;
  GetWindowRect(h, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

class Win32WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    w = std::make_unique<Tfrm_mset>(nullptr);
    w->Show();
    fw::Application().ProcessMessages();
    form = static_cast<HWND>(w->Handle());
    ASSERT_TRUE(IsWindow(form));
  }
  void TearDown() override { w.reset(); }

  static HWND Wnd(fw::TWinControl* c) { return static_cast<HWND>(c->Handle()); }

  // Types the characters as the keyboard's WM_CHAR messages would arrive.
  static void TypeChars(HWND h, const std::string& keys) {
    for (char k : keys) SendMessageA(h, WM_CHAR, WPARAM(static_cast<unsigned char>(k)), 1);
    fw::Application().ProcessMessages();
  }

  std::unique_ptr<Tfrm_mset> w;
  HWND form = nullptr;
};

TEST_F(Win32WindowTest, FrameHasTheTitleAndClientSizeAndNoMaximise) {
  EXPECT_EQ(WindowText(form), "GSM SMS Controller Alarm Configurator Ver1.50");
  RECT rc;
  GetClientRect(form, &rc);
  EXPECT_EQ(rc.right - rc.left, 925);
  EXPECT_EQ(rc.bottom - rc.top, 511);
  LONG style = GetWindowLongA(form, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_TRUE(IsWindowVisible(form));
}

TEST_F(Win32WindowTest, MinimisingAndRestoringKeepsTheLayout) {
  ShowWindow(form, SW_MINIMIZE);
  fw::Application().ProcessMessages();
  EXPECT_TRUE(IsIconic(form));
  ShowWindow(form, SW_RESTORE);
  fw::Application().ProcessMessages();
  EXPECT_FALSE(IsIconic(form));
  RECT rc;
  GetClientRect(form, &rc);
  EXPECT_EQ(rc.right, 925);
  EXPECT_EQ(rc.bottom, 511);
  EXPECT_EQ(w->ClientWidth(), 925);
  EXPECT_EQ(w->ClientHeight(), 511);
  RECT r = RectInParent(Wnd(w->GroupBox18));
  EXPECT_EQ(r.left, 5);
  EXPECT_EQ(r.top, 277);
  r = RectInParent(Wnd(w->MYSbar));
  EXPECT_EQ(r.bottom, 511);
}

TEST_F(Win32WindowTest, EveryVisibleControlIsAChildWindowAtItsPlace) {
  int checked = 0;
  for (fw::TWinControl* c : w->GetTabOrderList()) {
    SCOPED_TRACE(c->Name());
    if (!c->Showing()) {
      // Hidden settings have no visible window.
      if (c->HandleAllocated()) {
        EXPECT_FALSE(IsWindowVisible(Wnd(c)));
      }
      continue;
    }
    HWND h = Wnd(c);
    ASSERT_TRUE(IsWindow(h));
    EXPECT_TRUE(IsWindowVisible(h));
    EXPECT_EQ(GetParent(h), Wnd(c->Parent()));
    RECT r = RectInParent(h);
    EXPECT_EQ(r.left, c->Left());
    EXPECT_EQ(r.top, c->Top());
    EXPECT_EQ(r.right - r.left, c->Width());
    // A drop-down's window may be taller than its edit field (the list).
    if (!dynamic_cast<fw::TComboBox*>(c)) {
      EXPECT_EQ(r.bottom - r.top, c->Height());
    }
    ++checked;
  }
  EXPECT_EQ(checked, 72);  // every visible windowed control of the design
  EXPECT_EQ(WindowText(Wnd(w->btn_down)), "Save Settings");
  EXPECT_EQ(WindowText(Wnd(w->GroupBox18)), "Other Settings");
  EXPECT_EQ(WindowText(Wnd(w->edt_pwd)), "7429");
  EXPECT_EQ(WindowText(Wnd(w->edt_name_rec[7])), "Wired input 8 Recovered");
  EXPECT_EQ(WindowText(Wnd(w->cb_pdat)), "Don't Care");
  EXPECT_EQ(SendMessageA(Wnd(w->cb_pdat), CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(SendMessageA(Wnd(w->cb_nt[0]), CB_GETCURSEL, 0, 0), 3);
  EXPECT_EQ(SendMessageA(Wnd(w->cb_dc[0]), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(Wnd(w->cb_ed[0]), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(Win32WindowTest, StatusBarShowsItsPanelTexts) {
  HWND bar = Wnd(w->MYSbar);
  ASSERT_TRUE(IsWindow(bar));
  RECT r = RectInParent(bar);
  EXPECT_EQ(r.bottom, 511);
  EXPECT_EQ(r.right - r.left, 925);
  ASSERT_EQ(SendMessageA(bar, SB_GETPARTS, 0, 0), 6);
  const char* texts[] = {"Serial Port Status", "", "Communications", "", "Information", ""};
  for (int i = 0; i < 6; ++i) {
    char buf[256] = {};
    SendMessageA(bar, SB_GETTEXTA, WPARAM(i), LPARAM(buf));
    EXPECT_STREQ(buf, texts[i]) << "panel " << i;
  }
  w->ShowStatus("Com Is Close");
  fw::Application().ProcessMessages();
  char buf[256] = {};
  SendMessageA(bar, SB_GETTEXTA, 5, LPARAM(buf));
  EXPECT_STREQ(buf, "Com Is Close");
}

TEST_F(Win32WindowTest, TypedCharactersPassTheTelephoneFilter) {
  fw::TEdit* tel = w->edt_tel[0];
  HWND h = Wnd(tel);
  SetFocus(h);
  TypeChars(h, "+4a 9+-");
  EXPECT_EQ(WindowText(h), "+49");
  EXPECT_EQ(tel->Text(), "+49");
  // With the caret at the front a "+" is still refused.
  SendMessageA(h, EM_SETSEL, 0, 0);
  TypeChars(h, "+");
  EXPECT_EQ(WindowText(h), "+49");
}

TEST_F(Win32WindowTest, TypedCharactersPassTheNumberFilterAndRule) {
  HWND h = Wnd(w->edt_rtt);
  SetFocus(h);
  SendMessageA(h, EM_SETSEL, 0, -1);
  TypeChars(h, "2x5");
  EXPECT_EQ(WindowText(h), "25");
  SendMessageA(h, EM_SETSEL, 2, 2);
  TypeChars(h, "0");
  EXPECT_EQ(WindowText(h), "240");
  EXPECT_EQ(w->edt_rtt->Text(), "240");
  SendMessageA(h, EM_SETSEL, 3, 3);
  TypeChars(h, "\b\b\b");
  EXPECT_EQ(WindowText(h), "0");
  EXPECT_EQ(w->edt_rtt->Text(), "0");

  HWND adt = Wnd(w->edt_adt);
  SetFocus(adt);
  SendMessageA(adt, EM_SETSEL, 0, -1);
  TypeChars(adt, "\b");
  EXPECT_EQ(WindowText(adt), "1");
}

}  // namespace
