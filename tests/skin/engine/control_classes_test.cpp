// Which control gets which skin: framework classes in their order, the tag
// that disables skinning (and takes a radio group's buttons with it), the
// application's own choice, the class map, the control filter, and the
// table for the child windows of system dialogs.
#include <gtest/gtest.h>

#include <map>

#include "framework/extctrls.h"
#include "framework/forms.h"
#include "framework/stdctrls.h"
#include "skin/engine/control_classes.h"
#include "skin/skin_data.h"

namespace {

using skin::SkinKind;

struct Recorder final : skin::IControlSkinner {
  std::map<fw::TControl*, SkinKind> attached;
  std::map<fw::TControl*, bool> form_colour;
  std::vector<fw::TControl*> order;
  bool HasControlSkin(fw::TControl& c) override { return attached.count(&c) != 0; }
  bool EnsureHandle(fw::TWinControl&) override { return true; }
  bool HasBorder(fw::TWinControl& c) override { return c.Name() != "borderless"; }
  void Attach(fw::TControl& c, SkinKind k, bool fc) override {
    attached[&c] = k;
    form_colour[&c] = fc;
    order.push_back(&c);
  }
  void AttachCustom(fw::TControl& c, fw::TComponent&) override { Attach(c, SkinKind::None, false); }
  SkinKind KindOf(fw::TControl* c) const {
    auto it = attached.find(c);
    return it == attached.end() ? SkinKind::None : it->second;
  }
};

// A control of another library, known only by its class name.
class Foreign : public fw::TWinControl {
 public:
  Foreign(fw::TComponent* owner, const char* cls) : fw::TWinControl(owner), cls_(cls) {}
  const char* ClassName() const override { return cls_; }

