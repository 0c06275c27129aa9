// Internals of the Win32 widgetset shared by its files: the native side of a
// control (ControlHandle), the window class registry and the widgetset
// object. Nothing outside framework/win32 includes this.
#pragma once

#include "framework/win32/win32_widgetset.h"  // first: <windows.h> with its macros tamed

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "framework/forms.h"
#include "framework/wake_queue.h"
#include "framework/widgetset.h"
#include "framework/win32/win32_widgetset.h"

namespace fw::win32 {

// Which standard control (if any) a framework window is built on.
enum class Kind { Form, Edit, Button, CheckBox, GroupBox, ComboBox, StatusBar, Panel, Custom };

Kind KindOf(const TWinControl* control);

// ---- window classes (window_classes.cpp) ----

// Registers (once) the window class named after the control's framework
// class, superclassing the standard control of its kind. Returns the class
// name to create windows with, and the original class procedure.
struct WindowClass {
  std::string name;
  WNDPROC original = nullptr;
};
const WindowClass& EnsureWindowClass(const TWinControl* control, Kind kind);

class ControlHandle;
// The window being created in this thread, attached at its first message.
void SetCreatingHandle(ControlHandle* handle);
// Attach/detach an HWND and its handle object; the control atom property
// is set and removed here.
void AttachWindow(HWND wnd, ControlHandle* handle);
void DetachWindow(HWND wnd);
ControlHandle* HandleOfWindow(HWND wnd);
// The edit part of a combo box no longer leads to the combo's handle h.
void ForgetComboEdit(HWND edit, ControlHandle* h);

// ---- messages from other threads and programs (foreign_messages.cpp) ----

// True for a message that only this thread's own code may send to a window
// of this kind: the framework's notifications, and a status bar's private
// messages (their parameters point into the sender's memory).
bool IsPrivateMessage(Kind kind, UINT msg);
// From now on a private message posted to a framework window of the calling
// thread is turned into WM_NULL before any message loop dispatches it.
void FilterPostedPrivateMessages();
// True when the message in hand was sent by another thread (or program);
// outermost: no window procedure of ours is running below this one.
bool SentFromElsewhere(bool outermost);

// ---- the native side of one windowed control (control_*.cpp) ----

class ControlHandle final : public WidgetHandle {
 public:
  ControlHandle(TWinControl* control, Kind kind);
  ~ControlHandle() override;
  // Creates the window and applies every property; false on failure.
  bool Create();

  void Update(Prop p) override;
  void* Native() const override { return wnd_; }
  void Invalidate() override;
  void SetFocus() override;
  void Dispatch(TMessage& msg) override;

  // Calls the original class procedure.
  void CallDefault(TMessage& msg);

  TWinControl* Control() const { return control_; }
  Kind GetKind() const { return kind_; }
  HWND Wnd() const { return wnd_; }
  WNDPROC Original() const { return original_; }

  // Set by the window procedure when the window is attached / destroyed.
  void Attached(HWND wnd) { wnd_ = wnd; }
  void Destroyed() { wnd_ = nullptr; }

  // Forms: the control that last had the focus inside this form.
  HWND active_child = nullptr;

 private:
  // control_create.cpp
  void StylesFor(DWORD& style, DWORD& ex_style) const;
  void ApplyAll();
  // control_update.cpp
  void ApplyBounds();
  void ApplyText();
  void ApplyFont();
  void ApplyItems();
  void ApplyItemIndex();
  void ApplyCheck();
  void ApplyPanels();
  void ApplyClientSize();
  void ApplyBorder();
  void ApplyParent();
  void ApplyMenu(bool attach);
  std::string WindowText() const;
  // hints.cpp: the control's hint as a tooltip of its window (and of a
  // combo box's edit); removed when the window goes.
  void ApplyHint();
  void RemoveHint();
  // control_messages.cpp
  bool Reflect(TMessage& msg, HWND child);
  // Raises the control's mouse-button events around the default handling;
  // false for any other message.
  bool MouseButton(TMessage& msg);
  void Command(TMessage& msg);
  void CtlColor(TMessage& msg);
  void Paint(TMessage& msg);
  void PaintSelf(HDC dc);
  bool EraseBackground(TMessage& msg);
  void FormPosChanged();
  void SubclassComboEdit();
  static LRESULT CALLBACK ComboEditProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);

