// The status bar with its lamps, the status text, and the creation handler
// in a program that carries no skin.
#include "framework/forms.h"
#include "skin/skin_data.h"
#include "window_fixture.h"

namespace {

TEST_F(WindowTest, StatusBarHasSixPanelsAndSitsAtTheBottom) {
  TMYStatusBar* bar = w->MYSbar;
  EXPECT_STREQ(bar->ClassName(), "TMYStatusBar");
  EXPECT_TRUE(bar->AcceptsControls);
  EXPECT_FALSE(bar->SizeGrip);
  EXPECT_EQ(bar->Parent(), w.get());
  EXPECT_EQ(bar->BoundsRect(), (fw::TRect{0, 511 - 25, 925, 511}));
  const std::pair<int, const char*> panels[] = {{120, "Serial Port Status"}, {25, ""}, {95, "Communications"},
                                                {25, ""},  {80, "Information"},       {50, ""}};
  ASSERT_EQ(bar->Panels().size(), 6u);
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(bar->Panels()[i].Width, panels[i].first) << i;
    EXPECT_EQ(bar->Panels()[i].Text, panels[i].second) << i;
  }
}

TEST_F(WindowTest, LampsAreRedCirclesOnTheStatusBar) {
  struct { fw::TShape* s; fw::TRect r; } lamps[] = {{w->s_com, {125, 6, 140, 21}}, {w->s_status, {246, 7, 261, 22}}};
  for (auto& l : lamps) {
    SCOPED_TRACE(l.s->Name());
    EXPECT_EQ(l.s->Parent(), w->MYSbar);
    EXPECT_EQ(l.s->BoundsRect(), l.r);
    EXPECT_EQ(l.s->Shape(), fw::TShapeType::stCircle);
    EXPECT_EQ(l.s->Brush().Color, 0x0000FFu);
    EXPECT_EQ(l.s->Pen().Color, fw::clBlack);
    EXPECT_EQ(l.s->Pen().Width, 1);
  }
  // Each lamp stands inside the panel it belongs to (panels 1 and 3).
  EXPECT_GE(w->s_com->Left(), 120);
  EXPECT_LE(w->s_com->BoundsRect().Right, 145);
  EXPECT_GE(w->s_status->Left(), 240);
  EXPECT_LE(w->s_status->BoundsRect().Right, 265);
}

TEST_F(WindowTest, ToggleSwitchesRedAndHalfGreenAndMendsOtherColours) {
  Tfrm_mset::ToggleLamp(w->s_status);
  EXPECT_EQ(w->s_status->Brush().Color, 0x008000u);
  Tfrm_mset::ToggleLamp(w->s_status);
  EXPECT_EQ(w->s_status->Brush().Color, 0x0000FFu);
  w->s_status->SetBrushColor(0x00FF00);  // bright green is not a lamp colour
  Tfrm_mset::ToggleLamp(w->s_status);
  EXPECT_EQ(w->s_status->Brush().Color, 0x0000FFu);
  Tfrm_mset::SetLamp(w->s_com, Tfrm_mset::LampGreen);
  EXPECT_EQ(w->s_com->Brush().Color, 0x008000u);
  Tfrm_mset::ToggleLamp(nullptr);  // harmless
}

TEST_F(WindowTest, ShowStatusChangesOnlyTheLastPanel) {
  const auto before = w->MYSbar->Panels();
  w->ShowStatus("Connecting device....");
  auto after = w->MYSbar->Panels();
  EXPECT_EQ(after[5].Text, "Connecting device....");
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(after[i].Text, before[i].Text);
  EXPECT_EQ(w->s_com->Brush().Color, Tfrm_mset::LampRed);
  w->ShowStatus("");
  EXPECT_EQ(w->MYSbar->Panels()[5].Text, "");
}

TEST_F(WindowTest, CreationWithoutSkinResourceRunsUnskinnedAndQuietly) {
  w->DoCreate();  // what Application.CreateForm runs
  EXPECT_FALSE(w->SkinData1->Active());
  EXPECT_EQ(w->MYSbar->Panels()[5].Text, "");
}

}  // namespace
