#include "skin/engine/control_classes.h"

#include <algorithm>

#include "framework/extctrls.h"
#include "framework/forms.h"
#include "framework/stdctrls.h"
#include "skin/engine/skin_messages.h"
#include "skin/skin_data.h"
#include "text/ascii.h"

namespace skin {

namespace {

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return s;
}

bool Has(const TSkinData& d, TSkinControlType t) { return d.SkinControls.Contains(t); }

std::string Property(const fw::TControl& c, const char* name) {
  std::string v;
  return c.GetPropertyText(name, v) ? v : std::string();
}

// The children of a windowed control, each classified.
void ClassifyChildren(TSkinData& d, fw::TForm& form, fw::TControl& c, IControlSkinner& s) {
  auto* w = dynamic_cast<fw::TWinControl*>(&c);
  if (!w) return;
  for (fw::TControl* child : std::vector<fw::TControl*>(w->Controls())) ClassifyControl(d, form, *child, s);
}

// Attaches a kind to every windowed child of c.
void AttachToChildren(fw::TControl& c, SkinKind kind, IControlSkinner& s) {
  auto* w = dynamic_cast<fw::TWinControl*>(&c);
  if (!w) return;
  for (fw::TControl* child : std::vector<fw::TControl*>(w->Controls()))
    if (auto* wc = dynamic_cast<fw::TWinControl*>(child); wc && !s.HasControlSkin(*wc) && s.EnsureHandle(*wc))
      s.Attach(*wc, kind, false);
}

// The class map's kinds. True when the map named the class (whatever it
// then does): a mapped class is never classified further.
bool ApplyMappedKind(TSkinData& d, fw::TForm& form, fw::TControl& c, IControlSkinner& s) {
  const std::string class_name = c.ClassName();
  const std::string kind = MappedKind(d.Skin3rd, class_name);
  if (kind.empty()) return false;
  auto* w = dynamic_cast<fw::TWinControl*>(&c);
  auto attach = [&](TSkinControlType flag, SkinKind k, bool form_colour = false) {
    if (Has(d, flag)) s.Attach(c, k, form_colour);
  };
  if (kind == "nil") return true;
  if (kind == "combobox") attach(xcCombo, SkinKind::Combo);
  else if (kind == "edit") {
    if (Has(d, xcEdit) && w && s.HasBorder(*w)) s.Attach(c, SkinKind::Edit, false);
  } else if (kind == "radiobutton") attach(xcRadioButton, SkinKind::RadioButton);
  else if (kind == "panel") {
    if (Has(d, xcPanel)) {
      c.SetPropertyText("Transparent", "True");
      s.Attach(c, SkinKind::Box, true);
    }
  } else if (kind == "trackbar") {
    if (Has(d, xcButton)) {
      c.SetPropertyText("Transparent", "True");
      s.Attach(c, SkinKind::TrackBar, false);
    }
  } else if (kind == "button") attach(xcButton, SkinKind::Button);
  else if (kind == "datetimepicker") attach(xcCombo, SkinKind::DateTime);
  else if (kind == "mediaplayer") attach(xcButton, SkinKind::MediaPlayer);
  else if (kind == "bitbtn") {
    const bool drop_down = MappedKind(d.Skin3rd, "tcxbutton") == kind && text::Lower(class_name) == "tcxbutton" &&
                           text::Lower(Property(c, "Kind")) == "cxbkdropdownbutton";
    attach(xcButton, drop_down ? SkinKind::MenuButton : SkinKind::BitButton);
  } else if (kind == "pngbitbtn") attach(xcButton, SkinKind::PngBitButton);
  else if (kind == "menubtn") attach(xcButton, SkinKind::MenuButton);
  else if (kind == "speedbutton") attach(xcSpeedButton, SkinKind::SpeedButton);
  else if (kind == "tab") {
    if (Has(d, xcTab) && d.Tabs()) s.Attach(c, SkinKind::Tab, false);
  } else if (kind == "progress") attach(xcProgress, SkinKind::Progress);
  else if (kind == "scrollbar") {
    if (Has(d, xcScrollbar)) {
      s.Attach(c, SkinKind::ScrollBar, false);
      ClassifyChildren(d, form, c, s);
    }
  } else if (kind == "singlescrollbar") attach(xcScrollbar, SkinKind::SingleScrollBar);
  else if (kind == "embedscrollbar") {
    if (Has(d, xcScrollbar)) AttachToChildren(c, SkinKind::EmbedScrollBar, s);
  } else if (kind == "container") ClassifyChildren(d, form, c, s);
  else if (kind == "groupbox") attach(xcGroupBox, SkinKind::GroupBox, true);
  else if (kind == "advpagecontrol") attach(xcTab, SkinKind::AdvPage);
  else if (kind == "radiogroup") {
    if (Has(d, xcGroupBox)) {
      const bool image = Upper(class_name).find("TRZ") != std::string::npos;
      AttachToChildren(c, image ? SkinKind::ObjImage2 : SkinKind::RadioButton, s);
      s.Attach(c, SkinKind::GroupBox, true);
    }
  } else if (kind == "checkgroup") {
    if (Has(d, xcPanel)) {
      const bool image = Upper(class_name).find("TRZ") != std::string::npos;
      AttachToChildren(c, image ? SkinKind::ObjImage1 : SkinKind::CheckBox, s);
      s.Attach(c, SkinKind::GroupBox, true);
    }
  } else if (kind == "checkbox") attach(xcCheckBox, SkinKind::CheckBox);
  return true;
}

// The framework's own classes, in the order they are tested.
void ApplyFrameworkClass(TSkinData& d, fw::TForm& form, fw::TControl& c, IControlSkinner& s) {
  const std::string up = Upper(c.ClassName());
  auto is = [&](std::initializer_list<const char*> names) {
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return up == n; });
  };
  if (dynamic_cast<fw::TCheckBox*>(&c)) {
    if (Has(d, xcCheckBox)) s.Attach(c, SkinKind::CheckBox, false);
  } else if (is({"TUPDOWN", "TSPINBUTTON"})) {
    if (Has(d, xcSpin)) s.Attach(c, SkinKind::UpDown, false);
  } else if (is({"TMEDIAPLAYER"})) {
    if (Has(d, xcButton)) s.Attach(c, SkinKind::MediaPlayer, false);
  } else if (is({"TDBNAVIGATOR"})) {
    if (Has(d, xcPanel)) {
      s.Attach(c, SkinKind::Box, true);
      ClassifyChildren(d, form, c, s);
    }
  } else if (is({"TRZDBCHECKBOX", "TRZCHECKBOX"})) {
    if (Has(d, xcCheckBox)) s.Attach(c, SkinKind::ObjImage1, false);
  } else if (is({"TRZRADIOBUTTON", "TRZDBRADIOBUTTON"})) {
    if (Has(d, xcRadioButton)) s.Attach(c, SkinKind::ObjImage2, false);
  } else if (is({"TCXDBCHECKBOX", "TCXCHECKBOX"})) {
    if (Has(d, xcCheckBox)) s.Attach(c, SkinKind::ObjImage3, false);
  } else if (dynamic_cast<fw::TGroupBox*>(&c)) {
    if (Has(d, xcPanel)) {
      ClassifyChildren(d, form, c, s);
      s.Attach(c, SkinKind::GroupBox, true);
    }
  } else if (dynamic_cast<fw::TStatusBar*>(&c)) {
    if (Has(d, xcStatusBar)) s.Attach(c, SkinKind::StatusBar, false);
  } else if (is({"TTNTCOMBOBOX"}) || dynamic_cast<fw::TComboBox*>(&c)) {
    if (Has(d, xcCombo)) s.Attach(c, SkinKind::Combo, false);
  } else if (is({"TRICHEDIT", "TWWDBRICHEDIT", "TDXDBMEMO"})) {
    if (Has(d, xcScrollbar)) s.Attach(c, SkinKind::ScrollBar, false);
  } else if (dynamic_cast<fw::TPanel*>(&c)) {
    if (Has(d, xcPanel)) {
      ClassifyChildren(d, form, c, s);
      s.Attach(c, SkinKind::Box, true);
    }
  } else if (is({"TDXTREELIST", "TDXDBTREELIST", "TDXDBGRID"})) {
    if (Has(d, xcScrollbar)) s.Attach(c, SkinKind::ScrollBar, false);
  } else if (dynamic_cast<fw::TButton*>(&c)) {
    if (Has(d, xcButton)) s.Attach(c, SkinKind::Button, false);
  } else if (dynamic_cast<fw::TEdit*>(&c)) {
    if (Has(d, xcEdit)) s.Attach(c, SkinKind::Edit, false);
  } else if (auto* embedded = dynamic_cast<fw::TForm*>(&c)) {
    s.Attach(c, SkinKind::Box, true);
    for (fw::TComponent* comp : std::vector<fw::TComponent*>(embedded->Components()))
      if (auto* ctl = dynamic_cast<fw::TControl*>(comp)) ClassifyControl(d, form, *ctl, s);
  } else {
    const std::string buttons = Property(c, "NumButtons");
    if (buttons == "1") {
      if (Has(d, xcCombo)) s.Attach(c, SkinKind::Combo, false);
    } else if (buttons == "0") {
      if (Has(d, xcEdit)) s.Attach(c, SkinKind::EditByHandle, false);
    }
  }
}

}  // namespace

