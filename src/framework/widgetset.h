// The interface between the portable framework and a platform widgetset
// (framework/win32 or framework/headless, chosen by the build). Exactly one
// widgetset is linked into a program; WidgetSet() returns it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/controls.h"

namespace fw {

class TTimer;
class TOpenDialog;

// The native side of one windowed control.
class WidgetHandle {
 public:
  virtual ~WidgetHandle() = default;
  // Mirrors one property of the control into the native window.
  virtual void Update(Prop p) = 0;
  // HWND on Win32.
  virtual void* Native() const = 0;
  virtual void Invalidate() {}
  virtual void SetFocus() {}
  // The widgetset's own handling of a message that reached the control's
  // default handler (TWinControl::WndProc), ending in the native default.
  virtual void Dispatch(TMessage& msg) { (void)msg; }
};

class TWidgetSet {
 public:
  virtual ~TWidgetSet() = default;

  // Native windows. The headless widgetset returns nullptr: controls then
  // live in memory only.
  virtual std::unique_ptr<WidgetHandle> CreateHandle(TWinControl* control) = 0;

  // Keyboard focus.
  virtual TWinControl* FocusedControl() const = 0;
  virtual void SetFocus(TWinControl* control) = 0;

  // Timers: Start returns an id, never 0.
  virtual unsigned StartTimer(TTimer* timer, unsigned interval_ms) = 0;
  virtual void StopTimer(unsigned id) = 0;

  // The event loop.
  virtual void ProcessMessages() = 0;
  // Runs until Terminate; returns at once when already terminated.
  virtual void Run() = 0;
  virtual void Terminate() = 0;
  // Thread-safe: runs fn on the GUI thread, in posting order. False when the
  // post could not be made (fn is then not run and is released).
  virtual bool Post(std::function<void()> fn) = 0;

  // Modal message box; returns the button pressed (ID_OK ...).
  virtual int MessageBox(const std::string& text, const std::string& caption, unsigned flags) = 0;
  // Modal file dialog; on true the dialog's FileName holds the choice.
  virtual bool ExecuteFileDialog(TOpenDialog& dialog, bool save) = 0;

  virtual TColor SysColor(int index) const = 0;
  virtual void ScreenSize(int& width, int& height) const = 0;
  // The hidden application window (HWND on Win32).
  virtual void* ApplicationHandle() = 0;
};

TWidgetSet& WidgetSet();

}  // namespace fw