 private:
  const char* cls_;
};

class Classification : public ::testing::Test {
 protected:
  template <typename T, typename... A>
  T* Add(fw::TWinControl* parent, A&&... args) {
    T* c = new T(&form, std::forward<A>(args)...);
    c->SetParent(parent ? parent : &form);
    return c;
  }
  void Run() { skin::ClassifyFormControls(data, form, rec); }
  fw::TForm form{nullptr};
  TSkinData data{nullptr};
  Recorder rec;
};

TEST_F(Classification, FrameworkClassesGetTheirSkins) {
  auto* button = Add<fw::TButton>(nullptr);
  auto* check = Add<fw::TCheckBox>(nullptr);
  auto* edit = Add<fw::TEdit>(nullptr);
  auto* combo = Add<fw::TComboBox>(nullptr);
  auto* group = Add<fw::TGroupBox>(nullptr);
  auto* inside = Add<fw::TEdit>(group);
  auto* panel = Add<fw::TPanel>(nullptr);
  auto* bar = Add<fw::TStatusBar>(nullptr);
  auto* label = Add<fw::TLabel>(nullptr);
  Run();
  EXPECT_EQ(rec.KindOf(button), SkinKind::Button);
  EXPECT_EQ(rec.KindOf(check), SkinKind::CheckBox);
  EXPECT_EQ(rec.KindOf(edit), SkinKind::Edit);
  EXPECT_EQ(rec.KindOf(combo), SkinKind::Combo);
  EXPECT_EQ(rec.KindOf(group), SkinKind::GroupBox);
  EXPECT_TRUE(rec.form_colour[group]);
  EXPECT_EQ(rec.KindOf(panel), SkinKind::Box);
  EXPECT_TRUE(rec.form_colour[panel]);
  EXPECT_EQ(rec.KindOf(bar), SkinKind::StatusBar);
  EXPECT_EQ(rec.KindOf(label), SkinKind::None);
  // A group box's children are skinned before it.
  auto pos = [&](fw::TControl* c) { return std::find(rec.order.begin(), rec.order.end(), c) - rec.order.begin(); };
  EXPECT_LT(pos(inside), pos(group));
  EXPECT_EQ(rec.order.size(), 8u);  // each once
}

TEST_F(Classification, DisableTagAndFiltersLeaveControlsAlone) {
  auto* tagged = Add<fw::TButton>(nullptr);
  tagged->Tag = 99;
  auto* group = Add<Foreign>(nullptr, "TRadioGroup");
  auto* in_group = Add<fw::TCheckBox>(group);
  group->Tag = 99;
  data.SkinControls.Exclude(xcEdit);
  auto* edit = Add<fw::TEdit>(nullptr);
  Run();
  EXPECT_EQ(rec.KindOf(tagged), SkinKind::None);
  EXPECT_EQ(rec.KindOf(edit), SkinKind::None);
  EXPECT_EQ(in_group->Tag, 99);
  EXPECT_EQ(rec.KindOf(in_group), SkinKind::None);
}

TEST_F(Classification, TheApplicationsChoiceComesFirst) {
  auto* button = Add<fw::TButton>(nullptr);
  fw::TComponent own(nullptr);
  std::string seen;
  data.OnSkinControl = [&](fw::TComponent*, TSkinData*, fw::TControl*, fw::TControl*, const std::string& cls,
                           fw::TComponent*& result) {
    seen = cls;
    result = &own;
  };
  Run();
  EXPECT_EQ(seen, "TBUTTON");
  EXPECT_EQ(rec.attached.count(button), 1u);
  EXPECT_EQ(rec.KindOf(button), SkinKind::None);  // the application's own skin
}

TEST_F(Classification, TheClassMapNamesOtherLibrariesControls) {
  auto* lmd_edit = Add<Foreign>(nullptr, "TLMDEdit");
  auto* borderless = Add<Foreign>(nullptr, "TLMDEdit");
  borderless->SetName("borderless");
  auto* combo = Add<Foreign>(nullptr, "TcxDBComboBox");
  auto* radio = Add<Foreign>(nullptr, "TcxRadioGroup");
  auto* in_radio = Add<fw::TCheckBox>(radio);
  auto* unknown = Add<Foreign>(nullptr, "TSomethingElse");
  data.Skin3rd.push_back("TMapped=nil");
  auto* nil = Add<Foreign>(nullptr, "TMapped");
  Run();
  EXPECT_EQ(rec.KindOf(lmd_edit), SkinKind::Edit);
  EXPECT_EQ(rec.attached.count(borderless), 0u);
  EXPECT_EQ(rec.KindOf(combo), SkinKind::Combo);
  EXPECT_EQ(rec.KindOf(radio), SkinKind::GroupBox);
  EXPECT_EQ(rec.KindOf(in_radio), SkinKind::RadioButton);  // mapped parents decide for their buttons
  EXPECT_EQ(rec.attached.count(unknown), 0u);
  EXPECT_EQ(rec.attached.count(nil), 0u);
  EXPECT_EQ(skin::MappedKind(data.Skin3rd, "tcomboboxex"), "combobox");
  EXPECT_EQ(skin::MappedKind(data.Skin3rd, "TCombo"), "");
}

TEST(ForeignClassification, WindowClassAndStyle) {
  struct Case {
    const char* cls;
    uint32_t style;
    SkinKind kind;
  } cases[] = {
      {"button", 0x0, SkinKind::Button},        {"button", 0x1, SkinKind::Button},
      {"button", 0x3, SkinKind::CheckBox},      {"button", 0x5, SkinKind::CheckBox},
      {"button", 0x6, SkinKind::CheckBox},      {"button", 0x9, SkinKind::RadioButton},
      {"button", 0x4, SkinKind::RadioButton},   {"button", 0x7, SkinKind::None},
      {"button", 0xB, SkinKind::None},          {"button", 0x83, SkinKind::None},
      // Buttons showing a bitmap or an icon, push and default push alike.
      {"button", 0x80, SkinKind::None},         {"button", 0x40, SkinKind::None},
      {"button", 0x81, SkinKind::None},         {"button", 0x49, SkinKind::None},
      {"combobox", 0x2, SkinKind::Combo},       {"combobox", 0x1, SkinKind::None},
      {"comboboxex32", 0, SkinKind::Combo},     {"scrollbar", 0x10, SkinKind::SizeGrip},
      {"scrollbar", 0x10010, SkinKind::None},   {"#32770", 0, SkinKind::NestedDialog},
      {"systreeview32", 0, SkinKind::None},     {"edit", 0, SkinKind::Edit},
      {"systabcontrol32", 0, SkinKind::Tab},    {"systabcontrol32", 0x2000, SkinKind::None},
      {"tpanel", 0, SkinKind::FormColourOnly},  {"static", 0, SkinKind::None},
  };
  for (const Case& c : cases) EXPECT_EQ(skin::ClassifyForeign(c.cls, c.style), c.kind) << c.cls << std::hex << c.style;
}

}  // namespace

#include "skin/engine/property_access.h"

namespace {

TEST(PropertyAccess, MissingPropertiesReadEmptyAndAreNotWritten) {
  fw::TForm form(nullptr);
  auto* check = new fw::TCheckBox(&form);
  check->SetParent(&form);
  check->SetCaption("Armed");
  check->SetChecked(true);
  EXPECT_EQ(skin::props::ReadOrdinal(*check, "Checked"), 1);
  EXPECT_EQ(skin::props::ReadEnumName(*check, "State"), "cbChecked");
  EXPECT_EQ(skin::props::ReadText(*check, "Caption"), L"Armed");
  EXPECT_TRUE(skin::props::ReadFont(*check).has_value());
  EXPECT_EQ(skin::props::ReadOrdinal(*check, "Caption"), -1);  // not a number

  EXPECT_EQ(skin::props::ReadOrdinal(*check, "DataField"), -1);
  EXPECT_EQ(skin::props::ReadEnumName(*check, "ParentBackground"), "");
  EXPECT_EQ(skin::props::ReadText(*check, "simpletext"), L"");
  EXPECT_FALSE(skin::props::ReadFont(*check, "TitleFont").has_value());
  EXPECT_FALSE(skin::props::WriteText(*check, "Transparent", "True"));
  EXPECT_TRUE(skin::props::WriteText(*check, "Checked", "False"));
  EXPECT_FALSE(check->Checked());
}

}  // namespace
