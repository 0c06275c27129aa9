// The Win32 window system of the skin manager: the GUI thread's CBT hook
// and the real answers about windows; frames and popup-menu skins are the
// Win32 ones.
#include "framework/win32/win32_widgetset.h"

#include <string>

#include "framework/forms.h"
#include "framework/widgetset.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/win32/popup_skin_win32.h"
#include "skin/engine/win32/win_skin_form.h"

namespace skin {

namespace {

HWND H(Wnd w) { return static_cast<HWND>(w); }

// The manager whose hook is installed (one per process).
TSkinManage* g_hooked = nullptr;
HHOOK g_hook = nullptr;

std::string ClassOf(HWND w) {
  char name[101] = {};
  int n = GetClassNameA(w, name, sizeof name);
  return std::string(name, size_t(n > 0 ? n : 0));
}

LRESULT CALLBACK CbtProc(int code, WPARAM wp, LPARAM lp) {
  if (code >= 0 && g_hooked) {
    try {
      HWND w = reinterpret_cast<HWND>(wp);
      switch (code) {
        case HCBT_CREATEWND: {
          const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lp)->lpcs;
          if (cs)
            g_hooked->HookCreate(w, ClassOf(w), uint32_t(cs->style), uint32_t(cs->dwExStyle), cs->hwndParent);
          break;
        }
        case HCBT_DESTROYWND: g_hooked->HookDestroy(w); break;
        case HCBT_ACTIVATE: g_hooked->HookActivate(w); break;
        default: break;
      }
    } catch (...) {
      // The hook never lets a failure into the system's call.
    }
  }
  return CallNextHookEx(g_hook, code, wp, lp);
}

class Win32Windows final : public IWindowSystem {
 public:
  Win32Windows() {
    // Skin objects of other modules find each other under this message.
    RegisterWindowMessageA(fw::win32::ControlAtomName().c_str());
  }

  bool InstallHook(TSkinManage& manager) override {
    if (g_hook) return g_hooked == &manager;
    g_hook = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
    if (!g_hook) return false;
    g_hooked = &manager;
    return true;
  }
  void RemoveHook() override {
    if (g_hook) UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    g_hooked = nullptr;
  }
  uint32_t Version() override { return uint32_t(GetVersion()); }

  bool IsWindow(Wnd w) override { return w && ::IsWindow(H(w)); }
  std::string ClassName(Wnd w) override { return ClassOf(H(w)); }
  uint32_t Style(Wnd w) override { return uint32_t(GetWindowLongPtrA(H(w), GWL_STYLE)); }
  uint32_t ExStyle(Wnd w) override { return uint32_t(GetWindowLongPtrA(H(w), GWL_EXSTYLE)); }
  Wnd Parent(Wnd w) override { return GetParent(H(w)); }
  bool FromThisModule(Wnd w) override {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(H(w), GWLP_HINSTANCE)) == GetModuleHandleA(nullptr);
  }
  fw::TRect WindowRect(Wnd w) override {
    RECT r{};
    GetWindowRect(H(w), &r);
    return {r.left, r.top, r.right, r.bottom};
  }
  fw::TControl* ControlOf(Wnd w) override { return fw::win32::FindControl(H(w)); }
  fw::TForm* FormOf(Wnd w) override {
    for (fw::TForm* f : fw::Screen().Forms())
      if (f->Widget() && f->Widget()->Native() == w) return f;
    return nullptr;
  }
  Wnd FormWindow(fw::TForm* form) override {
    return form && form->Widget() ? form->Widget()->Native() : nullptr;
  }
  intptr_t Send(Wnd w, unsigned msg, uintptr_t wp, intptr_t lp) override {
    return SendMessageA(H(w), msg, wp, lp);
  }
  bool Post(Wnd w, unsigned msg, uintptr_t wp, intptr_t lp) override {
    return PostMessageA(H(w), msg, wp, lp) != 0;
  }
  void InvalidateAndUpdate(Wnd w) override {
    RedrawWindow(H(w), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  void RecomputeFrame(Wnd w) override {
    SetWindowPos(H(w), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  TSkinFrame* CreateFrame(TSkinManage& manager, Wnd w, const std::string& class_name, TSkinData* data,
                          fw::TForm* owner_form) override {
    auto* f = new TWinSkinForm(owner_form, manager, H(w), class_name, data);
    try {
      if (owner_form) f->AttachForm(owner_form);
      else f->AttachWindow();
    } catch (...) {
      delete f;
      return nullptr;
    }
    return f;
  }
  std::unique_ptr<TPopupSkin> CreatePopupSkin(TSkinManage& manager, Wnd w, TSkinData* data) override {
    auto p = std::make_unique<TWinSkinPopMenu>(manager, H(w), data);
    p->Attach();
    return p;
  }
};

}  // namespace

std::unique_ptr<IWindowSystem> PlatformWindowSystem() { return std::make_unique<Win32Windows>(); }

}  // namespace skin
