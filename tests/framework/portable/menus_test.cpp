// Menu items in a tree, their ownership and lookup, the form's main menu
// and its change notification, shortcuts, and the default look of
// owner-drawn items. Natively without menus, under Wine with real ones
// behind them.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "framework/imglist.h"
#include "framework/menus.h"
#include "framework/messages.h"
#include "support/form_fixture.h"

using namespace fw;

namespace {

TMenuItem* NewItem(TComponent* owner, TMenuItem* parent, const std::string& caption, TShortCut sc = scNone) {
  auto* it = new TMenuItem(owner);
  it->SetCaption(caption);
  it->SetShortCut(sc);
  if (parent) parent->Add(it);
  return it;
}

class MenusTest : public fwtest::FormTest {};

TEST_F(MenusTest, TreeOperations) {
  auto* menu = new TPopupMenu(form);
  TMenuItem* root = menu->Items();
  auto* a = NewItem(form, root, "A");
  auto* c = NewItem(form, root, "C");
  auto* b = new TMenuItem(form);
  root->Insert(1, b);
  ASSERT_EQ(root->Count(), 3);
  EXPECT_EQ(root->Items(1), b);
  EXPECT_EQ(b->Parent(), root);
  EXPECT_EQ(root->IndexOf(c), 2);
  EXPECT_EQ(b->GetParentMenu(), menu);
  auto* b1 = NewItem(form, b, "B&1");
  EXPECT_EQ(b1->GetParentMenu(), menu);
  EXPECT_EQ(root->Find("a"), a);
  EXPECT_EQ(root->Find("nothing"), nullptr);
  EXPECT_EQ(b->Find("b1"), b1);

  // An item lives in one place only, and never inside itself.
  EXPECT_THROW(c->Add(a), Exception);
  EXPECT_THROW(b1->Add(b), Exception);
  EXPECT_THROW(b->Add(b), Exception);
  EXPECT_THROW(a->Add(menu->Items()), Exception);
  EXPECT_THROW(root->Insert(5, new TMenuItem(form)), Exception);
  EXPECT_THROW(root->Items(3), Exception);
  EXPECT_THROW(root->Delete(-1), Exception);

  // Delete and Remove take out without freeing; the item can go elsewhere.
  root->Delete(0);
  EXPECT_EQ(a->Parent(), nullptr);
  c->Add(a);
  root->Remove(c);
  EXPECT_EQ(root->Count(), 1);
  EXPECT_EQ(a->GetParentMenu(), nullptr);
  root->Add(c);
  EXPECT_EQ(a->GetParentMenu(), menu);
}

TEST_F(MenusTest, FreeingItemsAndMenus) {
  auto* menu = new TPopupMenu(nullptr);
  auto* parent = NewItem(form, menu->Items(), "Parent");
  auto* child = NewItem(form, parent, "Child");
  auto* other = NewItem(form, menu->Items(), "Other");
  const int owned = form->ComponentCount();
  const unsigned child_cmd = child->Command(), other_cmd = other->Command();
  EXPECT_EQ(TMenuItem::FindByCommand(child_cmd), child);
  EXPECT_EQ(menu->FindItem(child_cmd, TFindItemKind::fkCommand), child);

  delete child;  // leaves its parent
  EXPECT_EQ(parent->Count(), 0);
  EXPECT_EQ(TMenuItem::FindByCommand(child_cmd), nullptr);
  NewItem(form, parent, "Again");
  delete parent;  // takes its sub-items along, whoever owns them
  EXPECT_EQ(form->ComponentCount(), owned - 2);
  EXPECT_EQ(menu->Items()->Count(), 1);

  auto* images = new TImageList(nullptr);
  menu->SetImages(images);
  delete images;  // the menu forgets it
  EXPECT_EQ(menu->Images(), nullptr);

  delete menu;  // and the menu frees every item in it
  EXPECT_EQ(TMenuItem::FindByCommand(other_cmd), nullptr);
  EXPECT_EQ(form->ComponentCount(), owned - 3);

  // Command ids are unique among live items.
  std::set<unsigned> ids;
  TComponent owner(nullptr);
  for (int i = 0; i < 200; ++i) ids.insert((new TMenuItem(&owner))->Command());
  EXPECT_EQ(ids.size(), 200u);
  EXPECT_EQ(ids.count(0), 0u);
}

TEST_F(MenusTest, EveryChangeOfTheMainMenuReachesTheFormsWindowProc) {
  std::vector<intptr_t> notes;
  TWndMethod saved = form->WindowProc;
  form->WindowProc = [&](TMessage& m) {
    if (m.Msg == CM_MENUCHANGED) notes.push_back(m.LParam);
    saved(m);
  };
  auto* menu = new TMainMenu(form);
  auto* file = NewItem(form, menu->Items(), "&File");
  auto* open = NewItem(form, file, "&Open");
  EXPECT_TRUE(notes.empty());  // not the form's menu yet
  form->SetMenu(menu);
  EXPECT_EQ(menu->Form(), form);
  ASSERT_EQ(notes, std::vector<intptr_t>{0});
  Show();

  auto* extra = new TMenuItem(form);
  const std::vector<std::pair<const char*, std::function<void()>>> changes = {
      {"caption", [&] { open->SetCaption("&Open..."); }},
      {"enabled", [&] { open->SetEnabled(false); }},
      {"checked", [&] { open->SetChecked(true); }},
      {"visible", [&] { open->SetVisible(false); }},
      {"shortcut", [&] { open->SetShortCut(ShortCut('O', scCtrl)); }},
      {"image", [&] { open->SetImageIndex(2); }},
      {"added", [&] { file->Add(extra); }},
      {"removed", [&] { file->Remove(extra); }},
      {"inserted", [&] { menu->Items()->Insert(0, extra); }},
      {"deleted", [&] { menu->Items()->Delete(0); }},
      {"owner draw", [&] { menu->SetOwnerDraw(true); }},
  };
  for (const auto& [what, change] : changes) {
    notes.clear();
    change();
    EXPECT_GE(notes.size(), 1u) << what;
  }
  notes.clear();
  open->SetCaption("&Open...");  // no change, no note
  EXPECT_TRUE(notes.empty());

  // Another form cannot take it; freeing it leaves the form without a menu.
  TForm second(nullptr);
  EXPECT_THROW(second.SetMenu(menu), Exception);
  delete menu;
  EXPECT_EQ(form->Menu(), nullptr);
  EXPECT_EQ(notes, std::vector<intptr_t>{0});
  delete extra;
  form->WindowProc = saved;
}

TEST_F(MenusTest, ShortCutsRunReachableItemsOnly) {
  auto* menu = new TMainMenu(form);
  auto* file = NewItem(form, menu->Items(), "&File");
  auto* save = NewItem(form, file, "&Save", ShortCut('S', scCtrl));
  auto* quit = NewItem(form, file, "&Quit", ShortCut(0x73, scAlt));
  int saves = 0;
  save->OnClick = [&](TObject* s) { saves += s == save; };
  form->SetMenu(menu);
  EXPECT_EQ(menu->FindItem(ShortCut(0x73, scAlt), TFindItemKind::fkShortCut), quit);
  EXPECT_TRUE(menu->IsShortCut(ShortCut('S', scCtrl)));
  EXPECT_FALSE(menu->IsShortCut(ShortCut('S', scAlt)));
  EXPECT_FALSE(menu->IsShortCut(scNone));
  save->SetEnabled(false);
  EXPECT_FALSE(menu->IsShortCut(ShortCut('S', scCtrl)));
  save->SetEnabled(true);
  file->SetVisible(false);
  EXPECT_FALSE(menu->IsShortCut(ShortCut('S', scCtrl)));
  EXPECT_EQ(saves, 1);
  save->Click();  // a disabled item does not click
  save->SetEnabled(false);
  save->Click();
  EXPECT_EQ(saves, 2);
}

TEST(MenuItemLook, DefaultMeasureAndPaintWithoutHandlers) {
  TPopupMenu menu(nullptr);
  auto* plain = NewItem(&menu, menu.Items(), "&Open");
  auto* withkey = NewItem(&menu, menu.Items(), "&Open", ShortCut('O', scCtrl));
  auto* line = NewItem(&menu, menu.Items(), "-");
  TBitmap bmp(200, 40, 0x123456);
  TBitmapCanvas canvas(bmp);
  int w1 = 0, h1 = 0, w2 = 0, h2 = 0, wl = 0, hl = 0;
  plain->MeasureItem(canvas, w1, h1);
  withkey->MeasureItem(canvas, w2, h2);
  line->MeasureItem(canvas, wl, hl);
  EXPECT_GT(w1, canvas.TextWidth("Open"));
  EXPECT_GT(w2, w1);  // room for the shortcut text
  EXPECT_GE(h1, canvas.TextHeight("Open"));
  EXPECT_LT(hl, h1);

  plain->DrawItem(canvas, TRect{0, 0, 100, 20}, true);
  EXPECT_EQ(bmp.Pixel(50, 1), ColorToRGB(clHighlight));
  plain->DrawItem(canvas, TRect{0, 0, 100, 20}, false);
  EXPECT_EQ(bmp.Pixel(50, 1), ColorToRGB(clMenu));
  line->DrawItem(canvas, TRect{0, 20, 100, 30}, false);
  EXPECT_EQ(bmp.Pixel(50, 24), ColorToRGB(clBtnShadow));
  EXPECT_EQ(bmp.Pixel(150, 24), 0x123456u);  // nothing outside the rectangle

  // Handlers take over: measure starts from the default size.
  plain->OnMeasureItem = [](TObject*, TCanvas&, int& w, int& h) { w += 5, h = 7; };
  plain->OnDrawItem = [](TObject*, TCanvas& c, const TRect& r, bool) {
    c.Brush.Color = clLime;
    c.FillRect(r);
  };
  int w = 0, h = 0;
  plain->MeasureItem(canvas, w, h);
  EXPECT_EQ(w, w1 + 5);
  EXPECT_EQ(h, 7);
  plain->DrawItem(canvas, TRect{0, 0, 100, 20}, true);
  EXPECT_EQ(bmp.Pixel(50, 1), clLime);
}

}  // namespace
