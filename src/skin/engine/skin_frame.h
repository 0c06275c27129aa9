// The frame skin object as the skin manager keeps it: one per skinned
// window, holding the window, its class, the skin data it paints with and
// its life state. The window layer of the flavour derives the real frame
// (it paints, hit-tests and runs the caption); tests derive fakes.
//
// A frame leaves the manager's list whenever it is freed, by whoever frees
// it (the manager, or the framework form that owns it), so the list never
// holds a freed object.
#pragma once

#include <memory>
#include <string>

#include "framework/component.h"
#include "skin/engine/frame_rules.h"
#include "skin/engine/window_system.h"

class TSkinData;

namespace skin {

class TSkinFrame;

// Whoever keeps the list of frames (the skin manager): told when a frame is
// freed.
class TFrameKeeper {
 public:
  virtual void Forget(TSkinFrame* frame) = 0;

 protected:
  ~TFrameKeeper() = default;
};

class TSkinFrame : public fw::TComponent {
 public:
  TSkinFrame(fw::TComponent* owner_form, TFrameKeeper& keeper, Wnd window, std::string class_name,
             TSkinData* data);
  ~TSkinFrame() override;
  const char* ClassName() const override { return "TWinSkinForm"; }

  Wnd Window() const { return window_; }
  const std::string& WindowClass() const { return class_name_; }
  TSkinData* SkinData() const { return data_; }

  int SkinState() const { return state_; }
  void SetSkinState(int s) { state_ = s; }
  bool Dead() const { return state_ == kFrameDead; }
  // While the frame's window procedure or timer runs, the frame must not be
  // freed under it: the manager leaves it for a later purge.
  bool InUse() const { return busy_ > 0; }

  // Gives the window its own look back (the window procedure, its controls,
  // its size, its menu), as if it had never been skinned.
  virtual void Restore() = 0;
  // Drops the caption button elements; RefreshMetrics rebuilds them.
  virtual void FreeButtonImages() = 0;
  // Border sizes and caption buttons from the skin data again.
  virtual void RefreshMetrics() = 0;
  // Colours, control skins, region and size from the skin data again.
  virtual void RefreshColours() = 0;
  virtual int MdiKind() const { return kMdiNone; }
  // The manager's MDI maximize state changed (MDI children only).
  virtual void MdiMaximizeChanged(bool maximized, bool keep_child_border) {
    (void)maximized;
    (void)keep_child_border;
  }
  // A size grip window was made inside this frame's window.
  virtual void SkinSizeGrip(Wnd grip) { (void)grip; }

 protected:
  // Marks the frame busy for a scope; harmless when the frame is freed
  // within the scope.
  class Busy {
   public:
    explicit Busy(TSkinFrame& f) : f_(f), alive_(f.alive_) { ++f_.busy_; }
    ~Busy() {
      if (*alive_) --f_.busy_;
    }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

   private:
    TSkinFrame& f_;
    std::shared_ptr<bool> alive_;
  };
  // A flag that outlives the frame: false once the frame is freed, so that
  // code running in a message pump can tell whether it may touch it.
  std::shared_ptr<bool> AliveToken() const { return alive_; }

 private:
  TFrameKeeper& keeper_;
  Wnd window_;
  std::string class_name_;
  TSkinData* data_;
  int state_ = kFrameCreated;
  int busy_ = 0;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// A popup-menu window's skin as the manager keeps it.
class TPopupSkin {
 public:
  TPopupSkin(Wnd window, TSkinData* data) : window_(window), data_(data) {}
  virtual ~TPopupSkin() = default;
  TPopupSkin(const TPopupSkin&) = delete;
  TPopupSkin& operator=(const TPopupSkin&) = delete;
  Wnd Window() const { return window_; }
  TSkinData* SkinData() const { return data_; }
  // Gives the menu window its procedure back.
  virtual void Detach() = 0;
  bool OpenedFromMenuBar = false;

 private:
  Wnd window_;
  TSkinData* data_;
};

}  // namespace skin
