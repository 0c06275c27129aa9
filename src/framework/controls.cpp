#include "framework/controls.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "framework/forms.h"
#include "framework/properties.h"
#include "framework/widgetset.h"

namespace fw {

// ---- TControl ----

TControl::TControl(TComponent* owner) : TComponent(owner) {
  WindowProc = [this](TMessage& m) { WndProc(m); };
}

TControl::~TControl() {
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* p) {
  if (p == parent_) return;
  if (parent_) parent_->RemoveControl(this);
  parent_ = p;
  if (parent_) {
    parent_->InsertControl(this);
    if (ParentFont) font_ = parent_->Font();
    if (ParentColor) color_ = parent_->Color();
  }
  Changed(Prop::Parent);
}

void TControl::SetBounds(int l, int t, int w, int h) {
  if (l == left_ && t == top_ && w == width_ && h == height_) return;
  left_ = l; top_ = t; width_ = w; height_ = h;
  Changed(Prop::Bounds);
}

void TControl::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  Changed(Prop::Visible);
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

void TControl::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Changed(Prop::Enabled);
}

void TControl::SetText(const std::string& s) {
  if (s == text_) return;
  text_ = s;
  Changed(Prop::Text);
  TextChanged();
}

void TControl::SetFont(const TFont& f) {
  ParentFont = false;
  if (f == font_) return;
  font_ = f;
  Changed(Prop::Font);
  // Children that follow their parent's font follow this one.
  if (auto* w = dynamic_cast<TWinControl*>(this))
    for (TControl* c : w->Controls())
      if (c->ParentFont) { c->SetFont(f); c->ParentFont = true; }
}

void TControl::SetColor(TColor c) {
  ParentColor = false;
  if (c == color_) return;
  color_ = c;
  Changed(Prop::Color);
  if (auto* w = dynamic_cast<TWinControl*>(this))
    for (TControl* child : w->Controls())
      if (child->ParentColor) {
        child->SetColor(c);
        child->ParentColor = true;
      }
}

void TControl::Changed(Prop p) {
  if ((p == Prop::Bounds || p == Prop::Visible || p == Prop::Color || p == Prop::Text) && parent_)
    Invalidate();
}

void TControl::Invalidate() {}

void TControl::WndProc(TMessage&) {}

intptr_t TControl::Perform(unsigned msg, uintptr_t wparam, intptr_t lparam) {
  TMessage m{msg, wparam, lparam, 0};
  WindowProc(m);
  return m.Result;
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

TForm* TControl::GetParentForm() const {
  const TControl* c = this;
  while (c->parent_) c = c->parent_;
  return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

bool TControl::GetPropertyText(const std::string& name, std::string& v) const {
  if (PropIs(name, "Caption") || PropIs(name, "Text")) { v = text_; return true; }
  if (PropIs(name, "Name")) { v = Name(); return true; }
  if (PropIs(name, "Left")) { v = std::to_string(left_); return true; }
  if (PropIs(name, "Top")) { v = std::to_string(top_); return true; }
  if (PropIs(name, "Width")) { v = std::to_string(width_); return true; }
  if (PropIs(name, "Height")) { v = std::to_string(height_); return true; }
  if (PropIs(name, "Visible")) { v = BoolText(visible_); return true; }
  if (PropIs(name, "Enabled")) { v = BoolText(enabled_); return true; }
  if (PropIs(name, "Tag")) { v = std::to_string(Tag); return true; }
  if (PropIs(name, "Color")) { v = ColorText(color_); return true; }
  if (PropIs(name, "Font")) { v = FontText(font_); return true; }
  if (PropIs(name, "ParentFont")) { v = BoolText(ParentFont); return true; }
  return false;
}

bool TControl::SetPropertyText(const std::string& name, const std::string& v) {
  long long n = 0;
  bool b = false;
  if (PropIs(name, "Caption") || PropIs(name, "Text")) { SetText(v); return true; }
  if (PropIs(name, "Left") && ParseInt(v, n)) { SetLeft(int(n)); return true; }
  if (PropIs(name, "Top") && ParseInt(v, n)) { SetTop(int(n)); return true; }
  if (PropIs(name, "Width") && ParseInt(v, n)) { SetWidth(int(n)); return true; }
  if (PropIs(name, "Height") && ParseInt(v, n)) { SetHeight(int(n)); return true; }
  if (PropIs(name, "Visible") && ParseBool(v, b)) { SetVisible(b); return true; }
  if (PropIs(name, "Enabled") && ParseBool(v, b)) { SetEnabled(b); return true; }
  if (PropIs(name, "Tag") && ParseInt(v, n)) { Tag = intptr_t(n); return true; }
  if (PropIs(name, "Color")) {
    TColor c;
    if (!ParseColor(v, c)) return false;
    SetColor(c);
    return true;
  }
  if (PropIs(name, "Font")) {
    TFont f = font_;
    if (!ParseFont(v, f)) return false;
    SetFont(f);
    return true;
  }
  return false;
}

// ---- TWinControl ----

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  // Components the control owns (a skin hooked into its messages) go while
  // the control and its window are still whole.
  DestroyComponents();
  // Children owned elsewhere lose their parent; the native window goes.
  for (TControl* c : std::vector<TControl*>(controls_)) c->SetParent(nullptr);
  // A control being destroyed fires no focus events: its handlers may reach
  // controls that are already gone.
  OnExit = nullptr;
  OnEnter = nullptr;
  if (WidgetSet().FocusedControl() == this) WidgetSet().SetFocus(nullptr);
  handle_.reset();
}

void TWinControl::InsertControl(TControl* c) {
  controls_.push_back(c);
  if (auto* w = dynamic_cast<TWinControl*>(c)) {
    if (w->tab_order_ < 0) {
      int n = 0;
      for (TControl* o : controls_)
        if (o != c && dynamic_cast<TWinControl*>(o)) ++n;
      w->tab_order_ = n;
    }
  }
}

void TWinControl::RemoveControl(TControl* c) {
  auto it = std::find(controls_.begin(), controls_.end(), c);
  if (it != controls_.end()) controls_.erase(it);
}

std::vector<TWinControl*> TWinControl::TabOrderedChildren() const {
  std::vector<TWinControl*> v;
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) v.push_back(w);
  std::stable_sort(v.begin(), v.end(), [](TWinControl* a, TWinControl* b) { return a->tab_order_ < b->tab_order_; });
  return v;
}

