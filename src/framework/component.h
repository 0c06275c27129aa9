// TObject, TComponent and Exception: the root of the component framework.
// A component may have an owner; the owner frees what it owns, in reverse
// order of creation, when it is itself freed.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace fw {

class TObject {
 public:
  virtual ~TObject() = default;
  // The framework class name ("TEdit", "TForm", ...): window classes and
  // the skin engine's class map are keyed by it.
  virtual const char* ClassName() const { return "TObject"; }
};

// The base of every exception the framework and the program raise.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& msg) : std::runtime_error(msg) {}
  std::string Message() const { return what(); }
};

using TNotifyEvent = std::function<void(TObject* sender)>;

enum class TOperation { opInsert, opRemove };

class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  const char* ClassName() const override { return "TComponent"; }

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(const std::string& n) { name_ = n; }
  intptr_t Tag = 0;

  // Owned components, in creation order.
  const std::vector<TComponent*>& Components() const { return components_; }
  int ComponentCount() const { return int(components_.size()); }
  TComponent* FindComponent(const std::string& name) const;

  // True while the owner's destructor runs: handlers must not act then.
  bool Destroying() const { return destroying_; }

  // Asks to be told (Notification with opRemove) when c is freed, so that
  // a reference to a component owned elsewhere never dangles. The link
  // goes both ways: whichever of the two is freed first tells the other.
  void FreeNotification(TComponent* c);
  void RemoveFreeNotification(TComponent* c);

  // Published properties by name, as text ("Name", "Tag", and what each
  // class adds). Get returns false for a name the component does not
  // publish; Set returns false when the name is unknown or the text is not
  // a valid value.
  virtual bool GetPropertyText(const std::string& name, std::string& value) const;
  virtual bool SetPropertyText(const std::string& name, const std::string& value);

 protected:
  // Called by the owner before it frees its components, so that windows and
  // threads are released while every component is still whole.
  virtual void BeforeDestruction() {}
  void DestroyComponents();
  // A component this one asked about (FreeNotification) is being freed.
  virtual void Notification(TComponent* c, TOperation op) {
    (void)c;
    (void)op;
  }

 private:
  void Insert(TComponent* c) { components_.push_back(c); }
  void Remove(TComponent* c);

  TComponent* owner_ = nullptr;
  std::string name_;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> free_notifies_;
  bool destroying_ = false;
};

}  // namespace fw
