// Menus and the caption in the skin, as Windows shows them: the edits'
// own context menu and the system menu skinned, a form's skinned menu bar
// with its keyboard and mouse, popup menus kept out of the skin by their
// tag, popup menus given their own drawing back when unskinned, and the
// title drawn in the active and inactive colours (or not at all when the
// caption extras are off).
#include "win32/skinned_fixture.h"
#include "win32/menu_band.h"

#include "framework/menus.h"
#include "skin/engine/skin_caption.h"
#include "skin/engine/win32/skin_menu_bar.h"
#include "skin/paint/menu_painter.h"

#include <atomic>
#include <thread>
#include <vector>

namespace {

using namespace skintest;

HWND H(fw::TWinControl* c) { return static_cast<HWND>(c->Handle()); }

// Whether the skin's frame has taken the window over.
bool FrameSkinned(HWND h) {
  auto* f = skin::TWinSkinForm::Of(h);
  return f && f->SkinState() == skin::kFrameSkinned;
}

// Gives a popup menu of the form one item, "Item".
fw::TMenuItem* AddItem(fw::TPopupMenu* popup) {
  auto* item = new fw::TMenuItem(popup);
  item->SetCaption("Item");
  popup->Items()->Add(item);
  return item;
}

// Shows a form that its popup menus have been given and waits for its frame
// to be skinned.
HWND ShowSkinned(fw::TForm& form) {
  form.DoCreate();
  form.Show();
  HWND h = H(&form);
  EXPECT_TRUE(fwtest::PumpUntil([h] { return FrameSkinned(h); }, 60000));
  return h;
}

// Waits (on another thread) for a visible popup menu and runs fn on it.
std::thread MenuWatcher(std::function<void(HWND)> fn) {
  return std::thread([fn] {
    for (int i = 0; i < 3000; ++i) {
      if (HWND m = OpenMenu()) {
        fn(m);
        return;
      }
      Sleep(20);
    }
  });
}

// How many pixels of the caption strip's text area have this colour.
int CaptionPixels(HWND form, int top, fw::TColor colour) {
  RECT wr;
  GetWindowRect(form, &wr);
  const fw::TBitmap strip = ScreenPixels(RECT{wr.left + 30, wr.top, wr.left + 330, wr.top + top});
  int n = 0;
  for (fw::TColor c : strip.Pixels()) n += (c & 0xFFFFFF) == (colour & 0xFFFFFF);
  return n;
}

TEST_F(SkinnedWindow, AnEditsOwnContextMenuIsSkinned) {
  // The whole border band on screen is the skin's menu background, not
  // the system's frame (which the system may paint inside the menu).
  std::atomic<bool> done{false}, skinned{false};
  BandLook look;
  std::thread watcher = MenuWatcher([&](HWND m) {
    skinned = SendMessageA(m, skin::msg::kQuerySkinned, 0, 0) == 1;
    look = WaitForSkinnedBand(m, *w->SkinData1, 10000);
    PostMessageA(m, WM_KEYDOWN, VK_ESCAPE, 0);
    done = true;
  });
  RECT er;
  HWND edit = H(w->edt_name[0]);
  GetWindowRect(edit, &er);
  // What the system sends on a right click in the edit.
  PostMessageA(edit, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit),
               MAKELPARAM((er.left + er.right) / 2, (er.top + er.bottom) / 2));
  fwtest::PumpUntil([&] { return done.load() && !OpenMenu(); }, 60000);
  watcher.join();
  EXPECT_TRUE(skinned);
  ASSERT_GE(look.mismatches, 0) << "no menu, or no menu background in the skin";
  EXPECT_GT(look.band_pixels, 0);
  EXPECT_EQ(look.mismatches, 0) << "of " << look.band_pixels << " border pixels";
}

