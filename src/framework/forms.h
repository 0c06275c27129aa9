// TForm, TApplication and TScreen.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/controls.h"

namespace fw {

class TMainMenu;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
enum class TPosition { poDesigned, poDefault, poScreenCenter, poDesktopCenter, poMainFormCenter };

class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;
  const char* ClassName() const override { return "TForm"; }

  int ClientWidth() const { return client_width_; }
  int ClientHeight() const { return client_height_; }
  void SetClientSize(int w, int h);
  // Called by the widgetset when the native client area has a new size.
  void ClientSizeChanged(int w, int h) { client_width_ = w; client_height_ = h; }
  TRect ClientRect() const override { return {0, 0, client_width_, client_height_}; }

  TFormBorderStyle BorderStyle = TFormBorderStyle::bsSizeable;
  unsigned BorderIcons = biSystemMenu | biMinimize | biMaximize;
  TPosition Position = TPosition::poDesigned;

  // The form's menu bar, or nullptr. A menu serves one form at a time
  // (another form's menu throws). Assigning sends the form CM_MENUCHANGED;
  // so does every later change of the menu's items.
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);

  // Every windowed control of the form in keyboard order (depth first, each
  // container before its children).
  std::vector<TWinControl*> GetTabOrderList() const;
  // Moves the focus to the next focusable control in tab order.
  void SelectNext(bool forward = true);
  TWinControl* ActiveControl() const;

  TNotifyEvent OnCreate;
  // Runs OnCreate; called by TApplication::CreateForm after construction.
  void DoCreate();

  void Show();
  void Close();
  bool ShowingForm() const { return shown_; }
  // Called by the widgetset when the user closes the window.
  void Closed();

 private:
  int client_width_ = 0, client_height_ = 0;
  bool shown_ = false;
  TMainMenu* menu_ = nullptr;
};

class TApplication {
 public:
  void Initialize() {}
  // Creates a form, makes the first one the main form, runs its OnCreate.
  template <typename T, typename... A>
  T* CreateForm(A&&... args) {
    T* f = new T(std::forward<A>(args)...);
    if (!main_form_) main_form_ = f;
    owned_.push_back(f);
    f->DoCreate();
    return f;
  }
  TForm* MainForm() const { return main_form_; }
  // Shows the main form and runs the event loop until the main form closes
  // or Terminate is called.
  void Run();
  void ProcessMessages();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Thread-safe post to the GUI thread (see TWidgetSet::Post).
  bool Post(std::function<void()> fn);
  int MessageBox(const std::string& text, const std::string& caption, unsigned flags = 0);
  void* Handle();
  // Frees every form created through CreateForm.
  void DestroyForms();

 private:
  friend class TForm;
  TForm* main_form_ = nullptr;
  std::vector<TForm*> owned_;
  bool terminated_ = false;
};

class TScreen {
 public:
  const std::vector<TForm*>& Forms() const { return forms_; }
  int Width() const;
  int Height() const;
  TWinControl* ActiveControl() const;
  // The font the system draws menus in.
  TFont MenuFont() const;

 private:
  friend class TForm;
  std::vector<TForm*> forms_;
};

TApplication& Application();
TScreen& Screen();

}  // namespace fw
