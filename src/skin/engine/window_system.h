// What the skin manager needs of the window system: the thread's window
// hook, facts about a window, messages, and the platform's skin objects.
// The Win32 flavour answers with the real calls; tests answer with a fake
// set of windows; the headless flavour has no windows at all.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/graphics.h"

class TSkinData;
namespace fw {
class TControl;
class TForm;
}  // namespace fw

namespace skin {

// A window handle (HWND on Win32).
using Wnd = void*;

class TSkinManage;
class TSkinFrame;
class TPopupSkin;

class IWindowSystem {
 public:
  virtual ~IWindowSystem() = default;

  // The creation/activation/destruction hook of the calling thread; its
  // events reach the manager's Hook... operations. False when refused.
  virtual bool InstallHook(TSkinManage& manager) = 0;
  virtual void RemoveHook() = 0;
  // The system version as GetVersion answers it.
  virtual uint32_t Version() = 0;

  virtual bool IsWindow(Wnd w) = 0;
  // At most 100 characters.
  virtual std::string ClassName(Wnd w) = 0;
  virtual uint32_t Style(Wnd w) = 0;
  virtual uint32_t ExStyle(Wnd w) = 0;
  virtual Wnd Parent(Wnd w) = 0;
  // Whether the window was made by this program's module.
  virtual bool FromThisModule(Wnd w) = 0;
  // On screen.
  virtual fw::TRect WindowRect(Wnd w) = 0;
  // The framework control this module's thread keeps under the window's
  // control property, or nullptr.
  virtual fw::TControl* ControlOf(Wnd w) = 0;
  // The framework form whose window this is, or nullptr.
  virtual fw::TForm* FormOf(Wnd w) = 0;
  // The window of a framework form, nullptr when it has none.
  virtual Wnd FormWindow(fw::TForm* form) = 0;

  virtual intptr_t Send(Wnd w, unsigned msg, uintptr_t wp, intptr_t lp) = 0;
  virtual bool Post(Wnd w, unsigned msg, uintptr_t wp, intptr_t lp) = 0;
  // Repaints the whole window now, background included.
  virtual void InvalidateAndUpdate(Wnd w) = 0;
  // Makes the system ask the window for its frame again.
  virtual void RecomputeFrame(Wnd w) = 0;

  // A frame skin object attached to the window (through the framework
  // form's path when owner_form is given, else the plain-window path), or
  // nullptr when the platform has none. Its component owner is owner_form.
  virtual TSkinFrame* CreateFrame(TSkinManage& manager, Wnd w, const std::string& class_name, TSkinData* data,
                                  fw::TForm* owner_form) = 0;
  // A popup-menu skin attached to the menu window, or nullptr.
  virtual std::unique_ptr<TPopupSkin> CreatePopupSkin(TSkinManage& manager, Wnd w, TSkinData* data) = 0;
};

// The window system of the flavour.
std::unique_ptr<IWindowSystem> PlatformWindowSystem();

}  // namespace skin
