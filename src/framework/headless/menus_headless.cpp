// Menus without native menus: handles stay nullptr, and a popup menu is
// recorded and answered from the test script.
#include <deque>
#include <optional>

#include "framework/headless/headless.h"
#include "framework/headless/popup_script.h"
#include "framework/menu_widgetset.h"
#include "framework/menus.h"
#include "framework/widgetset.h"

namespace fw {
namespace {

struct PopupScript {
  std::vector<headless::ShownPopup> shown;
  std::deque<std::optional<std::string>> choices;
};
PopupScript& Script() {
  static PopupScript* s = new PopupScript;
  return *s;
}

void Record(TMenuItem* parent, int level, std::vector<headless::ShownMenuItem>& out) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* it = parent->Items(i);
    if (!it->Visible()) continue;
    out.push_back({level, it->Caption(), ShortCutToText(it->ShortCut()), it->Enabled(), it->Checked(),
                   it->Count() > 0});
    Record(it, level + 1, out);
  }
}

// The path to the enabled command item with this caption, through visible,
// enabled submenus; empty when there is none.
bool FindChoice(TMenuItem* parent, const std::string& caption, std::vector<TMenuItem*>& path) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* it = parent->Items(i);
    if (!it->Visible() || !it->Enabled() || it->IsLine()) continue;
    path.push_back(it);
    if (it->Count() > 0 ? FindChoice(it, caption, path) : StripHotkey(it->Caption()) == StripHotkey(caption)) return true;
    path.pop_back();
  }
  return false;
}

class HeadlessMenuWidgetSet final : public TMenuWidgetSet {
 public:
  void* CreateMenu(bool) override { return nullptr; }
  void DestroyMenu(void*) override {}
  void FillMenu(void*, TMenuItem&) override {}

  void Popup(TPopupMenu& menu, int x, int y) override {
    auto& s = Script();
    headless::ShownPopup shown{menu.Name(), x, y, {}};
    Record(menu.Items(), 0, shown.items);
    s.shown.push_back(std::move(shown));
    if (s.choices.empty()) return;
    std::optional<std::string> choice = std::move(s.choices.front());
    s.choices.pop_front();
    std::vector<TMenuItem*> path;
    if (!choice || !FindChoice(menu.Items(), *choice, path)) return;
    const unsigned command = path.back()->Command();
    // Opening a submenu clicks its item; a handler may free items on the way.
    std::vector<unsigned> submenus;
    for (size_t i = 0; i + 1 < path.size(); ++i) submenus.push_back(path[i]->Command());
    for (unsigned c : submenus)
      if (TMenuItem* it = TMenuItem::FindByCommand(c)) it->Click();
    WidgetSet().Post([command] {
      if (TMenuItem* it = TMenuItem::FindByCommand(command)) it->Click();
    });
  }

  void PopupFreed(TPopupMenu&) override {}

  TFont MenuFont() const override {
    TFont f;
    f.Color = clMenuText;
    return f;
  }
};

}  // namespace

TMenuWidgetSet& MenuWidgetSet() {
  static HeadlessMenuWidgetSet* ws = new HeadlessMenuWidgetSet;
  return *ws;
}

namespace headless {

std::vector<ShownPopup>& ShownPopups() { return Script().shown; }
void QueuePopupChoice(const std::string& caption) { Script().choices.push_back(caption); }
void QueuePopupDismiss() { Script().choices.push_back(std::nullopt); }

void ResetPopupScripts() {
  Script().shown.clear();
  Script().choices.clear();
}

}  // namespace headless
}  // namespace fw
