#include "skin/engine/win32/control_skin_list.h"

#include <algorithm>

#include "skin/engine/win32/control_skin.h"

namespace skin {

bool TControlSkinList::Has(const TSkinControl* c) const {
  return std::find(items_.begin(), items_.end(), c) != items_.end();
}

bool TControlSkinList::Register(TSkinControl* c) {
  if (Has(c)) return true;
  items_.push_back(c);
  return false;
}

void TControlSkinList::Unregister(TSkinControl* c) { items_.erase(std::remove(items_.begin(), items_.end(), c), items_.end()); }

TSkinControl* TControlSkinList::FindByWindow(HWND w) const {
  for (TSkinControl* c : items_)
    if (c->Window() == w && !c->Dead()) return c;
  return nullptr;
}

void TControlSkinList::PurgeDead() {
  // Freeing one skin may free others (a control with its children).
  for (TSkinControl* c : std::vector<TSkinControl*>(items_))
    if (Has(c) && c->Dead() && !c->InUse()) delete c;
}

void TControlSkinList::FreeAll() {
  while (!items_.empty()) delete items_.back();
}

void TControlSkinList::RefreshAll() {
  for (TSkinControl* c : std::vector<TSkinControl*>(items_))
    if (Has(c)) c->Refresh();
}

}  // namespace skin
