// Every setting starts at its design-time value, exactly as listed, even
// where a change rule would correct it; non-visual components start idle.
#include "model/start_settings.h"
#include "serial/comm.h"
#include "skin/skin_data.h"
#include "window_fixture.h"

namespace {

using Items = std::vector<std::string>;

TEST_F(WindowTest, NumbersAndMessagesStartAtTheirDefaults) {
  Tfrm_mset& m = *w;
  for (fw::TEdit* e : m.edt_tel) {
    EXPECT_EQ(e->Text(), "");
    EXPECT_EQ(e->MaxLength(), 16);
  }
  for (fw::TEdit* e : m.edt_sms) {
    EXPECT_EQ(e->Text(), "");
    EXPECT_EQ(e->MaxLength(), 16);
  }
  for (int i = 0; i < 8; ++i) {
    const std::string n = std::to_string(i + 1);
    SCOPED_TRACE("input " + n);
    EXPECT_EQ(m.cb_nt[i]->Items(), (Items{"EOL", "NO", "NC", "Disable"}));
    EXPECT_EQ(m.cb_nt[i]->ItemIndex(), 3);
    EXPECT_EQ(m.cb_nt[i]->Text(), "Disable");
    EXPECT_EQ(m.edt_name[i]->Text(), "Wired input " + n + " alarm");
    EXPECT_EQ(m.edt_name[i]->MaxLength(), 32);
    EXPECT_EQ(m.edt_name[i]->Name(), "edt_name" + n);
    EXPECT_EQ(m.edt_name_rec[i]->Text(), "Wired input " + n + " Recovered");
    EXPECT_EQ(m.edt_name_rec[i]->MaxLength(), 32);
    EXPECT_EQ(m.edt_name_rec[i]->Name(), "edt_name1" + n);
    EXPECT_TRUE(m.cb_dc[i]->Checked());
    EXPECT_EQ(m.cb_dc[i]->Caption(), "Don't Care");
    EXPECT_FALSE(m.cb_ed[i]->Checked());
    EXPECT_EQ(m.cb_ed[i]->Caption(), "Enable/Disable");
  }
}

TEST_F(WindowTest, OtherSettingsStartAtTheirDefaults) {
  Tfrm_mset& m = *w;
  EXPECT_FALSE(m.cb_rco->Checked());
  EXPECT_FALSE(m.cb_GJA->Checked());
  EXPECT_FALSE(m.cb_arm->Checked());
  EXPECT_EQ(m.edt_rtt->Text(), "0");
  EXPECT_EQ(m.edt_adt->Text(), "0");  // below its range until it changes
  EXPECT_EQ(m.edt_relaytime->Text(), "0");
  EXPECT_EQ(m.edt_pwd->Text(), "7429");
  EXPECT_EQ(m.edt_pwd->MaxLength(), 6);
  // "Don't Care" is shown while no item is selected.
  EXPECT_EQ(m.cb_pdat->Text(), "Don't Care");
  EXPECT_EQ(m.cb_pdat->ItemIndex(), -1);
  EXPECT_EQ(m.cb_pdat->Items(), (Items{"Don't Care", "30 minutes", "immediacy"}));
  m.cb_pdat->SelectFromList(0);
  EXPECT_EQ(m.cb_pdat->ItemIndex(), 0);

  EXPECT_EQ(m.edt_sH->Text(), "--");
  EXPECT_EQ(m.edt_sm->Text(), "--");
  EXPECT_EQ(m.edt_PH->Text(), "--");
  EXPECT_EQ(m.edt_Pm->Text(), "--");
  EXPECT_EQ(m.edt_volo->Text(), "1");
  EXPECT_EQ(m.edt_volo->MaxLength(), 2);

  EXPECT_EQ(m.cbox_com->Text(), "com1");
  EXPECT_EQ(m.cbox_com->ItemIndex(), -1);
  EXPECT_EQ(m.cbox_com->Items(), (Items{"com1", "com2", "com3", "com4", "com5"}));

  EXPECT_EQ(w->cb_wzt->Text(), "NC");
  EXPECT_EQ(w->cb_wzt->Items(), (Items{"EOL", "NC", "NO"}));
  EXPECT_FALSE(w->cb_pda->Checked());
  EXPECT_EQ(w->cb_pda->Caption(), "Powerdown Alert");
}

// The window takes its start values from the model: every setting, none
// changed by a rule on the way in.
TEST_F(WindowTest, EverySettingStartsAtTheModelsStartValue) {
  EXPECT_EQ(w->CurrentSettings(), model::StartSettings());
  EXPECT_EQ(w->cb_pdat->Text(), model::StartShownText("cb_pdat"));
}

TEST_F(WindowTest, NonVisualComponentsStartIdle) {
  EXPECT_EQ(w->mycom->CommName, "COM1");
  EXPECT_EQ(w->mycom->BaudRate(), 38400u);
  EXPECT_EQ(w->mycom->ReadIntervalTimeout(), 20u);
  EXPECT_EQ(w->mycom->Owner(), w.get());

  struct { fw::TTimer* t; unsigned ms; } timers[] = {{w->timer_tb, 200}, {w->timer_gb, 20}, {w->timer_cf, 2000}};
  for (auto& t : timers) {
    EXPECT_FALSE(t.t->Enabled()) << t.t->Name();
    EXPECT_EQ(t.t->Interval(), t.ms) << t.t->Name();
  }
  EXPECT_FALSE(w->SkinData1->Active());
}

}  // namespace
