// Classifying and skinning the controls of a frame's window.
#include "skin/engine/win32/frame_controls.h"

#include <string>

#include "framework/forms.h"
#include "skin/engine/control_classes.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/win32/control_skins.h"
#include "skin/skin_data.h"
#include "text/ascii.h"

namespace skin {

namespace {

// How long a child window may take to answer whether it is skinned already.
constexpr UINT kSkinnedQueryTimeoutMs = 1000;
// Room for the longest window class name and its terminator.
constexpr int kClassNameRoom = 101;

std::string LowerClassOf(HWND w) {
  char buf[kClassNameRoom] = {};
  GetClassNameA(w, buf, sizeof buf);
  return text::Lower(buf);
}

// A control skin of the kind, or nullptr for the kinds that keep the
// system's look (their painters are not part of this program).
TSkinControl* MakeSkin(SkinKind kind, fw::TComponent* owner) {
  switch (kind) {
    case SkinKind::Button: return new TSkinButton(owner);
    case SkinKind::CheckBox: return new TSkinCheckBox(owner, false);
    case SkinKind::RadioButton: return new TSkinCheckBox(owner, true);
    case SkinKind::Combo: return new TSkinComBox(owner);
    case SkinKind::Edit:
    case SkinKind::EditByHandle: return new TSkinEdit(owner);
    case SkinKind::GroupBox: return new TSkinGroupBox(owner);
    case SkinKind::StatusBar: return new TSkinStatusBar(owner);
    case SkinKind::Box:
    case SkinKind::FormColourOnly: return new TSkinBox(owner);
    case SkinKind::NestedDialog: return new TSkinBoxH(owner);
    case SkinKind::SizeGrip: return new TSkinSizer(owner);
    default: return nullptr;
  }
}

bool AnswersSkinned(HWND w) {
  DWORD_PTR r = 0;
  return w && SendMessageTimeoutA(w, msg::kQuerySkinned, 0, 0, SMTO_ABORTIFHUNG, kSkinnedQueryTimeoutMs, &r) && r == 1;
}

class FrameSkinner final : public IControlSkinner {
 public:
  FrameSkinner(TControlSkinList& list, TSkinData& data) : list_(list), data_(data) {}

  bool HasControlSkin(fw::TControl& c) override {
    for (TSkinControl* s : list_.Items())
      if (s->Control() == &c && !s->Dead()) return true;
    auto* w = dynamic_cast<fw::TWinControl*>(&c);
    return w && w->HandleAllocated() && AnswersSkinned(static_cast<HWND>(w->Handle()));
  }
  bool EnsureHandle(fw::TWinControl& c) override { return c.Handle() != nullptr; }
  bool HasBorder(fw::TWinControl& c) override {
    HWND w = static_cast<HWND>(c.Handle());
    RECT wr, cr;
    if (!w || !GetWindowRect(w, &wr) || !GetClientRect(w, &cr)) return false;
    return cr.right < wr.right - wr.left && cr.bottom < wr.bottom - wr.top;
  }
  void Attach(fw::TControl& c, SkinKind kind, bool use_form_colour) override {
    TSkinControl* s = MakeSkin(kind, &c);
    if (!s) return;
    try {
      s->Attach(list_, data_, use_form_colour || kind == SkinKind::Box, c);
    } catch (...) {
      delete s;
    }
  }
  void AttachCustom(fw::TControl& c, fw::TComponent& skin) override {
    if (auto* s = dynamic_cast<TSkinControl*>(&skin)) s->Attach(list_, data_, false, c);
  }

 private:
  TControlSkinList& list_;
  TSkinData& data_;
};

}  // namespace

TFrameControls::TFrameControls(fw::TComponent& owner, TSkinData& data) : owner_(owner), data_(data) {}

void TFrameControls::SkinFormControls(fw::TForm& form) {
  FrameSkinner skinner(list_, data_);
  ClassifyFormControls(data_, form, skinner);
}

void TFrameControls::SkinForeignChildren(HWND parent) {
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    const uint32_t style = uint32_t(GetWindowLongPtrA(c, GWL_STYLE));
    if (!(style & WS_CHILD) || list_.FindByWindow(c) || AnswersSkinned(c)) continue;
    const std::string cls = LowerClassOf(c);
    const SkinKind kind = ClassifyForeign(cls, style);
    if (ForeignHasSkinnedChildren(cls, style)) SkinForeignChildren(c);
    HWND target = c;
    if (cls == "comboboxex32") {
      // The drop-down inside the extended combo box is the one painted.
      target = GetWindow(c, GW_CHILD);
      if (!target || AnswersSkinned(target)) continue;
    }
    if (kind == SkinKind::FormColourOnly) {
      if (fw::TControl* ctl = fw::win32::FindControl(c)) {
        auto* box = new TSkinBox(ctl);
        box->Attach(list_, data_, true, *ctl);
      }
      continue;
    }
    TSkinControl* s = MakeSkin(kind, &owner_);
    if (!s) continue;
    try {
      s->AttachHandle(target, data_, list_);
    } catch (...) {
      delete s;
    }
  }
}

void TFrameControls::SkinSizeGrip(HWND grip) {
  if (!grip || list_.FindByWindow(grip)) return;
  TSkinControl* s = MakeSkin(SkinKind::SizeGrip, &owner_);
  s->AttachHandle(grip, data_, list_);
}

}  // namespace skin
