// The version check's message box, answered by the headless widgetset.
#include <gtest/gtest.h>

#include "framework/headless/headless.h"
#include "skin/lzh_encoder.h"
#include "skin/skin_reader.h"

namespace {

using namespace skin;
using Bytes = std::vector<uint8_t>;

Bytes Container(uint32_t version) {
  Bytes b = WriteContainer({{"a", {'1'}}});
  for (int i = 0; i < 4; ++i) b[size_t(i)] = uint8_t(version >> (8 * i));
  return b;
}

TEST(SkinReaderVersion, OtherVersionShowsTheMessageAndKeepsNothing) {
  fw::headless::ResetScripts();
  TSkinReader r;
  ASSERT_TRUE(r.LoadExpanded(Container(20000)));
  EXPECT_TRUE(fw::headless::ShownMessages().empty());
  EXPECT_FALSE(r.LoadExpanded(Container(19999)));
  EXPECT_EQ(r.Count(), 0);
  const auto& shown = fw::headless::ShownMessages();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "This is Older Skin File\rPlease update to new version !");
  EXPECT_EQ(shown[0].caption, "Information");
  // Through the compressed path as well.
  EXPECT_FALSE(r.LoadContainer(LzhCompress(Container(19999))));
  EXPECT_EQ(shown.size(), 2u);
}

}  // namespace
