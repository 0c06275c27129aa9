#include <gtest/gtest.h>
#include <unistd.h>

#include "profile/settings_profile.h"
#include "profile_files.h"
#include "model/start_settings.h"
#include "settings_print.h"

TEST_F(ProfileFiles, ReadOnlyPlacesAreNotWritten) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  model::Settings w = model::StartSettings();
  Put(Path("ro.sf"), "[OTH]\r\npwd=1\r\n");
  fs::permissions(Path("ro.sf"), fs::perms::owner_read);
  profile::ProfileResult r = profile::SaveProfile(w, Path("ro.sf"));
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.reason, "Permission denied");
  EXPECT_EQ(Read(Path("ro.sf")), "[OTH]\r\npwd=1\r\n");

  fs::create_directory(Path("locked"));
  fs::permissions(Path("locked"), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(profile::SaveProfile(w, Path("locked/p.sf")).ok);
  EXPECT_FALSE(fs::exists(Path("locked/p.sf")));

  fs::permissions(Path("ro.sf"), fs::perms::none);
  EXPECT_FALSE(profile::LoadProfile(Path("ro.sf"), &w).ok);
}

// A profile reached through a symbolic link is updated where it lives.
TEST_F(ProfileFiles, SavingThroughALinkKeepsTheLink) {
  model::Settings w = model::StartSettings();
  Put(Path("real.sf"), "[Other]\r\na=1\r\n");
  fs::create_symlink(Path("real.sf"), Path("link.sf"));
  ASSERT_TRUE(profile::SaveProfile(w, Path("link.sf")).ok);
  EXPECT_TRUE(fs::is_symlink(Path("link.sf")));
  EXPECT_EQ(Read(Path("real.sf")).rfind("[Other]\r\na=1\r\n[COM]\r\n", 0), 0u);
}