TEST_F(SkinnedWindow, AltSpaceOpensTheSkinnedSystemMenuAndEscapeLeavesNoHook) {
  SetForegroundWindow(form);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return GetForegroundWindow() == form; }, 30000));
  std::atomic<bool> skinned{false}, hooked{true};
  std::thread watcher = MenuWatcher([&](HWND m) {
    skinned = SendMessageA(m, skin::msg::kQuerySkinned, 0, 0) == 1;
    PostMessageA(m, WM_KEYDOWN, VK_ESCAPE, 0);
  });
  AltKey(VK_SPACE);
  EXPECT_TRUE(fwtest::PumpUntil([&] { return skinned.load() && !OpenMenu(); }, 60000));
  watcher.join();
  EXPECT_TRUE(skinned);
  EXPECT_FALSE(skin::TWinSkinForm::MenuLoopHookInstalled());
  EXPECT_FALSE(Closed());
}

// A second form with a menu bar, skinned by the window's skin component.
class SkinnedMenuBar : public SkinnedWindow {
 protected:
  void SetUp() override {
    SkinnedWindow::SetUp();
    other = std::make_unique<fw::TForm>(nullptr);
    other->SetCaption("Menu bar");
    other->BorderStyle = fw::TFormBorderStyle::bsSingle;
    other->SetClientSize(400, 200);
    menu = new fw::TMainMenu(other.get());
    for (const char* caption : {"&File", "&Edit", "&Help", "&View"}) {
      auto* top = new fw::TMenuItem(menu);
      top->SetCaption(caption);
      menu->Items()->Add(top);
      if (std::string(caption) == "&Help") {
        top->OnClick = [this](fw::TObject*) { ++help_clicks; };
        continue;
      }
      auto* sub = new fw::TMenuItem(menu);
      sub->SetCaption(std::string("Item of ") + (caption + 1));
      top->Add(sub);
    }
    other->SetMenu(menu);
    other->Show();
    bar_form = static_cast<HWND>(other->Handle());
    ASSERT_TRUE(fwtest::PumpUntil(
        [&] {
          auto* f = skin::TWinSkinForm::Of(bar_form);
          return f && f->SkinState() == skin::kFrameSkinned && f->MenuBar();
        },
        60000));
  }
  void TearDown() override {
    other.reset();
    SkinnedWindow::TearDown();
  }
  skin::TMenuBtn& Bar(int i) { return *skin::TWinSkinForm::Of(bar_form)->MenuBar()->Items()[size_t(i)]; }
  POINT BarPoint(int i) {
    RECT wr;
    GetWindowRect(bar_form, &wr);
    const fw::TRect& r = Bar(i).Rect;
    return POINT{wr.left + (r.Left + r.Right) / 2, wr.top + (r.Top + r.Bottom) / 2};
  }
  // The drop-down open now: the bar item whose sub-menu it shows, or -1.
  static int OpenItem(HWND bar_form) {
    HWND m = OpenMenu();
    if (!m) return -1;
    auto shown = reinterpret_cast<HMENU>(SendMessageA(m, 0x01E1 /* MN_GETHMENU */, 0, 0));
    auto* f = skin::TWinSkinForm::Of(bar_form);
    for (const auto& b : f->MenuBar()->Items())
      if (b->SubMenu && b->SubMenu == shown) return b->Index;
    return -1;
  }

  std::unique_ptr<fw::TForm> other;
  fw::TMainMenu* menu = nullptr;
  HWND bar_form = nullptr;
  int help_clicks = 0;
};

TEST_F(SkinnedMenuBar, TheSystemBarIsReplacedByTheSkinnedOne) {
  EXPECT_EQ(GetMenu(bar_form), nullptr);
  RECT c;
  GetClientRect(bar_form, &c);
  EXPECT_EQ(c.right, 400);
  EXPECT_EQ(c.bottom, 200);
  EXPECT_GT(skin::TWinSkinForm::Of(bar_form)->Metrics().menu, 0);
  EXPECT_EQ(SendMessageA(bar_form, WM_NCHITTEST, 0, MAKELPARAM(BarPoint(0).x, BarPoint(0).y)), HTMENU);
}

