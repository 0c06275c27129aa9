#include "profile/settings_profile.h"

#include <gtest/gtest.h>

#include "model_state.h"
#include "profile_files.h"
#include "standalone_model.h"

namespace {

std::string Keys(const char* prefix, int from, int to, const std::string& value) {
  std::string s;
  for (int k = from; k <= to; ++k) s += prefix + std::to_string(k) + "=" + value + "\r\n";
  return s;
}

}  // namespace

TEST_F(ProfileFiles, SavedFromScratchAsFiveSections) {
  StandaloneModel w;
  ASSERT_TRUE(profile::SaveProfile(w.m, Path("p.sf")).ok);
  std::string want = "[COM]\r\nComName=com1\r\n[SMS]\r\n" + Keys("sms", 1, 3, "") + "[WZN]\r\n";
  for (int k = 1; k <= 8; ++k) want += "name" + std::to_string(k) + "=Wired input " + std::to_string(k) + " alarm\r\n";
  for (int k = 1; k <= 8; ++k)
    want += "name" + std::to_string(k + 10) + "=Wired input " + std::to_string(k) + " Recovered\r\n";
  want += Keys("cb_dc", 1, 8, "1") + Keys("cb_ed", 1, 8, "0") + "[TEL]\r\n" + Keys("tel", 1, 5, "") +
          "[OTH]\r\nrco=0\r\ngja=0\r\narm=0\r\npdat=-1\r\nrtt=0\r\nadt=0\r\n" + Keys("nt", 1, 8, "3") +
          "sh=--\r\nsm=--\r\nph=--\r\npm=--\r\nvolo=1\r\npwd=7429\r\nrelaytime=0\r\n";
  EXPECT_EQ(Read(Path("p.sf")), want);
  EXPECT_EQ(profile::ProfileKeys(w.m).size(), 62u);
}

TEST_F(ProfileFiles, MissingKeysTakeTheTableDefaults) {
  StandaloneModel w;
  w.m.edt_name[0]->SetText("changed");
  w.m.cb_pdat->SetItemIndex(2);
  Put(Path("com.sf"), "[COM]\r\nComName=COM3\r\n");
  ASSERT_TRUE(profile::LoadProfile(w.m, Path("com.sf")).ok);
  ModelState s = Snapshot(w.m);
  EXPECT_EQ(s["cbox_com"], "COM3");
  EXPECT_EQ(s["edt_name1"], "");  // not the window's start text
  EXPECT_EQ(s["edt_rtt"], "24");
  EXPECT_EQ(s["edt_adt"], "1");
  EXPECT_EQ(s["edt_pwd"], "517394");
  EXPECT_EQ(s["cb_pdat"], "0|Don't Care");
  EXPECT_EQ(s["cb_nt1"], "3|Disable");
  EXPECT_EQ(s["cb_dc1"], "1");
  EXPECT_EQ(s["cb_ed1"], "0");
  EXPECT_EQ(s["edt_sH"], "--");
  EXPECT_EQ(s["edt_volo"], "1");
  EXPECT_EQ(s["edt_relaytime"], "0");
}

