#include "framework/forms.h"

#include <algorithm>

#include "framework/menu_widgetset.h"
#include "framework/menus.h"
#include "framework/messages.h"
#include "framework/widgetset.h"

namespace fw {

TColor ColorToRGB(TColor c) {
  if (c & clSystemColor) return WidgetSet().SysColor(int(c & 0xFF));
  return c & 0xFFFFFF;
}

// ---- TForm ----

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  AcceptsControls = true;
  SetVisible(false);
  Screen().forms_.push_back(this);
}

TForm::~TForm() {
  // The window lets go of the menu bar before either goes; nothing is told.
  if (menu_) {
    menu_->form_ = nullptr;
    menu_ = nullptr;
    Changed(Prop::Menu);
  }
  // Controls go before the form's own window.
  DestroyComponents();
  auto& f = Screen().forms_;
  f.erase(std::remove(f.begin(), f.end(), this), f.end());
  if (Application().main_form_ == this) Application().main_form_ = nullptr;
}

void TForm::SetClientSize(int w, int h) {
  client_width_ = w;
  client_height_ = h;
  // The outer size is the widgetset's business: with a native window it
  // derives it from the frame; without one it equals the client size.
  if (HandleAllocated()) {
    Changed(Prop::ClientSize);
    return;
  }
  SetBounds(Left(), Top(), w, h);
}

void TForm::SetMenu(TMainMenu* menu) {
  if (menu == menu_) return;
  if (menu && menu->form_)
    throw Exception("Menu '" + menu->Name() + "' is already being used by another form");
  if (menu_) menu_->form_ = nullptr;
  menu_ = menu;
  if (menu_) menu_->form_ = this;
  Changed(Prop::Menu);
  if (!Destroying()) Perform(CM_MENUCHANGED);
}

static void CollectTabOrder(const TWinControl* c, std::vector<TWinControl*>& out) {
  for (TWinControl* w : c->TabOrderedChildren()) {
    out.push_back(w);
    CollectTabOrder(w, out);
  }
}

std::vector<TWinControl*> TForm::GetTabOrderList() const {
  std::vector<TWinControl*> v;
  CollectTabOrder(this, v);
  return v;
}

TWinControl* TForm::ActiveControl() const {
  TWinControl* f = WidgetSet().FocusedControl();
  return f && f->GetParentForm() == this ? f : nullptr;
}

void TForm::SelectNext(bool forward) {
  auto list = GetTabOrderList();
  if (list.empty()) return;
  TWinControl* cur = ActiveControl();
  auto it = std::find(list.begin(), list.end(), cur);
  int n = int(list.size());
  int start = it == list.end() ? (forward ? -1 : n) : int(it - list.begin());
  for (int k = 1; k <= n; ++k) {
    int i = ((start + (forward ? k : -k)) % n + n) % n;
    TWinControl* c = list[size_t(i)];
    if (c->TabStop && c->CanFocus()) {
      c->SetFocus();
      return;
    }
  }
}

void TForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}

void TForm::Show() {
  if (!shown_ && Position == TPosition::poScreenCenter) {
    int sw = Screen().Width(), sh = Screen().Height();
    SetBounds((sw - Width()) / 2, (sh - Height()) / 2, Width(), Height());
  }
  CreateHandle();
  shown_ = true;
  SetVisible(true);
  if (!ActiveControl()) SelectNext(true);
}

void TForm::Close() {
  SetVisible(false);
  Closed();
}

void TForm::Closed() {
  shown_ = false;
  if (Application().MainForm() == this) Application().Terminate();
}

// ---- TApplication ----

void TApplication::DestroyForms() {
  while (!owned_.empty()) {
    TForm* f = owned_.back();
    owned_.pop_back();
    delete f;
  }
  main_form_ = nullptr;
}

void TApplication::Run() {
  if (main_form_) main_form_->Show();
  WidgetSet().Run();
}

void TApplication::ProcessMessages() { WidgetSet().ProcessMessages(); }

void TApplication::Terminate() {
  terminated_ = true;
  WidgetSet().Terminate();
}

bool TApplication::Post(std::function<void()> fn) { return WidgetSet().Post(std::move(fn)); }

int TApplication::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  return WidgetSet().MessageBox(text, caption, flags);
}

void* TApplication::Handle() { return WidgetSet().ApplicationHandle(); }

// The application and screen objects live for the whole process; they are
// never destroyed, so no form outlives them during static destruction.
TApplication& Application() {
  static TApplication* app = new TApplication;
  return *app;
}

// ---- TScreen ----

int TScreen::Width() const {
  int w, h;
  WidgetSet().ScreenSize(w, h);
  return w;
}

int TScreen::Height() const {
  int w, h;
  WidgetSet().ScreenSize(w, h);
  return h;
}

TWinControl* TScreen::ActiveControl() const { return WidgetSet().FocusedControl(); }

TFont TScreen::MenuFont() const { return MenuWidgetSet().MenuFont(); }

TScreen& Screen() {
  static TScreen* screen = new TScreen;
  return *screen;
}

}  // namespace fw