TEST_F(SkinnedMenuBar, ArrowsWrapRoundTheBar) {
  std::atomic<int> first{-2}, after_right{-2}, after_left{-2};
  std::atomic<bool> done{false};
  // The click is taken once this thread pumps, below.
  ASSERT_TRUE(Click(BarPoint(3)));
  std::thread watcher([&] {
    auto wait_open = [&](int not_this) {
      int open = -1;
      for (int i = 0; i < 1500; ++i) {
        open = OpenItem(bar_form);
        if (open >= 0 && open != not_this) return open;
        Sleep(20);
      }
      return open;
    };
    first = wait_open(-1);  // View, the last
    PostMessageA(OpenMenu(), WM_KEYDOWN, VK_RIGHT, 0);
    after_right = wait_open(first);  // wraps to File
    PostMessageA(OpenMenu(), WM_KEYDOWN, VK_LEFT, 0);
    after_left = wait_open(after_right);  // wraps back to View
    PostMessageA(OpenMenu(), WM_KEYDOWN, VK_ESCAPE, 0);
    done = true;
  });
  EXPECT_TRUE(fwtest::PumpUntil([&] { return done.load() && !OpenMenu(); }, 120000));
  watcher.join();
  EXPECT_EQ(first.load(), 3);
  EXPECT_EQ(after_right.load(), 0);
  EXPECT_EQ(after_left.load(), 3);
  EXPECT_TRUE(fwtest::PumpUntil([] { return !skin::TWinSkinForm::MenuLoopHookInstalled(); }, 20000));
}

// The pointer moves from the open View drop-down's bar item onto Edit while
// the menu loop runs. The move is made on the window's own thread (a timer
// of the loop), where the system then reports the pointer at its new place
// only; the open drop-down is read each time.
TEST_F(SkinnedMenuBar, TheMouseOverAnotherBarItemSwitchesTheDropDown) {
  struct Loop {
    HWND bar_form;
    POINT edit;
    std::vector<int> opened;  // each drop-down seen, in order
    bool moved = false, done = false;
    int ticks = 0;
  };
  static Loop* loop = nullptr;
  Loop l{bar_form, BarPoint(1), {}};
  loop = &l;
  // The click is taken once the loop below pumps; the timer runs from then on.
  ASSERT_TRUE(Click(BarPoint(3)));
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
    Loop& l = *loop;
    if (l.done) return;
    const int open = OpenItem(l.bar_form);
    if (open >= 0 && (l.opened.empty() || l.opened.back() != open)) l.opened.push_back(open);
    if (++l.ticks > 3000) {  // a minute without the expected drop-down: end the menu
      l.done = true;
      EndMenu();
      return;
    }
    if (!l.moved && open == 3) {
      l.moved = true;
      SetCursorPos(l.edit.x, l.edit.y);
    } else if (l.moved && open == 1 && fwtest::PointerAt(l.edit)) {
      l.done = true;
      PostMessageA(OpenMenu(), WM_KEYDOWN, VK_ESCAPE, 0);
    }
  });
  EXPECT_TRUE(fwtest::PumpUntil([&] { return l.done && !OpenMenu() && !skin::TWinSkinForm::MenuLoopHookInstalled(); },
                                120000));
  KillTimer(nullptr, timer);
  EXPECT_EQ(l.opened, (std::vector<int>{3, 1}));
  EXPECT_FALSE(skin::TWinSkinForm::MenuLoopHookInstalled());
}

TEST_F(SkinnedMenuBar, AnItemWithoutSubItemsSendsItsCommandAtOnce) {
  ASSERT_TRUE(Click(BarPoint(2)));
  EXPECT_TRUE(fwtest::PumpUntil([&] { return help_clicks == 1; }, 20000));
  EXPECT_EQ(OpenMenu(), nullptr);
}