TEST_F(ProfileFiles, ValueForms) {
  StandaloneModel w;
  w.m.cb_rco->SetChecked(true);
  Put(Path("v.sf"),
      "[OTH]\r\nrco=true\r\ngja=2\r\npdat=-1\r\nnt1=0x2\r\nnt2=9\r\nnt3=$1\r\n"
      "[WZN]\r\ncb_dc1=true\r\ncb_dc2=0\r\nCB_ED3 = 1\r\n name1 =  padded  \r\nname2=\"quoted\"\r\n"
      "name3=" + std::string(40, 'L') + "\r\n");
  ASSERT_TRUE(profile::LoadProfile(w.m, Path("v.sf")).ok);
  EXPECT_FALSE(w.m.cb_rco->Checked());  // "true" is no integer: the default
  EXPECT_TRUE(w.m.cb_GJA->Checked());
  EXPECT_EQ(w.m.cb_pdat->ItemIndex(), -1);
  EXPECT_EQ(w.m.cb_pdat->Text(), "");   // no selection and no text
  EXPECT_EQ(w.m.cb_nt[0]->ItemIndex(), 2);
  EXPECT_EQ(w.m.cb_nt[1]->ItemIndex(), -1);
  EXPECT_EQ(w.m.cb_nt[1]->Text(), "");
  EXPECT_EQ(w.m.cb_nt[2]->ItemIndex(), 1);
  EXPECT_TRUE(w.m.cb_dc[0]->Checked());
  EXPECT_FALSE(w.m.cb_dc[1]->Checked());
  EXPECT_TRUE(w.m.cb_ed[2]->Checked());
  EXPECT_EQ(w.m.edt_name[0]->Text(), "padded");
  EXPECT_EQ(w.m.edt_name[1]->Text(), "quoted");
  EXPECT_EQ(w.m.edt_name[2]->Text(), std::string(40, 'L'));  // whole, past the box's limit
}

TEST_F(ProfileFiles, SavingOntoAFileKeepsTheRest) {
  StandaloneModel w;
  const std::string mine = "; notes\r\n[Other]\r\na = 1\r\n\r\n[OTH]\r\nextra=x\r\npwd=1111\r\n";
  Put(Path("o.sf"), mine);
  ASSERT_TRUE(profile::SaveProfile(w.m, Path("o.sf")).ok);
  const std::string once = Read(Path("o.sf"));
  EXPECT_EQ(once.rfind("; notes\r\n[Other]\r\na = 1\r\n\r\n[OTH]\r\nextra=x\r\npwd=7429\r\nrco=0\r\n", 0), 0u) << once;
  EXPECT_NE(once.find("\r\n[COM]\r\nComName=com1\r\n"), std::string::npos);
  ASSERT_TRUE(profile::SaveProfile(w.m, Path("o.sf")).ok);
  EXPECT_EQ(Read(Path("o.sf")), once);  // one copy of each key
}

TEST_F(ProfileFiles, FailuresChangeNothing) {
  StandaloneModel w;
  const ModelState before = Snapshot(w.m);

  // Loading a file that is not there, or is not a file.
  profile::ProfileResult r = profile::LoadProfile(w.m, Path("none.sf"));
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(r.reason.empty());
  r = profile::LoadProfile(w.m, dir_.string());
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(Snapshot(w.m), before);

  // Saving into a folder that does not exist, or onto a folder.
  r = profile::SaveProfile(w.m, Path("no/such/folder/p.sf"));
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(r.reason.empty());
  fs::create_directory(Path("dir.sf"));
  EXPECT_FALSE(profile::SaveProfile(w.m, Path("dir.sf")).ok);

  // A file far larger than any profile is neither read nor rewritten.
  const std::string huge = "[OTH]\r\npwd=1\r\n" + std::string(1u << 20, ';');
  Put(Path("huge.sf"), huge);
  EXPECT_FALSE(profile::LoadProfile(w.m, Path("huge.sf")).ok);
  EXPECT_EQ(Snapshot(w.m), before);
  EXPECT_FALSE(profile::SaveProfile(w.m, Path("huge.sf")).ok);
  EXPECT_EQ(Read(Path("huge.sf")), huge);
  fs::remove(Path("huge.sf"));

  // A value that cannot be one line fails the whole save: the file keeps
  // its old content and no temporary file stays behind.
  Put(Path("keep.sf"), "[OTH]\r\npwd=1\r\n");
  w.m.edt_name[3]->SetText("two\r\nlines");
  r = profile::SaveProfile(w.m, Path("keep.sf"));
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.reason.find("name4"), std::string::npos) << r.reason;
  EXPECT_EQ(Read(Path("keep.sf")), "[OTH]\r\npwd=1\r\n");
  int entries = 0;
  for ([[maybe_unused]] auto& e : fs::directory_iterator(dir_)) ++entries;
  EXPECT_EQ(entries, 2);  // keep.sf and dir.sf
}
