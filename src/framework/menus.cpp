#include "framework/menus.h"

#include <algorithm>
#include <unordered_map>

#include "framework/forms.h"
#include "framework/imglist.h"
#include "framework/menu_paint.h"
#include "framework/menu_widgetset.h"
#include "framework/messages.h"
#include "framework/properties.h"

namespace fw {
namespace {

// Command ids stay clear of the dialog ids (IDOK ...) below and of the
// system commands above. They are handed out in turn rather than lowest
// first, so that a command still queued for a freed item does not reach a
// new one.
constexpr unsigned kFirstCommand = 0x0100;
constexpr unsigned kLastCommand = 0xEFFF;

// Live items by command and by native menu; GUI thread only.
struct Registry {
  std::unordered_map<unsigned, TMenuItem*> commands;
  std::unordered_map<const void*, TMenuItem*> handles;
  unsigned next = kFirstCommand;
};
Registry& Reg() {
  static Registry* r = new Registry;
  return *r;
}

uint16_t AllocateCommand(TMenuItem* item) {
  auto& r = Reg();
  for (unsigned tries = 0; tries <= kLastCommand - kFirstCommand; ++tries) {
    unsigned c = r.next;
    r.next = c == kLastCommand ? kFirstCommand : c + 1;
    if (r.commands.emplace(c, item).second) return uint16_t(c);
  }
  throw Exception("Too many menu items");
}

TMenuItem* Search(TMenuItem* it, uintptr_t value, TFindItemKind kind) {
  switch (kind) {
    case TFindItemKind::fkCommand:
      if (it->Command() == value) return it;
      break;
    case TFindItemKind::fkHandle:
      if (it->HandleAllocated() && reinterpret_cast<uintptr_t>(it->Handle()) == value) return it;
      break;
    case TFindItemKind::fkShortCut:
      // Hidden or disabled items, and everything below them, are out of reach.
      if (!it->Visible() || !it->Enabled()) return nullptr;
      if (it->Parent() && it->ShortCut() == value) return it;
      break;
  }
  for (int i = 0; i < it->Count(); ++i)
    if (TMenuItem* found = Search(it->Items(i), value, kind)) return found;
  return nullptr;
}

}  // namespace

// ---- TMenuItem ----

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(AllocateCommand(this)) {}

TMenuItem::~TMenuItem() {
  if (parent_) parent_->Remove(this);
  freeing_ = true;
  while (!items_.empty()) delete items_.back();
  DestroyNative();
  Reg().commands.erase(command_);
}

void TMenuItem::SetCaption(const std::string& c) {
  if (c == caption_) return;
  caption_ = c;
  Changed();
}

void TMenuItem::SetShortCut(TShortCut s) {
  if (s == shortcut_) return;
  shortcut_ = s;
  Changed();
}

void TMenuItem::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  Changed();
}

void TMenuItem::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Changed();
}

void TMenuItem::SetChecked(bool v) {
  if (v == checked_) return;
  checked_ = v;
  Changed();
}

void TMenuItem::SetImageIndex(int i) {
  if (i < -1) i = -1;
  if (i == image_index_) return;
  image_index_ = i;
  Changed();
}

void TMenuItem::Click() {
  if (!enabled_ || !OnClick) return;
  // A copy: the handler may free the item (and with it OnClick).
  const TNotifyEvent handler = OnClick;
  handler(this);
}

void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height) {
  MeasureMenuItem(*this, canvas, width, height);
  if (OnMeasureItem) OnMeasureItem(this, canvas, width, height);
}

void TMenuItem::DrawItem(TCanvas& canvas, const TRect& rect, bool selected) {
  if (OnDrawItem) OnDrawItem(this, canvas, rect, selected);
  else PaintMenuItem(*this, canvas, rect, selected);
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) throw Exception("Menu index out of range (" + std::to_string(index) + ")");
  return items_[size_t(index)];
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : int(it - items_.begin());
}

