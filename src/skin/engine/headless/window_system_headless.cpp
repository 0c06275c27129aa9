// The headless flavour has no native windows: the skin manager keeps its
// bookkeeping and runs its commands, but there is never a window to skin.
#include "skin/engine/skin_frame.h"
#include "skin/engine/window_system.h"

namespace skin {

namespace {

class NoWindows final : public IWindowSystem {
 public:
  bool InstallHook(TSkinManage&) override { return true; }
  void RemoveHook() override {}
  uint32_t Version() override { return 0; }
  bool IsWindow(Wnd) override { return false; }
  std::string ClassName(Wnd) override { return {}; }
  uint32_t Style(Wnd) override { return 0; }
  uint32_t ExStyle(Wnd) override { return 0; }
  Wnd Parent(Wnd) override { return nullptr; }
  bool FromThisModule(Wnd) override { return false; }
  fw::TRect WindowRect(Wnd) override { return {}; }
  fw::TControl* ControlOf(Wnd) override { return nullptr; }
  fw::TForm* FormOf(Wnd) override { return nullptr; }
  Wnd FormWindow(fw::TForm*) override { return nullptr; }
  intptr_t Send(Wnd, unsigned, uintptr_t, intptr_t) override { return 0; }
  bool Post(Wnd, unsigned, uintptr_t, intptr_t) override { return false; }
  void InvalidateAndUpdate(Wnd) override {}
  void RecomputeFrame(Wnd) override {}
  TSkinFrame* CreateFrame(TSkinManage&, Wnd, const std::string&, TSkinData*, fw::TForm*) override {
    return nullptr;
  }
  std::unique_ptr<TPopupSkin> CreatePopupSkin(TSkinManage&, Wnd, TSkinData*) override { return nullptr; }
};

}  // namespace

std::unique_ptr<IWindowSystem> PlatformWindowSystem() { return std::make_unique<NoWindows>(); }

}  // namespace skin
