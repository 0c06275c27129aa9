// Window classes named after the framework classes, the one window
// procedure they share, and the way from a window to its control.
#include <cstdio>
#include <unordered_map>

#include "framework/extctrls.h"
#include "framework/stdctrls.h"
#include "framework/win32/win32_internal.h"

#include <commctrl.h>

namespace fw::win32 {
namespace {

struct Registry {
  std::map<std::string, WindowClass> by_name;
  std::unordered_map<ATOM, WNDPROC> original_by_atom;
  std::unordered_map<HWND, ControlHandle*> handles;
};

// Window classes and the HWND map are used on the GUI thread only.
Registry& Reg() {
  static Registry* r = new Registry;
  return *r;
}

thread_local ControlHandle* t_creating = nullptr;

const char* BaseClass(Kind k) {
  switch (k) {
    case Kind::Edit: return "EDIT";
    case Kind::Button:
    case Kind::CheckBox:
    case Kind::GroupBox: return "BUTTON";
    case Kind::ComboBox: return "COMBOBOX";
    case Kind::StatusBar: return STATUSCLASSNAMEA;
    default: return nullptr;
  }
}

// Last-resort procedure for a window of one of our classes that has no
// control (any more): the class's original procedure.
WNDPROC FallbackProc(HWND wnd) {
  ATOM a = ATOM(GetClassWord(wnd, GCW_ATOM));
  auto& m = Reg().original_by_atom;
  auto it = m.find(a);
  return it != m.end() && it->second ? it->second : DefWindowProcA;
}

LRESULT CALLBACK ControlWindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  ControlHandle* h = HandleOfWindow(wnd);
  if (!h && t_creating) {
    h = t_creating;
    t_creating = nullptr;
    AttachWindow(wnd, h);
  }
  if (!h) return CallWindowProcA(FallbackProc(wnd), wnd, msg, wp, lp);
  // Nested calls come from our own handling of an outer message.
  thread_local int depth = 0;
  if (IsPrivateMessage(h->GetKind(), msg) && SentFromElsewhere(depth == 0)) return 0;
  struct Nest {
    Nest() { ++depth; }
    ~Nest() { --depth; }
  } nest;
  TMessage m{msg, wp, lp, 0};
  try {
    TWinControl* c = h->Control();
    // While the window is being created the control does not know its
    // handle yet: the messages of creation go straight to the handle.
    if (c->Widget() == h && c->WindowProc) c->WindowProc(m);
    else h->Dispatch(m);
  } catch (...) {
    // No exception may cross the system's window procedure; the message
    // counts as handled with result 0.
  }
  return m.Result;
}

}  // namespace

Kind KindOf(const TWinControl* c) {
  if (dynamic_cast<const TForm*>(c)) return Kind::Form;
  if (dynamic_cast<const TEdit*>(c)) return Kind::Edit;
  if (dynamic_cast<const TCheckBox*>(c)) return Kind::CheckBox;
  if (dynamic_cast<const TButton*>(c)) return Kind::Button;
  if (dynamic_cast<const TGroupBox*>(c)) return Kind::GroupBox;
  if (dynamic_cast<const TComboBox*>(c)) return Kind::ComboBox;
  if (dynamic_cast<const TStatusBar*>(c)) return Kind::StatusBar;
  if (dynamic_cast<const TPanel*>(c)) return Kind::Panel;
  return Kind::Custom;
}

const WindowClass& EnsureWindowClass(const TWinControl* control, Kind kind) {
  static bool common_controls = [] {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    return true;
  }();
  (void)common_controls;

  const char* base = BaseClass(kind);
  std::string name = control->ClassName();
  auto& reg = Reg();
  auto it = reg.by_name.find(name);
  if (it != reg.by_name.end()) return it->second;

  HINSTANCE inst = GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (base) {
    if (!GetClassInfoExA(nullptr, base, &wc) && !GetClassInfoExA(GetModuleHandleA("comctl32.dll"), base, &wc))
      throw Exception(std::string("Window class not available: ") + base);
    // Our window classes belong to this module; the standard control keeps
    // its cursor, brush and extra bytes. Without CS_PARENTDC the control's
    // DC is clipped to the control, so what we paint on it stays inside.
    wc.style &= ~UINT(CS_GLOBALCLASS | CS_PARENTDC);
  } else {
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr;  // the control paints its Color itself
    if (kind == Kind::Form) {
      wc.hIcon = LoadIconA(inst, "MAINICON");
      if (!wc.hIcon) wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    }
  }
  WindowClass info;
  info.original = wc.lpfnWndProc;
  info.name = name;
  wc.lpfnWndProc = ControlWindowProc;
  wc.hInstance = inst;
  wc.lpszClassName = info.name.c_str();
  ATOM atom = RegisterClassExA(&wc);
  if (!atom) throw Exception("RegisterClassEx failed for " + name);
  reg.original_by_atom[atom] = info.original;
  return reg.by_name.emplace(name, std::move(info)).first->second;
}

void SetCreatingHandle(ControlHandle* handle) { t_creating = handle; }

void AttachWindow(HWND wnd, ControlHandle* handle) {
  Reg().handles[wnd] = handle;
  handle->Attached(wnd);
  SetPropA(wnd, MAKEINTATOM(ControlAtom()), static_cast<HANDLE>(static_cast<TControl*>(handle->Control())));
}

void DetachWindow(HWND wnd) {
  Reg().handles.erase(wnd);
  RemovePropA(wnd, MAKEINTATOM(ControlAtom()));
}

ControlHandle* HandleOfWindow(HWND wnd) {
  auto& m = Reg().handles;
  auto it = m.find(wnd);
  return it == m.end() ? nullptr : it->second;
}

std::string ControlAtomName() {
  char buf[64];
  std::snprintf(buf, sizeof buf, "ControlOfs%.8llX%.8lX",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr))),
                static_cast<unsigned long>(GetCurrentThreadId()));
  return buf;
}

ATOM ControlAtom() {
  thread_local ATOM atom = GlobalAddAtomA(ControlAtomName().c_str());
  return atom;
}

TControl* FindControl(HWND wnd) {
  // From our own registry, not from the window's property: another program
  // can set a property of our windows.
  ControlHandle* h = wnd ? HandleOfWindow(wnd) : nullptr;
  return h ? h->Control() : nullptr;
}

TWinControl* FindOwningControl(HWND wnd) {
  for (HWND w = wnd; w; w = GetParent(w))
    if (auto* c = dynamic_cast<TWinControl*>(FindControl(w))) return c;
  return nullptr;
}

HWND WindowOf(TWinControl* control) { return control ? static_cast<HWND>(control->Handle()) : nullptr; }

void DefaultHandler(TWinControl* control, TMessage& msg) {
  auto* h = control ? dynamic_cast<ControlHandle*>(control->Widget()) : nullptr;
  if (h) h->CallDefault(msg);
}

WNDPROC OriginalWindowProc(TWinControl* control) {
  auto* h = control ? dynamic_cast<ControlHandle*>(control->Widget()) : nullptr;
  return h ? h->Original() : nullptr;
}

}  // namespace fw::win32