void TMenuItem::CheckInsertable(const TMenuItem* item) const {
  if (!item) throw Exception("No menu item to insert");
  if (item->parent_ || item->menu_) throw Exception("Menu inserted twice");
  for (const TMenuItem* p = this; p; p = p->parent_)
    if (p == item) throw Exception("A menu item cannot be inserted into itself");
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  CheckInsertable(item);
  if (index < 0 || index > Count()) throw Exception("Menu index out of range (" + std::to_string(index) + ")");
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  // Its native menus were filled for another menu's drawing.
  if (item->handle_) item->RefillTree();
  ItemsChanged();
}

void TMenuItem::Delete(int index) {
  TMenuItem* item = Items(index);
  items_.erase(items_.begin() + index);
  item->parent_ = nullptr;
  ItemsChanged();
}

void TMenuItem::Remove(TMenuItem* item) {
  int i = IndexOf(item);
  if (i >= 0) Delete(i);
}

void TMenuItem::Clear() {
  while (!items_.empty()) delete items_.back();
}

TMenuItem* TMenuItem::Find(const std::string& caption) const {
  const std::string want = StripHotkey(caption);
  auto upper = [](std::string s) {
    for (char& c : s)
      if (c >= 'a' && c <= 'z') c = char(c - 32);
    return s;
  };
  for (TMenuItem* it : items_)
    if (upper(StripHotkey(it->caption_)) == upper(want)) return it;
  return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* root = this;
  while (root->parent_) root = root->parent_;
  return root->menu_;
}

void* TMenuItem::Handle() {
  if (handle_) return handle_;
  if (!menu_ && items_.empty()) return nullptr;
  handle_ = MenuWidgetSet().CreateMenu(menu_ && menu_->IsBar());
  if (!handle_) return nullptr;
  Reg().handles[handle_] = this;
  Refill();
  return handle_;
}

bool TMenuItem::IsOwnerDraw() const {
  const TMenu* m = GetParentMenu();
  if (!m || menu_) return false;
  if (m->OwnerDraw()) return true;
  const bool bar_item = m->IsBar() && parent_ && parent_->menu_;
  return m->Images() && !bar_item;
}

TMenuItem* TMenuItem::FindByCommand(unsigned command) {
  auto& m = Reg().commands;
  auto it = m.find(command);
  return it == m.end() ? nullptr : it->second;
}

TMenuItem* TMenuItem::FindByHandle(const void* handle) {
  if (!handle) return nullptr;
  auto& m = Reg().handles;
  auto it = m.find(handle);
  return it == m.end() ? nullptr : it->second;
}

void TMenuItem::Changed() {
  if (parent_ && parent_->handle_) parent_->Refill();
  TMenu* m = GetParentMenu();
  if (m && !m->Freeing()) m->MenuChanged(this);
}

void TMenuItem::ItemsChanged() {
  if (freeing_) return;
  if (handle_ && items_.empty() && !menu_) {
    // A plain entry again: its parent lets go of the native menu before
    // it is freed.
    void* h = handle_;
    Reg().handles.erase(h);
    handle_ = nullptr;
    if (parent_ && parent_->handle_) parent_->Refill();
    MenuWidgetSet().DestroyMenu(h);
  } else if (handle_) {
    Refill();
  } else if (!items_.empty() && parent_ && parent_->handle_) {
    // The parent's entry opens this item's new native menu.
    parent_->Refill();
  }
  TMenu* m = GetParentMenu();
  if (m && !m->Freeing()) m->MenuChanged(this);
}

void TMenuItem::Refill() {
  if (handle_) MenuWidgetSet().FillMenu(handle_, *this);
}

void TMenuItem::RefillTree() {
  Refill();
  for (TMenuItem* c : items_)
    if (c->handle_) c->RefillTree();
}

void TMenuItem::DestroyNative() {
  if (!handle_) return;
  Reg().handles.erase(handle_);
  MenuWidgetSet().DestroyMenu(handle_);
  handle_ = nullptr;
}

