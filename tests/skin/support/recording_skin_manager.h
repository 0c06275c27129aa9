// A skin manager double for the skin data component's tests: it keeps the
// manager's bookkeeping (active flag, started state, pending component and
// command) and records every call. The test program installs it as the
// process's manager factory.
#pragma once

#include <string>
#include <vector>

#include "skin/skin_manager_iface.h"

namespace skin {

// Keeps the bookkeeping of the manager and records each call in order.
class TRecordingSkinManager : public ISkinManager {
 public:
  struct Post {
    int command;
    unsigned delay_ms;
    TSkinData* data;  // pending component when it was posted
    bool armed;       // the timer was started (the manager had started)
  };

  void RegisterSkinData(TSkinData* data) override;
  void UnregisterSkinData(TSkinData* data) override;
  void InstallHook() override { hook_installed = true; calls.push_back("InstallHook"); }
  void PostCommand(int command, unsigned delay_ms) override;
  void SetPendingSkinData(TSkinData* data) override { pending_ = data; }
  TSkinData* PendingSkinData() const override { return pending_; }
  void ReloadSkinImages() override { calls.push_back("ReloadSkinImages"); }
  bool Active() const override { return active_; }
  void SetActive(bool active) override { active_ = active; }
  int StartedState() const override { return started_; }
  void SetStartedState(int state) override { started_ = state; }
  bool SkinForm(fw::TForm* form) override;

  // Every command posted, in order.
  std::vector<Post> posts;
  // Every call, by name, in order.
  std::vector<std::string> calls;
  std::vector<TSkinData*> skin_data;
  std::vector<fw::TForm*> skinned_forms;
  bool hook_installed = false;
  TSkinData* main_skin_data = nullptr;

 private:
  TSkinData* pending_ = nullptr;
  bool active_ = false;
  int started_ = kNotStarted;
};

}  // namespace skin
