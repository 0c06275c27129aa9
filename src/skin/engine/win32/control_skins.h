// The control skins the configurator and its dialogs use: push buttons,
// check boxes and radio buttons, drop-downs, edits, group boxes, status
// bars, panels, size grips and the background of a dialog inside a
// dialog. Each paints from the skin's images through the portable painters
// and puts the finished picture on the screen in one blit.
#pragma once

#include "skin/engine/win32/control_skin.h"

namespace fw {
class TWinControl;
}

namespace skin {

// Paints the labels and shapes of a framework control into its picture,
// each at its place and cut to its bounds.
void PaintGraphicChildrenInto(fw::TWinControl* parent, fw::TBitmap& bmp);

class TSkinButton final : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  const char* ClassName() const override { return "TSkinButton"; }
  void Attach(TControlSkinKeeper& list, TSkinData& data, bool use_form_colour, fw::TControl& control) override;
  void AttachHandle(HWND w, TSkinData& data, TControlSkinKeeper& list) override;

 protected:
  bool BeforeMessage(fw::TMessage& m) override;
  void AfterMessage(fw::TMessage& m) override;
  void Draw(HDC dc, const RECT& r) override;

 private:
  void SetVariant();
  void ClickNow();
  // Hands a press the skin took to the framework control's MouseDown.
  void RaiseMouseDown(const fw::TMessage& m);
};

class TSkinCheckBox final : public TSkinControl {
 public:
  TSkinCheckBox(fw::TComponent* owner, bool radio) : TSkinControl(owner), radio_(radio) {}
  const char* ClassName() const override { return radio_ ? "TSkinRadioButton" : "TSkinCheckBox"; }

 protected:
  bool BeforeMessage(fw::TMessage& m) override;
  void AfterMessage(fw::TMessage& m) override;
  void Draw(HDC dc, const RECT& r) override;

 private:
  bool radio_;
  int last_check_ = 0;  // the last BM_SETCHECK value + 1
};

class TSkinComBox final : public TSkinControl {
 public:
  explicit TSkinComBox(fw::TComponent* owner);
  ~TSkinComBox() override;
  const char* ClassName() const override { return "TSkinComBox"; }
  void Attach(TControlSkinKeeper& list, TSkinData& data, bool use_form_colour, fw::TControl& control) override;
  void AttachHandle(HWND w, TSkinData& data, TControlSkinKeeper& list) override;

 protected:
  bool BeforeMessage(fw::TMessage& m) override;
  void AfterMessage(fw::TMessage& m) override;
  void Draw(HDC dc, const RECT& r) override;

 private:
  void HookEditPart();
  void UnhookEditPart();
  static LRESULT CALLBACK EditPartProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
  RECT ButtonRect() const;
  bool ButtonVisible() const;
  HWND edit_part_ = nullptr;
  TWindowSubclass edit_part_subclass_;
};

class TSkinEdit final : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  const char* ClassName() const override { return "TSkinEdit"; }

 protected:
  bool BeforeMessage(fw::TMessage& m) override;
  void AfterMessage(fw::TMessage& m) override;
  void Draw(HDC dc, const RECT& r) override;
};

class TSkinGroupBox final : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  const char* ClassName() const override { return "TSkinGroupBox"; }

 protected:
  bool BeforeMessage(fw::TMessage& m) override;
  void Draw(HDC dc, const RECT& r) override;
};

class TSkinStatusBar final : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  const char* ClassName() const override { return "TSkinStatusBar"; }

 protected:
  bool BeforeMessage(fw::TMessage& m) override;
  void AfterMessage(fw::TMessage& m) override;
  void Draw(HDC dc, const RECT& r) override;
};

// Panels, navigators and embedded forms: the form colour while skinned;
// the control paints itself as always (the skin only answers that it is
// skinned).
class TSkinBox final : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  const char* ClassName() const override { return "TSkinBox"; }
};

// A dialog inside a foreign dialog: its background in the form colour,
// its static texts and buttons on it.
class TSkinBoxH final : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  const char* ClassName() const override { return "TSkinBoxH"; }

 protected:
  bool BeforeMessage(fw::TMessage& m) override;
};

// The size grip of a foreign window.
class TSkinSizer final : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  const char* ClassName() const override { return "TSkinSizer"; }

 protected:
  bool BeforeMessage(fw::TMessage& m) override;
  void Draw(HDC dc, const RECT& r) override;
};

}  // namespace skin