void TWinControl::SetHint(const std::string& s) {
  if (s == hint_) return;
  hint_ = s;
  Changed(Prop::Hint);
}

void TWinControl::SetTabOrder(int v) {
  // Like the usual framework: the other siblings keep their relative order
  // and the numbers stay 0..n-1.
  TWinControl* p = Parent();
  if (!p) { tab_order_ = v; return; }
  auto list = p->TabOrderedChildren();
  list.erase(std::find(list.begin(), list.end(), this));
  if (v < 0) v = 0;
  if (v > int(list.size())) v = int(list.size());
  list.insert(list.begin() + v, this);
  for (size_t i = 0; i < list.size(); ++i) {
    list[i]->tab_order_ = int(i);
    list[i]->Changed(Prop::TabOrder);
  }
}

void* TWinControl::Handle() {
  if (!handle_) CreateHandle();
  return handle_ ? handle_->Native() : nullptr;
}

void TWinControl::CreateHandle() {
  if (handle_) return;
  if (Parent() && !Parent()->HandleAllocated()) {
    Parent()->CreateHandle();
    if (handle_) return;  // created with the parent's children
  }
  handle_ = WidgetSet().CreateHandle(this);
  if (!handle_) return;
  for (TWinControl* c : TabOrderedChildren()) c->CreateHandle();
}

void TWinControl::DestroyHandle() {
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
  handle_.reset();
}

void TWinControl::Changed(Prop p) {
  TControl::Changed(p);
  if (handle_) handle_->Update(p);
  else if (p == Prop::Parent && Parent() && Parent()->HandleAllocated()) CreateHandle();
}

bool TWinControl::Focused() const { return WidgetSet().FocusedControl() == this; }

bool TWinControl::CanFocus() const { return Showing() && Enabled(); }

void TWinControl::SetFocus() {
  if (!CanFocus()) return;
  WidgetSet().SetFocus(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

char TWinControl::KeyPress(char key) {
  if (OnKeyPress) OnKeyPress(this, key);
  return key;
}

void TWinControl::NativeTextChanged(const std::string& s) { SetText(s); }

void TWinControl::WndProc(TMessage& msg) {
  if (handle_) handle_->Dispatch(msg);
}

// ---- TGraphicControl ----

void TGraphicControl::Invalidate() {
  if (Parent() && Parent()->Widget()) Parent()->Widget()->Invalidate();
}

}  // namespace fw
