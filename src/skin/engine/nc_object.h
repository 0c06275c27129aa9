// Elements of a skinned caption and menu bar (caption buttons, menu bar
// items): a rectangle, visibility and a state (1 normal, 2 pressed, 3 hot),
// with the mouse rules every element follows. The frame that holds them
// keeps the one hot element; an element repaints itself through Paint.
#pragma once

#include "framework/graphics.h"

class TDataSkinSysButton;

namespace skin {

class TNCObject;

// What an element needs of the frame that holds it.
class TNCHost {
 public:
  virtual ~TNCHost() = default;
  TNCObject* HotElement() const { return hot_; }
  void SetHotElement(TNCObject* e) { hot_ = e; }
  // The element goes: the frame must not remember it.
  void Forget(const TNCObject* e) {
    if (hot_ == e) hot_ = nullptr;
  }
  // Repaints one element in its current state.
  virtual void PaintElement(TNCObject& e) = 0;

 private:
  TNCObject* hot_ = nullptr;
};

enum ElementState : int { kElementNormal = 1, kElementPressed = 2, kElementHot = 3 };

class TNCObject {
 public:
  explicit TNCObject(TNCHost& host) : host_(host) {}
  virtual ~TNCObject() { host_.Forget(this); }
  TNCObject(const TNCObject&) = delete;
  TNCObject& operator=(const TNCObject&) = delete;

  fw::TRect Rect;  // window coordinates
  bool Visible = false;
  int State = kElementNormal;

  // Another hot element is told to leave; a visible element becomes the
  // hot one, pressed, and repaints.
  virtual void MouseDown();
  // A visible element turns hot and repaints.
  virtual void MouseUp();
  // Another hot element is told to leave; a visible element that is not yet
  // the hot one becomes it, hot, and repaints.
  virtual void MouseEnter();
  // A visible element stops being the hot one, turns normal, and repaints.
  virtual void MouseLeave();
  virtual void Paint() { host_.PaintElement(*this); }

  bool Contains(int x, int y) const {
    return Visible && x >= Rect.Left && x < Rect.Right && y >= Rect.Top && y < Rect.Bottom;
  }

 protected:
  TNCHost& host_;
};

// A caption button defined by the skin.
class TWinSysButton : public TNCObject {
 public:
  TWinSysButton(TNCHost& host, const TDataSkinSysButton& def) : TNCObject(host), def_(def) {}
  const TDataSkinSysButton& Definition() const { return def_; }

 private:
  const TDataSkinSysButton& def_;
};

}  // namespace skin
