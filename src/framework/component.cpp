#include "framework/component.h"

#include <algorithm>

#include "framework/properties.h"

namespace fw {

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_) owner_->Insert(this);
}

TComponent::~TComponent() {
  DestroyComponents();
  while (!free_notifies_.empty()) {
    TComponent* c = free_notifies_.back();
    free_notifies_.pop_back();
    c->free_notifies_.erase(std::remove(c->free_notifies_.begin(), c->free_notifies_.end(), this),
                            c->free_notifies_.end());
    c->Notification(this, TOperation::opRemove);
  }
  if (owner_) owner_->Remove(this);
}

void TComponent::FreeNotification(TComponent* c) {
  if (!c || c == this) return;
  if (std::find(free_notifies_.begin(), free_notifies_.end(), c) == free_notifies_.end()) {
    free_notifies_.push_back(c);
    c->free_notifies_.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* c) {
  if (!c) return;
  free_notifies_.erase(std::remove(free_notifies_.begin(), free_notifies_.end(), c), free_notifies_.end());
  c->free_notifies_.erase(std::remove(c->free_notifies_.begin(), c->free_notifies_.end(), this),
                          c->free_notifies_.end());
}

bool TComponent::GetPropertyText(const std::string& name, std::string& v) const {
  if (PropIs(name, "Name")) { v = name_; return true; }
  if (PropIs(name, "Tag")) { v = std::to_string(Tag); return true; }
  return false;
}

bool TComponent::SetPropertyText(const std::string& name, const std::string& v) {
  long long n = 0;
  if (PropIs(name, "Tag") && ParseInt(v, n)) { Tag = intptr_t(n); return true; }
  return false;
}

void TComponent::DestroyComponents() {
  destroying_ = true;
  for (auto it = components_.rbegin(); it != components_.rend(); ++it) (*it)->BeforeDestruction();
  while (!components_.empty()) {
    TComponent* c = components_.back();
    c->owner_ = nullptr;
    components_.pop_back();
    delete c;
  }
}

void TComponent::Remove(TComponent* c) {
  auto it = std::find(components_.begin(), components_.end(), c);
  if (it != components_.end()) components_.erase(it);
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  for (TComponent* c : components_)
    if (c->name_ == name) return c;
  return nullptr;
}

}  // namespace fw