// The form goes away while one of its drop-downs is open (a timer of the
// program frees it): the menu ends, and its hook goes with it.
TEST_F(SkinnedMenuBar, AFormFreedWhileItsDropDownIsOpenLeavesNoHook) {
  static std::unique_ptr<fw::TForm>* victim = nullptr;
  victim = &other;
  ASSERT_TRUE(Click(BarPoint(0)));
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
    if (!OpenMenu()) return;
    KillTimer(nullptr, id);
    victim->reset();
  });
  EXPECT_TRUE(fwtest::PumpUntil([&] { return !other && !OpenMenu(); }, 60000));
  KillTimer(nullptr, timer);
  EXPECT_FALSE(skin::TWinSkinForm::MenuLoopHookInstalled());
  EXPECT_FALSE(IsWindow(bar_form));
}

// Unskinning gives a form's popup menu and its items their own drawing
// back; skinning again takes them over once more.
TEST_F(SkinnedWindow, UnskinningGivesPopupMenusTheirOwnDrawingBack) {
  auto w2 = std::make_unique<Tfrm_mset>(nullptr);
  auto* popup = new fw::TPopupMenu(w2.get());
  fw::TMenuItem* item = AddItem(popup);
  HWND h = ShowSkinned(*w2);
  ASSERT_TRUE(popup->OwnerDraw());
  EXPECT_TRUE(item->OnDrawItem);
  EXPECT_TRUE(item->OnMeasureItem);

  w->SkinData1->SetActive(false);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return !Skinned(h); }, 30000));
  EXPECT_FALSE(popup->OwnerDraw());
  EXPECT_FALSE(item->OnDrawItem);
  EXPECT_FALSE(item->OnMeasureItem);

  w->SkinData1->SetActive(true);
  EXPECT_TRUE(fwtest::PumpUntil([&] { return FrameSkinned(h) && popup->OwnerDraw() && item->OnDrawItem; }, 60000));
  w2.reset();
}

TEST_F(SkinnedWindow, PopupMenusTaggedNinetyNineKeepTheSystemDrawing) {
  auto w2 = std::make_unique<Tfrm_mset>(nullptr);
  auto* plain = new fw::TPopupMenu(w2.get());
  plain->Tag = 99;
  auto* skinned_menu = new fw::TPopupMenu(w2.get());
  for (fw::TPopupMenu* p : {plain, skinned_menu}) AddItem(p);
  ShowSkinned(*w2);
  EXPECT_FALSE(plain->OwnerDraw());
  EXPECT_TRUE(skinned_menu->OwnerDraw());
  w2.reset();
}

TEST_F(SkinnedWindow, TheTitleShowsInTheActiveAndInactiveColoursAndGoesWithTheCaptionExtras) {
  const int top = Frame().Metrics().top;
  const TSkinColours& c = w->SkinData1->Colours();
  SetForegroundWindow(form);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return CaptionPixels(form, top, c.TitleTextActive) > 20; }, 20000));

  fw::TForm other(nullptr);
  other.SetCaption("Other");
  other.SetClientSize(200, 100);
  other.Show();
  EXPECT_TRUE(fwtest::PumpUntil(
      [&] { return CaptionPixels(form, top, c.TitleTextNoActive) > 20 && CaptionPixels(form, top, c.TitleTextActive) == 0; },
      20000));
  other.Close();
  SetForegroundWindow(form);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return CaptionPixels(form, top, c.TitleTextActive) > 20; }, 20000));

  w->SkinCaption1->SetActive(false);
  EXPECT_TRUE(fwtest::PumpUntil([&] { return CaptionPixels(form, top, c.TitleTextActive) == 0; }, 20000));
  w->SkinCaption1->SetActive(true);
  EXPECT_TRUE(fwtest::PumpUntil([&] { return CaptionPixels(form, top, c.TitleTextActive) > 20; }, 20000));
}

}  // namespace
