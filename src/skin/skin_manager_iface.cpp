#include "skin/skin_manager_iface.h"

namespace skin {

namespace {

std::unique_ptr<ISkinManager>& Instance() {
  static std::unique_ptr<ISkinManager> manager;
  return manager;
}

// Keeps the bookkeeping a skin data component relies on and skins nothing.
class InertSkinManager final : public ISkinManager {
 public:
  void RegisterSkinData(TSkinData*) override {}
  void UnregisterSkinData(TSkinData* data) override {
    if (pending_ == data) pending_ = nullptr;
  }
  void InstallHook() override {}
  void PostCommand(int command, unsigned) override {
    if (started_ != kNotStarted) return;
    if (command == kSkinAll) active_ = true;
    if (command == kUnskinAll) active_ = false;
  }
  void SetPendingSkinData(TSkinData* data) override { pending_ = data; }
  TSkinData* PendingSkinData() const override { return pending_; }
  void ReloadSkinImages() override {}
  bool Active() const override { return active_; }
  void SetActive(bool active) override { active_ = active; }
  int StartedState() const override { return started_; }
  void SetStartedState(int state) override { started_ = state; }
  bool SkinForm(fw::TForm*) override { return true; }

 private:
  TSkinData* pending_ = nullptr;
  bool active_ = false;
  int started_ = kNotStarted;
};

SkinManagerFactory& Factory() {
  static SkinManagerFactory factory;
  return factory;
}

}  // namespace

ISkinManager* SkinManager() { return Instance().get(); }

ISkinManager& EnsureSkinManager() {
  auto& m = Instance();
  if (!m) {
    if (Factory()) m = Factory()();
    if (!m) m = std::make_unique<InertSkinManager>();
  }
  return *m;
}

void DestroySkinManager() { Instance().reset(); }

void SetSkinManagerFactory(SkinManagerFactory factory) { Factory() = std::move(factory); }

}  // namespace skin