bool TMenuItem::GetPropertyText(const std::string& name, std::string& v) const {
  if (PropIs(name, "Caption")) { v = caption_; return true; }
  if (PropIs(name, "ShortCut")) { v = ShortCutToText(shortcut_); return true; }
  if (PropIs(name, "Visible")) { v = BoolText(visible_); return true; }
  if (PropIs(name, "Enabled")) { v = BoolText(enabled_); return true; }
  if (PropIs(name, "Checked")) { v = BoolText(checked_); return true; }
  if (PropIs(name, "ImageIndex")) { v = std::to_string(image_index_); return true; }
  return TComponent::GetPropertyText(name, v);
}

bool TMenuItem::SetPropertyText(const std::string& name, const std::string& v) {
  bool b = false;
  long long n = 0;
  if (PropIs(name, "Caption")) { SetCaption(v); return true; }
  if (PropIs(name, "ShortCut")) {
    TShortCut s = TextToShortCut(v);
    if (s == scNone && !v.empty()) return false;
    SetShortCut(s);
    return true;
  }
  if (PropIs(name, "Visible") && ParseBool(v, b)) { SetVisible(b); return true; }
  if (PropIs(name, "Enabled") && ParseBool(v, b)) { SetEnabled(b); return true; }
  if (PropIs(name, "Checked") && ParseBool(v, b)) { SetChecked(b); return true; }
  if (PropIs(name, "ImageIndex") && ParseInt(v, n) && n >= -1 && n <= 0x7FFFFFFF) {
    SetImageIndex(int(n));
    return true;
  }
  return TComponent::SetPropertyText(name, v);
}

// ---- TMenu ----

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(nullptr)) { items_->menu_ = this; }

TMenu::~TMenu() {
  freeing_ = true;
  if (images_) RemoveFreeNotification(images_);
  delete items_;
}

void TMenu::SetImages(TImageList* images) {
  if (images == images_) return;
  if (images_) RemoveFreeNotification(images_);
  images_ = images;
  if (images_) FreeNotification(images_);
  items_->RefillTree();
  MenuChanged(nullptr);
}

void TMenu::SetOwnerDraw(bool v) {
  if (v == owner_draw_) return;
  owner_draw_ = v;
  items_->RefillTree();
  MenuChanged(nullptr);
}

void TMenu::Notification(TComponent* c, TOperation op) {
  if (op == TOperation::opRemove && c == images_) {
    images_ = nullptr;
    if (!freeing_) {
      items_->RefillTree();
      MenuChanged(nullptr);
    }
  }
}

TMenuItem* TMenu::FindItem(uintptr_t value, TFindItemKind kind) const {
  if (kind == TFindItemKind::fkShortCut && value == scNone) return nullptr;
  return Search(items_, value, kind);
}

bool TMenu::IsShortCut(TShortCut shortcut) {
  TMenuItem* item = FindItem(shortcut, TFindItemKind::fkShortCut);
  if (!item) return false;
  item->Click();
  return true;
}

// ---- TMainMenu ----

TMainMenu::~TMainMenu() {
  // The form lets go of the native bar before it is freed.
  if (form_) form_->SetMenu(nullptr);
}

void TMainMenu::MenuChanged(TMenuItem* source) {
  if (form_ && !form_->Destroying() && !Freeing())
    form_->Perform(CM_MENUCHANGED, 0, reinterpret_cast<intptr_t>(source));
}

// ---- TPopupMenu ----

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner), alive_(std::make_shared<bool>(true)) {}

TPopupMenu::~TPopupMenu() {
  *alive_ = false;
  MenuWidgetSet().PopupFreed(*this);
}

void TPopupMenu::Popup(int x, int y) {
  const std::shared_ptr<bool> alive = alive_;
  if (OnPopup) {
    const TNotifyEvent handler = OnPopup;  // the handler may free the menu
    handler(this);
  }
  if (!*alive) return;
  MenuWidgetSet().Popup(*this, x, y);
}

}  // namespace fw
