#include "profile/settings_profile.h"

#include <gtest/gtest.h>

#include <random>

#include "profile_files.h"
#include "model/start_settings.h"
#include "settings_print.h"

namespace {

std::string Keys(const char* prefix, int from, int to, const std::string& value) {
  std::string s;
  for (int k = from; k <= to; ++k) s += prefix + std::to_string(k) + "=" + value + "\r\n";
  return s;
}

}  // namespace

TEST_F(ProfileFiles, SavedFromScratchAsFiveSections) {
  ASSERT_TRUE(profile::SaveProfile(model::StartSettings(), Path("p.sf")).ok);
  std::string want = "[COM]\r\nComName=com1\r\n[SMS]\r\n" + Keys("sms", 1, 3, "") + "[WZN]\r\n";
  for (int k = 1; k <= 8; ++k) want += "name" + std::to_string(k) + "=Wired input " + std::to_string(k) + " alarm\r\n";
  for (int k = 1; k <= 8; ++k)
    want += "name" + std::to_string(k + 10) + "=Wired input " + std::to_string(k) + " Recovered\r\n";
  want += Keys("cb_dc", 1, 8, "1") + Keys("cb_ed", 1, 8, "0") + "[TEL]\r\n" + Keys("tel", 1, 5, "") +
          "[OTH]\r\nrco=0\r\ngja=0\r\narm=0\r\npdat=-1\r\nrtt=0\r\nadt=0\r\n" + Keys("nt", 1, 8, "3") +
          "sh=--\r\nsm=--\r\nph=--\r\npm=--\r\nvolo=1\r\npwd=7429\r\nrelaytime=0\r\n";
  EXPECT_EQ(Read(Path("p.sf")), want);
}

TEST_F(ProfileFiles, MissingKeysTakeTheTableDefaults) {
  model::Settings s = model::StartSettings();
  s.SetText("edt_name1", "changed");
  s.SetIndex("cb_pdat", 2);
  Put(Path("com.sf"), "[COM]\r\nComName=COM3\r\n");
  ASSERT_TRUE(profile::LoadProfile(Path("com.sf"), &s).ok);
  EXPECT_EQ(s.Text("cbox_com"), "COM3");
  EXPECT_EQ(s.Text("edt_name1"), "");  // not the window's start text
  EXPECT_EQ(s.Text("edt_rtt"), "24");
  EXPECT_EQ(s.Text("edt_adt"), "1");
  EXPECT_EQ(s.Text("edt_pwd"), "517394");
  EXPECT_EQ(s.Index("cb_pdat"), 0);
  EXPECT_EQ(s.Index("cb_nt1"), 3);
  EXPECT_TRUE(s.Checked("cb_dc1"));
  EXPECT_FALSE(s.Checked("cb_ed1"));
  EXPECT_EQ(s.Text("edt_sH"), "--");
  EXPECT_EQ(s.Text("edt_volo"), "1");
  EXPECT_EQ(s.Text("edt_relaytime"), "0");
}

TEST_F(ProfileFiles, ValueForms) {
  model::Settings w = model::StartSettings();
  w.SetChecked("cb_rco", true);
  Put(Path("v.sf"),
      "[OTH]\r\nrco=true\r\ngja=2\r\npdat=-1\r\nnt1=0x2\r\nnt2=9\r\nnt3=$1\r\n"
      "[WZN]\r\ncb_dc1=true\r\ncb_dc2=0\r\nCB_ED3 = 1\r\n name1 =  padded  \r\nname2=\"quoted\"\r\n"
      "name3=" + std::string(40, 'L') + "\r\n");
  ASSERT_TRUE(profile::LoadProfile(Path("v.sf"), &w).ok);
  EXPECT_FALSE(w.Checked("cb_rco"));  // "true" is no integer: the default
  EXPECT_TRUE(w.Checked("cb_GJA"));
  EXPECT_EQ(w.Index("cb_pdat"), -1);
  EXPECT_EQ(w.Index("cb_nt1"), 2);
  EXPECT_EQ(w.Index("cb_nt2"), -1);  // no such item
  EXPECT_EQ(w.Index("cb_nt3"), 1);
  EXPECT_TRUE(w.Checked("cb_dc1"));
  EXPECT_FALSE(w.Checked("cb_dc2"));
  EXPECT_TRUE(w.Checked("cb_ed3"));
  EXPECT_EQ(w.Text("edt_name1"), "padded");
  EXPECT_EQ(w.Text("edt_name2"), "quoted");
  EXPECT_EQ(w.Text("edt_name3"), std::string(40, 'L'));  // whole, past the box's limit
}

