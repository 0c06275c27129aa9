// The sample profile shipped with the release loads into the window, and
// the window saves it back unchanged: it is in the program's own format.
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "window_fixture.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST_F(WindowTest, TheShippedSampleProfileLoadsAndSavesBackUnchanged) {
  const std::string sample = ReadAll(GSM_SAMPLE_PROFILE);
  ASSERT_FALSE(sample.empty());
  w->LoadProfile(GSM_SAMPLE_PROFILE);
  EXPECT_EQ(w->edt_tel[0]->Text(), "+15550100");
  EXPECT_EQ(w->edt_name[3]->Text(), "Smoke detected");
  EXPECT_TRUE(w->cb_ed[7]->Checked());
  EXPECT_EQ(w->cb_nt[2]->ItemIndex(), 2);
  const std::string copy = ::testing::TempDir() + "sample-copy-" + std::to_string(getpid()) + ".sf";
  std::remove(copy.c_str());
  w->SaveProfile(copy);
  EXPECT_EQ(ReadAll(copy), sample);
  std::remove(copy.c_str());
}

}  // namespace
