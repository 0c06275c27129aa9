// TSkinManage: the process-wide skin manager. It hooks the GUI thread's
// windows (creation, activation, destruction), decides window by window
// whether it gets a frame skin object and with which skin data, keeps the
// frames, the popup-menu skins and the skin data components, and runs the
// skin data components' commands (skin everything, unskin everything, skin
// changed, ...) deferred on a 100 ms timer.
//
// Everything here is portable: the window system is an interface, so the
// decisions and the command runner are tested against a fake one.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "skin/engine/skin_frame.h"
#include "skin/engine/window_system.h"
#include "skin/skin_manager_iface.h"

class TSkinData;
namespace fw {
class TForm;
class TTimer;
}  // namespace fw

namespace skin {

// Kind of the next popup menu.
enum MenuKind : int { kMenuContext = 0, kMenuDropDown = 1, kMenuSystem = 2 };

class TSkinManage final : public ISkinManager, public TFrameKeeper {
 public:
  // A framework form with this Tag is never skinned.
  static constexpr intptr_t kUnskinnedFormTag = 99;
  // A scroll bar with this style is a size grip.
  static constexpr uint32_t kSizeBoxStyle = 0x10;  // SBS_SIZEBOX

  explicit TSkinManage(std::unique_ptr<IWindowSystem> ws);
  ~TSkinManage() override;
  TSkinManage(const TSkinManage&) = delete;
  TSkinManage& operator=(const TSkinManage&) = delete;

  // ---- what the skin data components call ----
  void RegisterSkinData(TSkinData* data) override;
  void UnregisterSkinData(TSkinData* data) override;
  void InstallHook() override;
  void PostCommand(int command, unsigned delay_ms) override;
  void SetPendingSkinData(TSkinData* data) override { pending_data_ = data; }
  TSkinData* PendingSkinData() const override { return pending_data_; }
  void ReloadSkinImages() override;
  bool Active() const override { return active_; }
  void SetActive(bool active) override { active_ = active; }
  int StartedState() const override { return started_; }
  void SetStartedState(int state) override { started_ = state; }
  // Does nothing (and answers true) for a hidden form or a child window.
  bool SkinForm(fw::TForm* form) override;

  // ---- windows ----
  // The decision and attach sequence; true when a frame was made.
  bool SkinWindow(Wnd w);
  TSkinFrame* FindSkinnedWindow(Wnd w) const;
  // The frame of the window leaves the list (not while the manager is
  // being destroyed).
  void ForgetWindow(Wnd w);
  // A frame that is being freed leaves the list.
  void Forget(TSkinFrame* frame) override;
  // Frees the frames whose windows are gone (not while the manager is
  // being destroyed, and never a frame whose window procedure is running).
  void PurgeDeadForms();
  const std::vector<TSkinFrame*>& SkinnedWindows() const { return frames_; }
  const std::vector<TSkinData*>& SkinDataList() const { return data_list_; }
  TSkinData* MainSkinData() const { return main_data_; }

  // ---- popup menus ----
  bool SkinPopupMenu(Wnd w);
  bool UnskinPopupMenu(Wnd w);
  bool IsPopupMenuSkinned(Wnd w) const;
  int MenuKind() const { return menu_kind_; }
  void SetMenuKind(int kind) { menu_kind_ = kind; }
  bool OpenedFromMenuBar() const { return opened_from_bar_; }
  void SetOpenedFromMenuBar(bool v) { opened_from_bar_ = v; }

  // ---- MDI ----
  void SetMdiMaximized(bool maximized);
  bool MdiMaximized() const { return mdi_maximized_; }

  // ---- the hook's events ----
  void HookCreate(Wnd w, const std::string& class_name, uint32_t style, uint32_t ex_style, Wnd parent);
  void HookDestroy(Wnd w);
  void HookActivate(Wnd w);

  // ---- the command runner ----
  // The window for command 7.
  void SetPendingWindow(Wnd w) { pending_window_ = w; }
  // Runs the pending command (the timer's tick).
  void RunCommand();
  // The command waiting for the timer, 0 when none.
  int PendingCommand() const { return pending_command_; }
  bool CommandTimerEnabled() const;
  bool BulkActivation() const { return bulk_; }

  IWindowSystem& Windows() const { return *ws_; }
  // The system version as the hook found it (GetVersion's answer).
  uint32_t SystemVersion() const { return version_; }
  // A Windows 9x system (the top bit of the version set).
  bool Windows9x() const { return version_ & 0x80000000u; }

 private:
  // The skin data for a window of this class owned by this form (or none).
  TSkinData* ChooseSkinData(Wnd w, const std::string& class_name) const;
  bool PreviewRefused(Wnd w, const std::string& class_name) const;
  void RunOnlyThisForm(int command, TSkinData* data);
  void RunForAll(int command, TSkinData* data);
  // Restores, repaints and frees one frame.
  void Unskin(TSkinFrame* frame);
  void FreeDeadFrames();
  bool Listed(const TSkinFrame* f) const;

  std::unique_ptr<IWindowSystem> ws_;
  std::unique_ptr<fw::TTimer> timer_;
  bool hooked_ = false;
  std::vector<TSkinFrame*> frames_;
  std::vector<std::unique_ptr<TPopupSkin>> popups_;
  std::vector<TSkinData*> data_list_;
  bool active_ = false;
  bool bulk_ = false;
  int started_ = kNotStarted;
  int menu_kind_ = kMenuContext;
  bool opened_from_bar_ = false;
  bool mdi_maximized_ = false;
  int pending_command_ = 0;
  TSkinData* pending_data_ = nullptr;
  TSkinData* main_data_ = nullptr;
  Wnd pending_window_ = nullptr;
  uint32_t version_ = 0;
};

// Makes TSkinManage, on the flavour's window system, the manager that the
// skin data components create.
void UseSkinManager();

}  // namespace skin