std::string MappedKind(const std::vector<std::string>& class_map, const std::string& class_name) {
  const std::string key = text::Lower(class_name) + "=";
  for (const std::string& line : class_map) {
    const std::string l = text::Lower(line);
    if (l.rfind(key, 0) == 0) return l.substr(key.size(), 50);
  }
  return {};
}

void ClassifyControl(TSkinData& d, fw::TForm& form, fw::TControl& c, IControlSkinner& s) {
  const std::string lower = text::Lower(c.ClassName());
  if (c.Tag == d.DisableTag) {
    // A radio or check group off the skin takes its buttons with it.
    if (lower.find("radiogroup") != std::string::npos || lower.find("checkgroup") != std::string::npos)
      if (auto* w = dynamic_cast<fw::TWinControl*>(&c))
        for (fw::TControl* child : w->Controls()) child->Tag = d.DisableTag;
    return;
  }
  if (!c.Parent() || s.HasControlSkin(c)) return;
  if (auto* w = dynamic_cast<fw::TWinControl*>(&c); w && !w->HandleAllocated() && !s.EnsureHandle(*w)) return;
  if (d.OnSkinControl) {
    fw::TComponent* made = nullptr;
    d.OnSkinControl(&d, &d, &form, &c, Upper(c.ClassName()), made);
    if (made) {
      s.AttachCustom(c, *made);
      if (dynamic_cast<fw::TPanel*>(&c)) ClassifyChildren(d, form, c, s);
      return;
    }
  }
  if (ApplyMappedKind(d, form, c, s)) return;
  const std::string up = Upper(c.ClassName());
  if (up == "TDBCOMBOBOXEH" || up == "TFRDESIGNERPAGE" || up == "TFRPBOX") return;
  ApplyFrameworkClass(d, form, c, s);
}

