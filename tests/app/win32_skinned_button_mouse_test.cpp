// A push button's mouse events on the real window, skinned and not: the
// skin takes the press from the system, yet the application hears the
// button go down and up as it does without the skin, and the click comes
// after both.
#include "win32/skinned_fixture.h"

#include "framework/stdctrls.h"

#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace skintest;

// A second form with two buttons: one in the skin, one kept out of it by
// its tag.
class SkinnedButtonMouse : public SkinnedWindow {
 protected:
  void SetUp() override {
    SkinnedWindow::SetUp();
    other = std::make_unique<fw::TForm>(nullptr);
    other->SetCaption("Buttons");
    other->BorderStyle = fw::TFormBorderStyle::bsSingle;
    other->SetClientSize(300, 120);
    skinned = AddButton("Skinned", 20, 0);
    plain = AddButton("Plain", 160, w->SkinData1->DisableTag);
    other->Show();
    other_form = static_cast<HWND>(other->Handle());
    ASSERT_TRUE(fwtest::PumpUntil(
        [&] {
          auto* f = skin::TWinSkinForm::Of(other_form);
          return f && f->SkinState() == skin::kFrameSkinned && Skinned(Wnd(skinned));
        },
        60000));
    ASSERT_FALSE(Skinned(Wnd(plain)));
  }
  void TearDown() override {
    other.reset();
    SkinnedWindow::TearDown();
  }

  fw::TButton* AddButton(const char* caption, int left, intptr_t tag) {
    auto* b = new fw::TButton(other.get());
    b->SetParent(other.get());
    b->SetCaption(caption);
    b->SetBounds(left, 40, 100, 30);
    b->Tag = tag;
    b->OnClick = [this](fw::TObject*) { events.push_back("click"); };
    b->OnMouseDown = [this](fw::TObject*, fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
      events.push_back(Describe("down", button, shift, x, y));
    };
    b->OnMouseUp = [this](fw::TObject*, fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
      events.push_back(Describe("up", button, shift, x, y));
    };
    return b;
  }
  static std::string Describe(const char* what, fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
    std::ostringstream s;
    s << what << (button == fw::TMouseButton::mbLeft ? " left" : button == fw::TMouseButton::mbRight ? " right" : " middle")
      << ((shift & fw::ssShift) ? " shift" : "") << ((shift & fw::ssCtrl) ? " ctrl" : "")
      << ((shift & fw::ssDouble) ? " double" : "") << ((shift & fw::ssLeft) ? " +left" : "")
      << ((shift & fw::ssRight) ? " +right" : "") << " at " << x << "," << y;
    return s.str();
  }
  static HWND Wnd(fw::TButton* b) { return static_cast<HWND>(b->Handle()); }

  std::unique_ptr<fw::TForm> other;
  HWND other_form = nullptr;
  fw::TButton* skinned = nullptr;
  fw::TButton* plain = nullptr;
  std::vector<std::string> events;
};

std::string Joined(const std::vector<std::string>& v) {
  std::string out;
  for (const auto& s : v) out += (out.empty() ? "" : " | ") + s;
  return out;
}

// The messages the system sends for a press and a release over the button,
// sent straight to it: the same for both buttons, so both must answer
// alike.
TEST_F(SkinnedButtonMouse, PressAndReleaseRaiseTheMouseEventsLikeTheSystemsButton) {
  struct Case {
    const char* name;
    UINT down, up;
    WPARAM down_keys, up_keys;
    const char* expected;
  } cases[] = {
      {"left click", WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, 0,
       "down left +left at 12,9 | up left at 12,9 | click"},
      {"shift and left", WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON | MK_SHIFT, MK_SHIFT,
       "down left shift +left at 12,9 | up left shift at 12,9 | click"},
      {"second press of a double click", WM_LBUTTONDBLCLK, WM_LBUTTONUP, MK_LBUTTON, 0,
       "down left double +left at 12,9 | up left at 12,9 | click"},
      {"right button", WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, 0,
       "down right +right at 12,9 | up right at 12,9"},
  };
  for (fw::TButton* b : {skinned, plain})
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(b->Caption()) + ": " + c.name);
      HWND h = Wnd(b);
      events.clear();
      SendMessageA(h, c.down, c.down_keys, MAKELPARAM(12, 9));
      SendMessageA(h, c.up, c.up_keys, MAKELPARAM(12, 9));
      fwtest::PumpUntil([&] { return GetCapture() != h; }, 5000);
      EXPECT_EQ(Joined(events), c.expected);
    }
}

}  // namespace
