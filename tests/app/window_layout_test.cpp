// The window's shape: title and frame, where each group, button and row
// stands, what is hidden, and the keyboard order.
#include <algorithm>

#include "window_fixture.h"

namespace {

using fw::TRect;

TRect Bounds(int l, int t, int w, int h) { return {l, t, l + w, t + h}; }

bool Overlap(const TRect& a, const TRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

TEST_F(WindowTest, WindowHasFixedFrameTitleAndClientSize) {
  EXPECT_EQ(w->Caption(), "GSM SMS Controller Alarm Configurator Ver1.50");
  EXPECT_EQ(w->Name(), "frm_mset");
  EXPECT_EQ(w->ClientWidth(), 925);
  EXPECT_EQ(w->ClientHeight(), 511);
  EXPECT_EQ(w->BorderStyle, fw::TFormBorderStyle::bsSingle);
  EXPECT_EQ(w->BorderIcons, unsigned(fw::biSystemMenu | fw::biMinimize));
  EXPECT_EQ(w->Position, fw::TPosition::poScreenCenter);
  EXPECT_EQ(w->Color(), fw::clBtnFace);
  EXPECT_EQ(w->Font().Name, "MS Sans Serif");
  EXPECT_EQ(w->Font().Height, -11);
  EXPECT_EQ(frm_mset, w.get());
}

TEST_F(WindowTest, HeaderAndGroupsStandWhereDesigned) {
  struct Row { fw::TWinControl* c; const char* caption; TRect r; } rows[] = {
      {w->Panel1, "Attention: Please switch on the unit after you press\"Save Settings\" button!", Bounds(3, 2, 439, 39)},
      {w->GroupBox1, "COM Settings", Bounds(445, 0, 118, 41)},
      {w->btn_down, "Save Settings", Bounds(567, 9, 81, 25)},
      {w->btn_load, "Read Settings", Bounds(652, 9, 80, 25)},
      {w->btn_save, "Save Profile", Bounds(737, 9, 69, 25)},
      {w->btn_read, "Load Profile", Bounds(811, 9, 69, 25)},
      {w->btn_stop, "Stop", Bounds(884, 9, 35, 25)},
      {w->GroupBox25, "Alarm Dial Tel Numbers", Bounds(4, 41, 167, 140)},
      {w->GroupBox3, "SMS Alert Numbers", Bounds(4, 182, 167, 92)},
      {w->GroupBox2, "Input Type", Bounds(175, 41, 112, 233)},
      {w->GroupBox26, "When Input Activated SMS Content", Bounds(289, 41, 210, 233)},
      {w->GroupBox4, "When Input Recovered SMS Content", Bounds(502, 41, 283, 233)},
      {w->GroupBox5, "Alarm Link Output Relay", Bounds(790, 42, 129, 231)},
      {w->GroupBox18, "Other Settings", Bounds(5, 277, 913, 210)},
  };
  for (auto& r : rows) {
    SCOPED_TRACE(r.c->Name());
    EXPECT_EQ(r.c->Parent(), w.get());
    EXPECT_EQ(r.c->Caption(), r.caption);
    EXPECT_EQ(r.c->BoundsRect(), r.r);
  }
  EXPECT_EQ(w->Panel1->Font().Color, fw::clRed);
  EXPECT_EQ(w->Panel1->Font().Height, -15);
  EXPECT_EQ(w->Panel1->BevelInner, fw::TBevelCut::bvRaised);
  EXPECT_EQ(w->Panel1->BevelOuter, fw::TBevelCut::bvLowered);
  EXPECT_EQ(w->cbox_com->Parent(), w->GroupBox1);
  ASSERT_NE(LabelWithCaption("Com Port"), nullptr);
  EXPECT_EQ(LabelWithCaption("Com Port")->Parent(), w->GroupBox1);
}

TEST_F(WindowTest, ControlsOfOneInputLineUpAcrossTheFourGroups) {
  const int tops[8] = {16, 40, 66, 92, 118, 145, 171, 198};
  for (int i = 0; i < 8; ++i) {
    SCOPED_TRACE(i + 1);
    fw::TControl* row[] = {w->cb_nt[i], w->edt_name[i], w->cb_dc[i], w->edt_name_rec[i], w->cb_ed[i]};
    for (fw::TControl* c : row) {
      // Compare in window coordinates: GroupBox5 stands a pixel lower.
      int top = c->Top() + c->Parent()->Top() - 41;
      EXPECT_LE(std::abs(top - tops[i]), 4) << c->Name();
      EXPECT_LE(std::abs(top + c->Height() / 2 - (tops[i] + 10)), 2) << c->Name() << " off centre";
    }
    EXPECT_EQ(w->cb_nt[i]->Parent(), w->GroupBox2);
    EXPECT_EQ(w->edt_name[i]->Parent(), w->GroupBox26);
    EXPECT_EQ(w->cb_ed[i]->Parent(), w->GroupBox5);
    EXPECT_GE(w->cb_dc[i]->Left(), 8);
    EXPECT_LE(w->cb_dc[i]->Left(), 10);
    EXPECT_EQ(w->cb_dc[i]->Width(), 80);
    EXPECT_EQ(w->edt_name_rec[i]->Left(), 90);
    EXPECT_EQ(w->edt_name_rec[i]->Width(), 186);
  }
}

TEST_F(WindowTest, OtherSettingsRowsStandWhereDesigned) {
  std::pair<fw::TControl*, TRect> rows[] = {
      {w->cb_rco, Bounds(10, 16, 831, 17)},     {w->cb_GJA, Bounds(11, 39, 822, 17)},
      {w->cb_arm, Bounds(11, 64, 766, 17)},     {w->edt_rtt, Bounds(112, 89, 33, 21)},
      {w->edt_adt, Bounds(112, 113, 33, 21)},   {w->edt_relaytime, Bounds(112, 136, 34, 21)},
      {w->cb_pdat, Bounds(112, 161, 89, 21)},   {w->edt_pwd, Bounds(112, 184, 49, 21)}};
  for (auto& [c, r] : rows) {
    EXPECT_EQ(c->Parent(), w->GroupBox18) << c->Name();
    EXPECT_EQ(c->BoundsRect(), r) << c->Name();
  }
  fw::TLabel* l = LabelWithCaption("Relay working Time");
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(l->Left(), 12);
}

TEST_F(WindowTest, VisibleControlsStayInsideTheirParentAndDoNotOverlap) {
  std::vector<fw::TWinControl*> parents = {w.get()};
  for (fw::TWinControl* c : w->GetTabOrderList()) parents.push_back(c);
  for (fw::TWinControl* p : parents) {
    std::vector<fw::TControl*> shown;
    for (fw::TControl* c : p->Controls())
      if (c->Visible() && c != w->MYSbar) shown.push_back(c);
    for (fw::TControl* c : shown) {
      SCOPED_TRACE(c->Name());
      EXPECT_GE(c->Left(), 0);
      EXPECT_GE(c->Top(), 0);
      EXPECT_LE(c->BoundsRect().Right, p->ClientRect().Right);
      EXPECT_LE(c->BoundsRect().Bottom, p->ClientRect().Bottom);
    }
    for (size_t i = 0; i < shown.size(); ++i)
      for (size_t j = i + 1; j < shown.size(); ++j)
        EXPECT_FALSE(Overlap(shown[i]->BoundsRect(), shown[j]->BoundsRect()))
            << shown[i]->Name() << " / " << shown[j]->Name() << " in " << p->Name();
  }
}

TEST_F(WindowTest, HiddenSettingsAndTheirLabelsAreNotShown) {
  for (fw::TControl* c : std::initializer_list<fw::TControl*>{w->edt_sH, w->edt_sm, w->edt_PH, w->edt_Pm, w->edt_volo,
                                                              w->cb_wzt, w->cb_pda, w->btn_openc, w->btn_closec}) {
    EXPECT_FALSE(c->Visible()) << c->Name();
  }
  for (const char* caption : {"Start Time", "Stop Time", "Voloume", "(1-99)", "Digital Input Type"}) {
    fw::TLabel* l = LabelWithCaption(caption);
    ASSERT_NE(l, nullptr) << caption;
    EXPECT_FALSE(l->Visible()) << caption;
    EXPECT_EQ(l->Parent(), w->GroupBox18);
  }
  EXPECT_EQ(w->btn_openc->Caption(), "Open");
  EXPECT_EQ(w->btn_closec->Caption(), "Close");
  EXPECT_EQ(w->btn_openc->Parent(), w->GroupBox1);
  // Hidden boxes stand below the group's visible area.
  EXPECT_GE(w->edt_sH->Top(), w->GroupBox18->Height());
}

std::vector<std::string> Names(const std::vector<fw::TWinControl*>& v) {
  std::vector<std::string> out;
  for (auto* c : v) out.push_back(c->Name());
  return out;
}

std::vector<std::string> ShownNames(const std::vector<fw::TWinControl*>& v) {
  std::vector<std::string> out;
  for (auto* c : v)
    if (c->Visible()) out.push_back(c->Name());
  return out;
}

TEST_F(WindowTest, KeyboardOrderFollowsTheDesign) {
  using V = std::vector<std::string>;
  V top = Names(w->TabOrderedChildren());
  top.erase(std::remove(top.begin(), top.end(), "MYSbar"), top.end());
  EXPECT_EQ(top, (V{"GroupBox1", "GroupBox3", "btn_down", "btn_save", "btn_read", "btn_load", "btn_stop", "GroupBox25",
                    "GroupBox18", "GroupBox26", "Panel1", "GroupBox2", "GroupBox4", "GroupBox5"}));
  EXPECT_EQ(Names(w->GroupBox4->TabOrderedChildren()),
            (V{"edt_name17", "edt_name11", "edt_name12", "edt_name13", "edt_name14", "edt_name15", "edt_name16",
               "edt_name18", "cb_dc1", "cb_dc2", "cb_dc3", "cb_dc4", "cb_dc5", "cb_dc6", "cb_dc7", "cb_dc8"}));
  EXPECT_EQ(ShownNames(w->GroupBox18->TabOrderedChildren()),
            (V{"cb_rco", "edt_rtt", "edt_adt", "cb_GJA", "edt_pwd", "cb_arm", "cb_pdat", "edt_relaytime"}));
  EXPECT_EQ(Names(w->GroupBox25->TabOrderedChildren()),
            (V{"edt_tel1", "edt_tel2", "edt_tel3", "edt_tel4", "edt_tel5"}));
  EXPECT_EQ(Names(w->GroupBox2->TabOrderedChildren())[7], "cb_nt8");
  EXPECT_EQ(Names(w->GroupBox1->TabOrderedChildren())[0], "cbox_com");

  // Walking the window with Tab visits the telephone numbers before the
  // other settings, skipping every hidden box.
  std::vector<fw::TWinControl*> order = w->GetTabOrderList();
  auto pos = [&](fw::TWinControl* c) { return std::find(order.begin(), order.end(), c) - order.begin(); };
  EXPECT_LT(pos(w->cbox_com), pos(w->edt_sms[0]));
  EXPECT_LT(pos(w->edt_tel[4]), pos(w->cb_rco));
  EXPECT_LT(pos(w->edt_relaytime), pos(w->edt_name[0]));
}

}  // namespace
