#include "framework/component.h"

#include <algorithm>

namespace fw {

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_) owner_->Insert(this);
}

TComponent::~TComponent() {
  DestroyComponents();
  if (owner_) owner_->Remove(this);
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
