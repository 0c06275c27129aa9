// TControl, TWinControl and TGraphicControl: the visual component classes.
//
// A control keeps its own state (bounds, text, font, colour, visibility, tab
// order, ...). When it has a native window (HandleAllocated), every change is
// forwarded to the widgetset, which mirrors it into the window; when the
// window is created, every property is applied again. The headless widgetset
// creates no native windows, so a control is then a complete in-memory model.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/graphics.h"

namespace fw {

class TWinControl;
class TForm;
class WidgetHandle;

// A window message as the control's WindowProc sees it.
struct TMessage {
  unsigned Msg = 0;
  uintptr_t WParam = 0;
  intptr_t LParam = 0;
  intptr_t Result = 0;
};

using TWndMethod = std::function<void(TMessage&)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;

// A mouse event: which button, the keys and buttons held (a set of the ss
// bits) and the point in the control's client coordinates.
enum class TMouseButton { mbLeft, mbRight, mbMiddle };
using TShiftState = unsigned;
constexpr TShiftState ssShift = 0x1, ssAlt = 0x2, ssCtrl = 0x4, ssLeft = 0x8, ssRight = 0x10, ssMiddle = 0x20,
                      ssDouble = 0x40;
using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;

// Which property changed, for the widgetset to mirror.
enum class Prop {
  Bounds, Text, Visible, Enabled, Font, Color, Checked, Items, ItemIndex,
  MaxLength, Panels, Shape, TabOrder, Border, ReadOnly, Alignment, Parent,
  ClientSize, Hint, Menu
};

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;
  const char* ClassName() const override { return "TControl"; }

  // Parent: the windowed control the control sits in.
  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* p);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetBounds(int l, int t, int w, int h);
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  TRect BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  virtual TRect ClientRect() const { return {0, 0, width_, height_}; }

  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  // Visible and every parent visible.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);

  // Caption and Text are one string, as usual in this framework.
  const std::string& Caption() const { return text_; }
  void SetCaption(const std::string& s) { SetText(s); }
  const std::string& Text() const { return text_; }
  virtual void SetText(const std::string& s);

  const TFont& Font() const { return font_; }
  void SetFont(const TFont& f);
  bool ParentFont = true;
  TColor Color() const { return color_; }
  // Setting a colour ends ParentColor; children that follow their parent's
  // colour follow this one.
  void SetColor(TColor c);
  // The control takes its parent's colour (when placed, and whenever the
  // parent's colour changes).
  bool ParentColor = false;

  // Published properties by name, as text ("Caption", "Color", "Font",
  // "Checked", "State", "Text", "Left", ...). Get returns false for a name
  // the control does not publish; Set returns false when the name is
  // unknown or the text is not a valid value.
  bool GetPropertyText(const std::string& name, std::string& value) const override;
  bool SetPropertyText(const std::string& name, const std::string& value) override;

  // Every message for the control goes through WindowProc, which the skin
  // engine may replace (and later restore). By default it is WndProc.
  TWndMethod WindowProc;
  virtual void WndProc(TMessage& msg);
  // Sends a message through WindowProc.
  intptr_t Perform(unsigned msg, uintptr_t wparam = 0, intptr_t lparam = 0);

  TNotifyEvent OnClick;
  virtual void Click();

  // A mouse button went down or up over the control. The widgetset raises
  // them; a control skin that takes the press itself raises MouseDown.
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);

  // The form the control is on, or nullptr.
  TForm* GetParentForm() const;

  // Repaint request (graphic controls ask their parent).
  virtual void Invalidate();

 protected:
  // Hands a changed property to the widgetset when there is a native window.
  virtual void Changed(Prop p);
  // Sets the text without events (used by the widgetset's feedback path and
  // by controls that fire their own events).
  void StoreText(const std::string& s) { text_ = s; }
  virtual void TextChanged() {}

 private:
  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  std::string text_;
  TFont font_;
  TColor color_ = clBtnFace;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;
  const char* ClassName() const override { return "TWinControl"; }

  // Child controls in insertion order.
  const std::vector<TControl*>& Controls() const { return controls_; }
  // Windowed children in tab order.
  std::vector<TWinControl*> TabOrderedChildren() const;
  int TabOrder() const { return tab_order_; }
  void SetTabOrder(int v);
  bool TabStop = false;

  // True when child controls may be placed in this control at design time
  // (group boxes, panels, forms; status bars only when asked).
  bool AcceptsControls = false;

  // Native window, created by the widgetset on demand (never in headless).
  bool HandleAllocated() const { return handle_ != nullptr; }
  WidgetHandle* Widget() const { return handle_.get(); }
  void* Handle();  // creates the native window (and its parents') if needed
  virtual void CreateHandle();
  void DestroyHandle();

  // A help text shown while the mouse rests on the control (a tooltip on
  // Win32); empty shows nothing. Line breaks ("\n") start new lines.
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& s);

  bool Focused() const;
  bool CanFocus() const;
  void SetFocus();

  // Fired when the keyboard focus leaves / enters the control.
  TNotifyEvent OnExit;
  TNotifyEvent OnEnter;
  virtual void DoExit();
  virtual void DoEnter();

  // Called by the widgetset with a typed character before it is inserted;
  // returns the (possibly changed) character, 0 to discard.
  virtual char KeyPress(char key);
  TKeyPressEvent OnKeyPress;

  // The widgetset reports a change of the native window's text.
  virtual void NativeTextChanged(const std::string& s);

  // The default handler hands the message to the native window's handling.
  void WndProc(TMessage& msg) override;

 protected:
  friend class TControl;
  void InsertControl(TControl* c);
  void RemoveControl(TControl* c);
  void Changed(Prop p) override;

 private:
  std::vector<TControl*> controls_;
  int tab_order_ = -1;
  std::string hint_;
  std::unique_ptr<WidgetHandle> handle_;
};

class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner) : TControl(owner) {}
  const char* ClassName() const override { return "TGraphicControl"; }
  // Paints the control with its top-left corner at the canvas origin. The
  // parent calls this when it paints, and the skin engine may call it on
  // any canvas (a device context on Win32).
  virtual void Paint(TCanvas& canvas) = 0;
  void Invalidate() override;
};

}  // namespace fw
