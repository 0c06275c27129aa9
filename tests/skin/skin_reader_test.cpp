// Skin container: writer and reader agree, lookups follow the name rules,
// and damaged containers are refused without reading out of bounds.
#include <gtest/gtest.h>

#include "skin/lzh.h"
#include "skin/skin_reader.h"

namespace {

using namespace skin;
using Bytes = std::vector<uint8_t>;

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

void Put32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

// A container laid out by hand: names as given (line breaks included).
Bytes RawContainer(const std::string& names, const std::vector<int32_t>& sizes, const Bytes& data,
                   uint32_t version = kSkinVersion) {
  Bytes b(16 + names.size() + 4 * sizes.size());
  Put32(b, 0, version);
  Put32(b, 4, uint32_t(names.size()));
  std::copy(names.begin(), names.end(), b.begin() + 16);
  for (size_t i = 0; i < sizes.size(); ++i) Put32(b, 16 + names.size() + 4 * i, uint32_t(sizes[i]));
  b.insert(b.end(), data.begin(), data.end());
  return b;
}

std::vector<SkinEntry> SampleEntries() {
  return {{"Top.bmp", Text("TOP-IMAGE")},
          {"empty.bmp", {}},
          {"skin.ini", Text("[Personality]\r\nTop=top.bmp\r\n")},
          {"other.ini", Text("second")}};
}

TEST(SkinReader, PackedSkinReadsBack) {
  TSkinReader r;
  ASSERT_TRUE(r.LoadContainer(PackSkin(SampleEntries())));
  EXPECT_EQ(r.Count(), 4);
  EXPECT_EQ(r.Names(), (std::vector<std::string>{"top.bmp", "empty.bmp", "skin.ini", "other.ini"}));
  EXPECT_EQ(r.Sizes(), (std::vector<int32_t>{9, 0, 28, 6}));
  EXPECT_EQ(r.Header()[0], 0x20);
  EXPECT_EQ(r.Header()[1], 0x4E);

  Bytes s{9, 9};
  r.ExtractEntry("TOP.Bmp", s);
  EXPECT_EQ(s, Text("TOP-IMAGE"));
  r.ExtractEntry("empty.bmp", s);
  EXPECT_TRUE(s.empty());
  s = {9};
  r.ExtractEntry("missing.bmp", s);
  EXPECT_TRUE(s.empty());
}

TEST(SkinReader, ContainingTakesTheFirstMatchAndKeepsTheFragmentsCase) {
  TSkinReader r;
  ASSERT_TRUE(r.LoadContainer(PackSkin(SampleEntries())));
  Bytes s;
  std::string name = "unchanged";
  r.ExtractEntryContaining(".ini", s, name);
  EXPECT_EQ(name, "skin.ini");
  EXPECT_EQ(s, Text("[Personality]\r\nTop=top.bmp\r\n"));

  name = "unchanged";
  r.ExtractEntryContaining(".INI", s, name);  // stored names are lower case
  EXPECT_EQ(name, "unchanged");
  EXPECT_TRUE(s.empty());
}

TEST(SkinReader, NamesSplitAtAnyLineBreak) {
  TSkinReader r;
  ASSERT_TRUE(r.LoadExpanded(RawContainer("A\rB\nC\r\n\r\nE", {1, 1, 1, 0, 2}, Text("abcde"))));
  EXPECT_EQ(r.Names(), (std::vector<std::string>{"a", "b", "c", "", "e"}));
  Bytes s;
  r.ExtractEntry("E", s);
  EXPECT_EQ(s, Text("de"));
  // A final break adds no name; no break at all still gives the name.
  ASSERT_TRUE(r.LoadExpanded(RawContainer("x\r\n", {1}, Text("1"))));
  EXPECT_EQ(r.Count(), 1);
  ASSERT_TRUE(r.LoadExpanded(RawContainer("", {}, {})));
  EXPECT_EQ(r.Count(), 0);
}

TEST(SkinReader, DamagedContainersAreRefused) {
  TSkinReader r;
  auto with_names = [](int n) {
    std::string names;
    for (int i = 0; i < n; ++i) names.append(1, 'n').append(std::to_string(i)).append("\r\n");
    return RawContainer(names, std::vector<int32_t>(size_t(n), 0), {});
  };
  EXPECT_THROW(r.LoadExpanded(with_names(1002)), ESkinError);
  EXPECT_TRUE(r.LoadExpanded(with_names(1001)));
  EXPECT_EQ(r.Count(), 1001);

  EXPECT_THROW(r.LoadExpanded(RawContainer("a\r\nb\r\n", {1, -1}, Text("xy"))), ESkinError);
  EXPECT_THROW(r.LoadExpanded(RawContainer("a\r\nb\r\n", {1, 2}, Text("xy"))), ESkinError);
  EXPECT_THROW(r.LoadExpanded(RawContainer("a\r\nb\r\n", {0x7FFFFFFF, 0x7FFFFFFF}, Text("xy"))), ESkinError);
  Bytes long_names = RawContainer("a\r\n", {1}, Text("x"));
  Put32(long_names, 4, 1000);
  EXPECT_THROW(r.LoadExpanded(long_names), ESkinError);
  Put32(long_names, 4, 0xFFFFFFF0u);
  EXPECT_THROW(r.LoadExpanded(long_names), ESkinError);
  EXPECT_EQ(r.Count(), 0);  // a refused container leaves nothing behind

  // Every prefix of a good container: refused or read, never past its end.
  const Bytes good = WriteContainer(SampleEntries());
  for (size_t n = 0; n < good.size(); ++n) {
    const Bytes cut(good.begin(), good.begin() + ptrdiff_t(n));
    try {
      r.LoadExpanded(cut);
    } catch (const ESkinError&) {
    }
  }
}

TEST(SkinReader, WriterRefusesWhatTheReaderCannotHold) {
  std::vector<SkinEntry> many(1002, SkinEntry{"a", {}});
  EXPECT_THROW(WriteContainer(many), ESkinError);
  many.pop_back();
  EXPECT_NO_THROW(WriteContainer(many));
  EXPECT_THROW(WriteContainer({{"bad\nname", {}}}), ESkinError);
}

// The decompressor's failures reach the skin's users as the framework's
// exceptions, with the decompressor's own message.
TEST(SkinReader, DecompressorFailuresPropagate) {
  TSkinReader r;
  try {
    r.LoadContainer(Bytes{1, 2});
    FAIL() << "no exception";
  } catch (const fw::Exception& e) {
    EXPECT_NE(dynamic_cast<const ElzhException*>(&e), nullptr);
    EXPECT_STREQ(e.what(), kLzhNoHeader);
  }
  Bytes forged{0, 0, 0, 0x40, 1, 2, 3};  // 1 GiB from seven bytes
  EXPECT_THROW(r.LoadContainer(forged), ElzhException);
}

}  // namespace
