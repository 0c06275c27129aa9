// INI lookups on skin text.
#include <gtest/gtest.h>

#include "skin/quick_ini.h"

namespace {

using skin::TQuickIni;

TQuickIni Ini(const std::string& text) {
  TQuickIni ini;
  ini.LoadFromString(text);
  return ini;
}

TEST(QuickIni, KeysAndSectionsIgnoreCaseAndValuesAreTrimmed) {
  const TQuickIni ini = Ini(
      "[Colours]\r\nTop=wrong\r\n"
      "  [Personality]  \r\n"
      "; comment before the first key\r\n"
      "\r\n"
      "  Top =  top.bmp  \r\n"
      "Left=a=b\n"
      "[Next]\rTop=next\r");
  EXPECT_EQ(ini.ReadString("personality", "top", "def"), "top.bmp");
  EXPECT_EQ(ini.ReadString("PERSONALITY", "Left", "def"), "a=b");
  EXPECT_EQ(ini.ReadString("Next", "top", "def"), "next");
  // A section ends at the next header.
  EXPECT_EQ(ini.ReadString("Colours", "Left", "def"), "def");
  EXPECT_EQ(ini.ReadString("Missing", "Top", "def"), "def");
}

TEST(QuickIni, FirstLineOfAKeyDecidesEvenWhenEmpty) {
  const TQuickIni ini = Ini("[S]\nKey=\nKEY=later\nBare\nOther=1\nOther=2\n");
  EXPECT_EQ(ini.ReadString("S", "key", "def"), "def");
  EXPECT_EQ(ini.ReadString("S", "Other", "def"), "1");
  // A line without "=" has the empty key.
  EXPECT_EQ(ini.ReadString("S", "", "def"), "def");
  EXPECT_EQ(ini.ReadString("S", "Bare", "def"), "def");
}

TEST(QuickIni, SectionNameIsMatchedAsWrittenInsideTheBrackets) {
  const TQuickIni ini = Ini("[ Spaced ]\nA=1\n[Dup]\nA=first\n[dup]\nA=second\n");
  EXPECT_EQ(ini.ReadString("Spaced", "A", "def"), "def");
  EXPECT_EQ(ini.ReadString(" Spaced ", "A", "def"), "1");
  EXPECT_EQ(ini.ReadString("DUP", "A", "def"), "first");
  std::vector<std::string> sections{"stale"};
  ini.ReadSections(sections);
  EXPECT_EQ(sections, (std::vector<std::string>{"Spaced", "Dup", "dup"}));
}

TEST(QuickIni, IntegersInDecimalAndHex) {
  const TQuickIni ini = Ini(
      "[N]\ndec=255\ndollar=$FF\nlow=0xff\nup=0XFF\nneg=-12\nplus=+7\n"
      "trail=12px\nlone=0x\nempty=\nbig=2147483648\nmin=-2147483648\nwide=$FFFFFFFF\nhuge=$100000000\n");
  for (const char* key : {"dec", "dollar", "low", "up"}) EXPECT_EQ(ini.ReadInteger("N", key, -1), 255) << key;
  EXPECT_EQ(ini.ReadInteger("N", "neg", 0), -12);
  EXPECT_EQ(ini.ReadInteger("N", "plus", 0), 7);
  EXPECT_EQ(ini.ReadInteger("N", "trail", 99), 99);
  EXPECT_EQ(ini.ReadInteger("N", "lone", 99), 99);
  EXPECT_EQ(ini.ReadInteger("N", "empty", 99), 99);
  EXPECT_EQ(ini.ReadInteger("N", "missing", 99), 99);
  EXPECT_EQ(ini.ReadInteger("N", "big", 99), 99);
  EXPECT_EQ(ini.ReadInteger("N", "min", 99), INT32_MIN);
  EXPECT_EQ(ini.ReadInteger("N", "wide", 99), -1);
  EXPECT_EQ(ini.ReadInteger("N", "huge", 99), 99);
}

TEST(QuickIni, StreamTextEndsAtNulAndReloadReplaces) {
  TQuickIni ini;
  const std::string text = std::string("[A]\nx=1\n", 8) + std::string(1, '\0') + "[B]\ny=2\n";
  ini.LoadFromStream(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
  EXPECT_EQ(ini.ReadInteger("A", "x", 0), 1);
  EXPECT_EQ(ini.ReadInteger("B", "y", 0), 0);
  EXPECT_EQ(ini.Lines().size(), 2u);
  ini.LoadFromString("[B]\ny=2");
  EXPECT_EQ(ini.ReadInteger("A", "x", 0), 0);
  EXPECT_EQ(ini.ReadInteger("B", "y", 0), 2);
}

}  // namespace