void ClassifyFormControls(TSkinData& d, fw::TForm& form, IControlSkinner& s) {
  for (fw::TComponent* comp : std::vector<fw::TComponent*>(form.Components()))
    if (auto* c = dynamic_cast<fw::TControl*>(comp)) ClassifyControl(d, form, *c, s);
  for (fw::TWinControl* c : form.GetTabOrderList())
    if (c->HandleAllocated() && c->Tag != d.DisableTag && !s.HasControlSkin(*c)) ClassifyControl(d, form, *c, s);
}

SkinKind ClassifyForeign(const std::string& cls, uint32_t style) {
  if (cls == "button") {
    // A button that shows a bitmap or an icon instead of its caption keeps
    // the system's drawing: the skin's painters draw text only.
    constexpr uint32_t kImageStyles = 0x80 /* BS_BITMAP */ | 0x40 /* BS_ICON */;
    if (style & kImageStyles) return SkinKind::None;
    switch (style & 0xF) {
      case 0x0:  // push
      case 0x1:  // default push
      case 0x8:  // user
      case 0xA:  // push box
        return SkinKind::Button;
      case 0x2:
      case 0x3:
      case 0x5:
      case 0x6: return SkinKind::CheckBox;
      case 0x4:
      case 0x9: return SkinKind::RadioButton;
      default: return SkinKind::None;  // group boxes, owner-drawn, split buttons and command links
    }
  }
  if (cls == "combobox") return (style & 0x3) == 0x1 ? SkinKind::None : SkinKind::Combo;
  if (cls == "comboboxex32") return SkinKind::Combo;
  if (cls == "scrollbar") return (style & sys::kTabStop) ? SkinKind::None : SkinKind::SizeGrip;
  if (cls == "#32770") return (style & sys::kTabStop) ? SkinKind::None : SkinKind::NestedDialog;
  if (cls == "tpanel" || cls == "ttntpanel.unicodeclass" || cls == "ttntsilentpaintpanel.unicodeclass" ||
      cls == "tsilentpaintpanel")
    return SkinKind::FormColourOnly;
  if (cls == "tcheckbox") return SkinKind::CheckBox;
  if (cls == "tcombobox") return SkinKind::Combo;
  if (cls == "tbutton") return SkinKind::Button;
  if (cls == "tprogressbar") return SkinKind::Progress;
  if (cls == "systabcontrol32") return (style & 0x2000) ? SkinKind::None : SkinKind::Tab;
  if (cls == "edit") return SkinKind::Edit;
  return SkinKind::None;
}

bool ForeignHasSkinnedChildren(const std::string& cls, uint32_t style) {
  if (cls == "#32770") return !(style & sys::kTabStop);
  return cls == "tpanel" || cls == "ttntpanel.unicodeclass" || cls == "ttntsilentpaintpanel.unicodeclass";
}

}  // namespace skin
