#include <gtest/gtest.h>

#include "profile/settings_profile.h"
#include "profile_files.h"
#include "model/start_settings.h"
#include "settings_print.h"

// After the framework headers: its macros would clash with their names.
#include <windows.h>

TEST_F(ProfileFiles, ReadOnlyFileIsNotWritten) {
  model::Settings w = model::StartSettings();
  Put(Path("ro.sf"), "[OTH]\r\npwd=1\r\n");
  ASSERT_TRUE(SetFileAttributesA(Path("ro.sf").c_str(), FILE_ATTRIBUTE_READONLY));
  profile::ProfileResult r = profile::SaveProfile(w, Path("ro.sf"));
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(r.reason.empty());
  EXPECT_EQ(Read(Path("ro.sf")), "[OTH]\r\npwd=1\r\n");
  SetFileAttributesA(Path("ro.sf").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The system names the reason in its own words.
TEST_F(ProfileFiles, MissingFolderIsReportedInTheSystemsWords) {
  model::Settings w = model::StartSettings();
  profile::ProfileResult r = profile::SaveProfile(w, Path("no\\such\\p.sf"));
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(r.reason.empty());
  EXPECT_EQ(r.reason.find("System error"), std::string::npos) << r.reason;
}
