// Published properties read and written by name as text.
#include <gtest/gtest.h>

#include "framework/extctrls.h"
#include "framework/stdctrls.h"
#include "support/form_fixture.h"

using namespace fw;

namespace {

class PropertiesTest : public fwtest::FormTest {};

TEST_F(PropertiesTest, CommonPropertiesRoundTrip) {
  auto* e = Add<TEdit>();
  Show();
  std::string v;
  EXPECT_TRUE(e->SetPropertyText("caption", "hello"));
  EXPECT_EQ(e->Text(), "hello");
  EXPECT_TRUE(e->SetPropertyText("Left", "17"));
  EXPECT_TRUE(e->GetPropertyText("LEFT", v));
  EXPECT_EQ(v, "17");
  EXPECT_TRUE(e->SetPropertyText("Visible", "False"));
  EXPECT_FALSE(e->Visible());
  EXPECT_TRUE(e->SetPropertyText("Color", "clRed"));
  EXPECT_EQ(e->Color(), clRed);
  EXPECT_TRUE(e->SetPropertyText("Color", "$00123456"));
  EXPECT_TRUE(e->GetPropertyText("Color", v));
  EXPECT_EQ(v, "$00123456");
  EXPECT_TRUE(e->SetPropertyText("Font", "Arial,-15,clRed,1"));
  EXPECT_EQ(e->Font().Name, "Arial");
  EXPECT_EQ(e->Font().Height, -15);
  EXPECT_EQ(e->Font().Color, clRed);
  EXPECT_EQ(e->Font().Style, unsigned(fsBold));
}

TEST_F(PropertiesTest, BadValuesAndUnknownNamesChangeNothing) {
  auto* e = Add<TEdit>();
  e->SetBounds(5, 6, 70, 21);
  std::string v = "unchanged";
  EXPECT_FALSE(e->GetPropertyText("NoSuchProperty", v));
  EXPECT_EQ(v, "unchanged");
  EXPECT_FALSE(e->SetPropertyText("NoSuchProperty", "1"));
  EXPECT_FALSE(e->SetPropertyText("Left", "12abc"));
  EXPECT_FALSE(e->SetPropertyText("Visible", "maybe"));
  EXPECT_FALSE(e->SetPropertyText("Color", "clNoSuchColour"));
  EXPECT_FALSE(e->SetPropertyText("Font", "A,1,2,3,4"));
  EXPECT_EQ(e->Left(), 5);
  EXPECT_TRUE(e->Visible());
  EXPECT_EQ(e->Font(), TFont{});
}

TEST_F(PropertiesTest, ControlSpecificProperties) {
  auto* c = Add<TCheckBox>();
  auto* cb = Add<TComboBox>();
  auto* s = new TShape(form);
  s->SetParent(form);
  cb->SetItems({"a", "b"});
  Show();
  std::string v;
  EXPECT_TRUE(c->SetPropertyText("Checked", "True"));
  EXPECT_TRUE(c->Checked());
  EXPECT_TRUE(c->SetPropertyText("State", "cbGrayed"));
  EXPECT_TRUE(c->GetPropertyText("State", v));
  EXPECT_EQ(v, "cbGrayed");
  EXPECT_FALSE(c->Checked());
  EXPECT_FALSE(c->SetPropertyText("State", "cbSometimes"));
  EXPECT_TRUE(cb->SetPropertyText("ItemIndex", "1"));
  EXPECT_EQ(cb->Text(), "b");
  EXPECT_TRUE(s->SetPropertyText("Brush.Color", "$00008000"));
  EXPECT_EQ(s->Brush().Color, 0x008000u);
  EXPECT_TRUE(s->GetPropertyText("Brush.Color", v));
  EXPECT_EQ(v, "clGreen");
}

}  // namespace
