// A fake window system for the skin manager's tests: windows are records
// the test sets up, messages are recorded, and frames are fakes that record
// what the manager asks of them.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "framework/forms.h"
#include "skin/engine/skin_frame.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"

namespace skintest {

struct FakeWindow {
  std::string cls = "TForm";
  uint32_t style = skin::sys::kCaption | skin::sys::kSysMenu;
  uint32_t ex_style = 0;
  skin::Wnd parent = nullptr;
  bool this_module = true;
  fw::TRect rect{0, 0, 400, 300};
  fw::TControl* control = nullptr;
  fw::TForm* form = nullptr;
  bool skinned_elsewhere = false;  // answers the skinned query with 1
  bool popup_skin = false;         // a popup skin's procedure is on it
};

struct Message {
  skin::Wnd w;
  unsigned msg;
  uintptr_t wp;
  intptr_t lp;
};

class FakeWindows;

class FakeFrame final : public skin::TSkinFrame {
 public:
  FakeFrame(FakeWindows& ws, fw::TForm* owner, skin::TSkinManage& m, skin::Wnd w, const std::string& cls,
            TSkinData* data)
      : skin::TSkinFrame(owner, m, w, cls, data), ws_(ws) {}
  ~FakeFrame() override;
  void Restore() override;
  void FreeButtonImages() override { calls.push_back("FreeButtonImages"); }
  void RefreshMetrics() override { calls.push_back("RefreshMetrics"); }
  void RefreshColours() override { calls.push_back("RefreshColours"); }
  void Enter() { guard_ = std::make_unique<Busy>(*this); }
  void Leave() { guard_.reset(); }
  std::vector<std::string> calls;

 private:
  FakeWindows& ws_;
  std::unique_ptr<Busy> guard_;
};

class FakeWindows final : public skin::IWindowSystem {
 public:
  std::map<skin::Wnd, FakeWindow> windows;
  std::vector<Message> sent, posted;
  std::vector<skin::Wnd> repainted;
  std::vector<FakeFrame*> frames;   // live fake frames
  std::vector<std::string>* log = nullptr;  // shared journal of frame events
  int frames_made = 0;
  int popups_freed = 0;

  skin::Wnd Add(int id, FakeWindow w = {}) {
    auto h = reinterpret_cast<skin::Wnd>(uintptr_t(id));
    windows[h] = w;
    return h;
  }
  FakeFrame* FrameOf(skin::Wnd w) {
    for (FakeFrame* f : frames)
      if (f->Window() == w) return f;
    return nullptr;
  }

  bool InstallHook(skin::TSkinManage&) override { return true; }
  void RemoveHook() override {}
  uint32_t Version() override { return 0x1DB10106; }
  bool IsWindow(skin::Wnd w) override { return windows.count(w) != 0; }
  std::string ClassName(skin::Wnd w) override { return IsWindow(w) ? windows[w].cls : ""; }
  uint32_t Style(skin::Wnd w) override { return IsWindow(w) ? windows[w].style : 0; }
  uint32_t ExStyle(skin::Wnd w) override { return IsWindow(w) ? windows[w].ex_style : 0; }
  skin::Wnd Parent(skin::Wnd w) override { return IsWindow(w) ? windows[w].parent : nullptr; }
  bool FromThisModule(skin::Wnd w) override { return IsWindow(w) && windows[w].this_module; }
  fw::TRect WindowRect(skin::Wnd w) override { return IsWindow(w) ? windows[w].rect : fw::TRect{}; }
  fw::TControl* ControlOf(skin::Wnd w) override { return IsWindow(w) ? windows[w].control : nullptr; }
  fw::TForm* FormOf(skin::Wnd w) override { return IsWindow(w) ? windows[w].form : nullptr; }
  skin::Wnd FormWindow(fw::TForm* f) override {
    for (auto& [h, w] : windows)
      if (w.form == f) return h;
    return nullptr;
  }
  intptr_t Send(skin::Wnd w, unsigned m, uintptr_t wp, intptr_t lp) override {
    sent.push_back({w, m, wp, lp});
    if (m == skin::msg::kQuerySkinned && IsWindow(w))
      return windows[w].skinned_elsewhere || windows[w].popup_skin || FrameOf(w) ? 1 : 0;
    return 0;
  }
  bool Post(skin::Wnd w, unsigned m, uintptr_t wp, intptr_t lp) override {
    posted.push_back({w, m, wp, lp});
    return true;
  }
  void InvalidateAndUpdate(skin::Wnd w) override { repainted.push_back(w); }
  void RecomputeFrame(skin::Wnd) override {}
  skin::TSkinFrame* CreateFrame(skin::TSkinManage& m, skin::Wnd w, const std::string& cls, TSkinData* data,
                                fw::TForm* owner) override {
    ++frames_made;
    auto* f = new FakeFrame(*this, owner, m, w, cls, data);
    frames.push_back(f);
    return f;
  }
  std::unique_ptr<skin::TPopupSkin> CreatePopupSkin(skin::TSkinManage&, skin::Wnd w, TSkinData* data) override;
};

class FakePopup final : public skin::TPopupSkin {
 public:
  FakePopup(FakeWindows& ws, skin::Wnd w, TSkinData* data) : skin::TPopupSkin(w, data), ws_(ws) {
    ws_.windows[w].popup_skin = true;
  }
  ~FakePopup() override { ++ws_.popups_freed; }
  // Gives the window its procedure back: it stops answering the query.
  void Detach() override {
    if (ws_.IsWindow(Window())) ws_.windows[Window()].popup_skin = false;
  }

 private:
  FakeWindows& ws_;
};

inline std::unique_ptr<skin::TPopupSkin> FakeWindows::CreatePopupSkin(skin::TSkinManage&, skin::Wnd w,
                                                                       TSkinData* data) {
  return std::make_unique<FakePopup>(*this, w, data);
}

inline FakeFrame::~FakeFrame() {
  guard_.reset();
  std::erase(ws_.frames, this);
  if (ws_.log) ws_.log->push_back("freed");
}

inline void FakeFrame::Restore() {
  calls.push_back("Restore");
  if (ws_.log) ws_.log->push_back("restored");
}

}  // namespace skintest