TEST_F(ProfileFiles, SavingOntoAFileKeepsTheRest) {
  const model::Settings w = model::StartSettings();
  const std::string mine = "; notes\r\n[Other]\r\na = 1\r\n\r\n[OTH]\r\nextra=x\r\npwd=1111\r\n";
  Put(Path("o.sf"), mine);
  ASSERT_TRUE(profile::SaveProfile(w, Path("o.sf")).ok);
  const std::string once = Read(Path("o.sf"));
  EXPECT_EQ(once.rfind("; notes\r\n[Other]\r\na = 1\r\n\r\n[OTH]\r\nextra=x\r\npwd=7429\r\nrco=0\r\n", 0), 0u) << once;
  EXPECT_NE(once.find("\r\n[COM]\r\nComName=com1\r\n"), std::string::npos);
  ASSERT_TRUE(profile::SaveProfile(w, Path("o.sf")).ok);
  EXPECT_EQ(Read(Path("o.sf")), once);  // one copy of each key
}

TEST_F(ProfileFiles, FailuresChangeNothing) {
  model::Settings w = model::StartSettings();
  const model::Settings before = w;

  // Loading a file that is not there, or is not a file.
  profile::ProfileResult r = profile::LoadProfile(Path("none.sf"), &w);
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(r.reason.empty());
  r = profile::LoadProfile(dir_.string(), &w);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(w, before);

  // Saving into a folder that does not exist, or onto a folder.
  r = profile::SaveProfile(w, Path("no/such/folder/p.sf"));
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(r.reason.empty());
  fs::create_directory(Path("dir.sf"));
  EXPECT_FALSE(profile::SaveProfile(w, Path("dir.sf")).ok);

  // A file far larger than any profile is neither read nor rewritten.
  const std::string huge = "[OTH]\r\npwd=1\r\n" + std::string(1u << 20, ';');
  Put(Path("huge.sf"), huge);
  EXPECT_FALSE(profile::LoadProfile(Path("huge.sf"), &w).ok);
  EXPECT_EQ(w, before);
  EXPECT_FALSE(profile::SaveProfile(w, Path("huge.sf")).ok);
  EXPECT_EQ(Read(Path("huge.sf")), huge);
  fs::remove(Path("huge.sf"));

  // A value that cannot be one line fails the whole save: the file keeps
  // its old content and no temporary file stays behind.
  Put(Path("keep.sf"), "[OTH]\r\npwd=1\r\n");
  w.SetText("edt_name4", "two\r\nlines");
  r = profile::SaveProfile(w, Path("keep.sf"));
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.reason.find("name4"), std::string::npos) << r.reason;
  EXPECT_EQ(Read(Path("keep.sf")), "[OTH]\r\npwd=1\r\n");
  int entries = 0;
  for ([[maybe_unused]] auto& e : fs::directory_iterator(dir_)) ++entries;
  EXPECT_EQ(entries, 2);  // keep.sf and dir.sf
}

// Any settings survive a save and a load; flags and indexes come back as
// the values they were written as.
TEST_F(ProfileFiles, SettingsRoundTrip) {
  std::mt19937 rng(77);
  auto num = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int round = 0; round < 50; ++round) {
    model::Settings s;
    for (size_t i = 0; i < model::kFieldCount; ++i) {
      const model::FieldId f(i);
      switch (model::kFields[i].kind) {
        case model::Kind::Text: {
          std::string t;  // blanks and any byte but line ends and NUL
          for (int n = num(0, 40); n > 0; --n) t += char(num(0, 6) == 0 ? ' ' : num(0x21, 0xFF));
          // Blanks around a text and quotation marks of its own come back too.
          if (num(0, 3) == 0) t = "  " + t + " ";
          if (num(0, 3) == 0) {
            const std::string q = num(0, 1) ? "\"" : "'";
            t = q + t + q;
          }
          s.SetText(f, t);
          break;
        }
        case model::Kind::Flag: s.SetChecked(f, num(0, 1)); break;
        case model::Kind::Index: s.SetIndex(f, num(-1, 4)); break;
      }
    }
    // Built by append: GCC 12 warns falsely (-Wrestrict) on "r" + std::string.
    const std::string path = Path(std::string("r").append(std::to_string(round % 3)).append(".sf"));
    ASSERT_TRUE(profile::SaveProfile(s, path).ok);
    model::Settings back;
    ASSERT_TRUE(profile::LoadProfile(path, &back).ok);
    ASSERT_EQ(back, s) << "round " << round;
  }
}
