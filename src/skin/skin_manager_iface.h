// The process-wide skin manager as the skin data component sees it. The
// manager hooks the GUI thread's windows and gives each accepted window a
// frame skin; the skin data component registers with it and hands it
// commands that run deferred, on the manager's timer.
//
// The program installs the skin engine's manager (a factory); a process
// that installs none (a tool that only reads skins) gets one that keeps the
// bookkeeping and skins nothing.
#pragma once

#include <functional>
#include <memory>

class TSkinData;

namespace fw {
class TForm;
}

namespace skin {

// Commands run by the manager's timer.
enum SkinCommand : int {
  kSkinAll = 1,        // skin every form
  kUnskinAll = 2,      // give every form its own look back
  kSkinChanged = 3,    // a new skin was loaded: reload images and colours
  kPurgeDead = 6,      // free the skins of destroyed windows
  kReskinWindow = 7,   // skin one window anew
};

// Started state of the manager.
enum SkinManagerState : int { kNotStarted = 0, kRunning = 1, kDestroying = 4 };

// Every skin data component posts with this delay.
inline constexpr unsigned kCommandDelayMs = 250;

class ISkinManager {
 public:
  virtual ~ISkinManager() = default;

  virtual void RegisterSkinData(TSkinData* data) = 0;
  virtual void UnregisterSkinData(TSkinData* data) = 0;
  // The CBT hook of the GUI thread.
  virtual void InstallHook() = 0;

  // Stores the command and arms the timer with the delay. Before any window
  // has been activated (started state 0) the timer is not armed: command 1
  // then only sets the active flag and command 2 clears it.
  virtual void PostCommand(int command, unsigned delay_ms) = 0;
  // The component on whose behalf the next command runs.
  virtual void SetPendingSkinData(TSkinData* data) = 0;
  virtual TSkinData* PendingSkinData() const = 0;
  // Drops the caption button images that skinned windows copied from the
  // pending component, so that they are rebuilt from its new skin.
  virtual void ReloadSkinImages() = 0;

  virtual bool Active() const = 0;
  virtual void SetActive(bool active) = 0;
  virtual int StartedState() const = 0;
  virtual void SetStartedState(int state) = 0;

  // Skins one form at once (components that skin only their own form).
  virtual bool SkinForm(fw::TForm* form) = 0;
};

// The manager of the process, or nullptr before a skin data component
// created it.
ISkinManager* SkinManager();
// Returns the manager, creating it with the installed factory (one that
// skins nothing when none is installed).
ISkinManager& EnsureSkinManager();
// Frees the manager (program end, and between tests).
void DestroySkinManager();
// The platform installs the real manager here.
using SkinManagerFactory = std::function<std::unique_ptr<ISkinManager>()>;
void SetSkinManagerFactory(SkinManagerFactory factory);

}  // namespace skin