  TWinControl* control_;
  Kind kind_;
  HWND wnd_ = nullptr;
  WNDPROC original_ = nullptr;
  // True while the handle writes into the window, so that the window's
  // notifications of that change are not taken for the user's.
  bool updating_ = false;
  // True while form bounds are read back from the window.
  bool syncing_ = false;
  HWND combo_edit_ = nullptr;
  WNDPROC combo_edit_proc_ = nullptr;
};

// ---- menus (menus_win32.cpp, menu_messages.cpp) ----

// The handling of menu messages sent to a form or to the popup menus'
// window: a chosen command runs its item, owner-drawn items measure and
// paint, a submenu opening clicks its item, accelerators of owner-drawn
// items. True when the message was handled (msg.Result is the answer).
bool MenuMessage(HWND wnd, TMessage& msg);
// A key that is the shortcut of an item of its form's main menu runs the
// item; true when it did.
bool MenuShortCut(const MSG& msg);
// A menu loop has ended: frees the native menus whose freeing waited for
// it (now, or from the event loop when the system still counts the loop
// as running).
void FlushDeferredMenus();

// Sets a flag for the lifetime of a scope and gives it back the value it
// had before, so that nested scopes leave it set.
class ScopedOverride {
 public:
  explicit ScopedOverride(bool& f) : f_(f), old_(f) { f_ = true; }
  ~ScopedOverride() { f_ = old_; }
  ScopedOverride(const ScopedOverride&) = delete;
  ScopedOverride& operator=(const ScopedOverride&) = delete;

 private:
  bool& f_;
  bool old_;
};

// ---- the widgetset (widgetset_win32.cpp, message_loop.cpp, dialogs_win32.cpp) ----

class Win32WidgetSet final : public TWidgetSet {
 public:
  Win32WidgetSet();

  std::unique_ptr<WidgetHandle> CreateHandle(TWinControl* control) override;

  TWinControl* FocusedControl() const override { return focused_; }
  void SetFocus(TWinControl* control) override;

  unsigned StartTimer(TTimer* timer, unsigned interval_ms) override;
  void StopTimer(unsigned id) override;

  void ProcessMessages() override;
  void Run() override;
  void Terminate() override;
  bool Post(std::function<void()> fn) override;

  int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override;
  bool ExecuteFileDialog(TOpenDialog& dialog, bool save) override;

  TColor SysColor(int index) const override;
  void ScreenSize(int& width, int& height) const override;
  void* ApplicationHandle() override { return app_wnd_.load(); }

  // Focus bookkeeping, driven by the windows' focus messages.
  void FocusIn(TWinControl* control);
  void FocusOut(TWinControl* control, HWND next);
  bool SuppressFocusEvents() const { return suppress_focus_; }

  // The application window's procedure (timers and posted work).
  LRESULT AppMessage(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  // Keyboard handling before a message is dispatched; true when used.
  bool PreTranslate(MSG& msg);
  // One message: pre-translation, translation, dispatch.
  void Deliver(MSG& msg);
  // The window that should own a modal box: the active form, else the main
  // form.
  HWND ModalOwner() const;

  HWND AppWnd() const { return app_wnd_.load(); }

 private:
  void CreateAppWindow();

  TWinControl* focused_ = nullptr;
  bool suppress_focus_ = false;
  std::atomic<HWND> app_wnd_{nullptr};
  std::atomic<bool> terminated_{false};
  unsigned next_timer_ = 0;
  std::map<unsigned, TTimer*> timers_;
  // Work posted from any thread, run one item per WM_FW_POST.
  WakeQueue<std::function<void()>> posted_;
};

Win32WidgetSet& WS();

// Wakes the application window to run the oldest item of posted work. The
// work itself stays in the widgetset's queue: the message carries nothing,
// and one that arrives with nothing queued does nothing.
constexpr UINT WM_FW_POST = WM_APP + 0x101;

// Combo boxes are created this much taller than their visible height per
// line of the drop-down list.
int ComboListHeight(const TWinControl* combo);

}  // namespace fw::win32
