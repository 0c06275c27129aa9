#include "profile/ini_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using profile::IniText;

namespace {

std::string Write(std::string text, const char* section, const char* key, const char* value) {
  IniText ini(text);
  std::string error;
  EXPECT_TRUE(ini.WriteString(section, key, value, &error)) << error;
  return ini.Text();
}

}  // namespace

TEST(IniWrite, CreatesSectionsAndKeysWithCrLf) {
  IniText ini;
  ASSERT_TRUE(ini.WriteString("COM", "ComName", "com1"));
  ASSERT_TRUE(ini.WriteString("SMS", "sms1", ""));
  ASSERT_TRUE(ini.WriteString("SMS", "sms2", "  both  "));  // stored as given
  ASSERT_TRUE(ini.WriteString(" WZN ", " cb_ed1 ", "0"));   // names without their blanks
  EXPECT_EQ(ini.Text(), "[COM]\r\nComName=com1\r\n[SMS]\r\nsms1=\r\nsms2=  both  \r\n[WZN]\r\ncb_ed1=0\r\n");
}

TEST(IniWrite, ChangesOnlyTheLineConcerned) {
  const std::string file =
      "; made by hand\r\n\r\n[A]\r\n  k1 = v1  \r\nk2=v2\r\n\r\n[B]\r\nx=1\r\n";
  // Replaced in place, under the name as the file spells it; the rest stays
  // byte for byte.
  EXPECT_EQ(Write(file, "a", "K1", "new"),
            "; made by hand\r\n\r\n[A]\r\nk1=new\r\nk2=v2\r\n\r\n[B]\r\nx=1\r\n");
  // A new key goes after the section's last line, before the blank line.
  EXPECT_EQ(Write(file, "A", "k3", "3"),
            "; made by hand\r\n\r\n[A]\r\n  k1 = v1  \r\nk2=v2\r\nk3=3\r\n\r\n[B]\r\nx=1\r\n");
  // A new section goes at the end.
  EXPECT_EQ(Write(file, "C", "c", "cc"), file + "[C]\r\nc=cc\r\n");
  // Writing the same value twice leaves one line.
  EXPECT_EQ(Write(Write(file, "B", "x", "2"), "B", "x", "2"),
            "; made by hand\r\n\r\n[A]\r\n  k1 = v1  \r\nk2=v2\r\n\r\n[B]\r\nx=2\r\n");
  // A key without a value gets one.
  EXPECT_EQ(Write("[A]\r\nflag\r\n", "A", "flag", "1"), "[A]\r\nflag=1\r\n");
  // An empty section gets its first key right after its header.
  EXPECT_EQ(Write("[A]\r\n\r\n[B]\r\n", "A", "k", "1"), "[A]\r\nk=1\r\n\r\n[B]\r\n");
}

TEST(IniWrite, KeepsForeignLineEndsAndEndsTheLastLine) {
  EXPECT_EQ(Write("[A]\nk=1", "A", "j", "2"), "[A]\nk=1\r\nj=2\r\n");
  EXPECT_EQ(Write("[A]\nk=1", "B", "j", "2"), "[A]\nk=1\r\n[B]\r\nj=2\r\n");
  EXPECT_EQ(Write("[A]\nk=1", "A", "k", "2"), "[A]\nk=2\r\n");
  EXPECT_EQ(Write("[A]\rk=1\r", "A", "k", "2"), "[A]\rk=2\r");
  EXPECT_EQ(Write("[A]\r\rk=1\n\r\nj=2\r", "a", "J", "3"), "[A]\r\rk=1\n\r\nj=3\r");
  EXPECT_EQ(Write("", "A", "k", "1"), "[A]\r\nk=1\r\n");
}

TEST(IniWrite, RefusesWhatWouldNotStayOneLine) {
  IniText ini("[A]\r\nk=1\r\n");
  std::string error;
  EXPECT_FALSE(ini.WriteString("A", "k", "two\r\n[B]", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(ini.WriteString("A", "k", std::string("a\0b", 3)));
  EXPECT_FALSE(ini.WriteString("A", "a=b", "1"));
  EXPECT_FALSE(ini.WriteString("A", "[x]", "1"));
  EXPECT_FALSE(ini.WriteString("", "k", "1"));
  EXPECT_FALSE(ini.WriteString("A", "  ", "1"));
  EXPECT_EQ(ini.Text(), "[A]\r\nk=1\r\n");
}

TEST(IniRead, NamesAndValues) {
  const IniText ini(
      "top=0\r\n"
      "[A]\r\n"
      "k = \" q \" \r\n"
      "q2='x'\r\n"
      "q3=\"x'\r\n"
      "q4=\"\r\n"
      "q5=\"\"\r\n"
      "tabs=\tx\t\r\n"
      "eq=a=b\r\n"
      "nv\r\n"
      "[ Sp Ace ] trailing words\r\n"
      " K =val\r\n"
      "[A]\r\n"
      "late=1\r\n"
      "k=second\r\n"
      "[C]]\r\n"
      "k=2\r\n");
  EXPECT_EQ(ini.ReadString("a", "K", "d"), " q ");
  EXPECT_EQ(ini.ReadString("A", "q2", "d"), "x");
  EXPECT_EQ(ini.ReadString("A", "q3", "d"), "\"x'");
  EXPECT_EQ(ini.ReadString("A", "q4", "d"), "\"");
  EXPECT_EQ(ini.ReadString("A", "q5", "d"), "");
  EXPECT_EQ(ini.ReadString("A", "tabs", "d"), "x");
  EXPECT_EQ(ini.ReadString("A", "eq", "d"), "a=b");
  EXPECT_EQ(ini.ReadString("A", "nv", "d"), "d");  // a key without a value
  EXPECT_EQ(ini.ReadString(" SP ACE", "k ", "d"), "val");
  EXPECT_EQ(ini.ReadString("A", "late", "d"), "d");  // only the first [A] counts
  EXPECT_EQ(ini.ReadString("C]", "k", "d"), "2");
  EXPECT_EQ(ini.ReadString("", "top", "d"), "0");
  EXPECT_EQ(ini.ReadString("B", "k", "d"), "d");
  EXPECT_EQ(ini.ReadString("A", "missing", "d"), "d");
}

TEST(IniRead, LongValuesAndOddBytes) {
  const std::string big(3000, 'v');
  EXPECT_EQ(IniText("[A]\r\nv=" + big + "\r\n").ReadString("A", "v", ""), std::string(2047, 'v'));
  EXPECT_EQ(IniText("[A]\r\nv=\"" + std::string(2047, 'v') + "\"\r\n").ReadString("A", "v", ""),
            std::string(2047, 'v'));
  EXPECT_EQ(IniText(std::string("[A]\r\nk=a\0b\r\nj=2\r\n", 17)).ReadString("A", "k", ""), "a");
  EXPECT_EQ(IniText(std::string("[A]\r\nk=a\0b\r\nj=2\r\n", 17)).ReadString("A", "j", ""), "2");
  EXPECT_EQ(IniText("[A]\rk=1\rj=2").ReadString("A", "j", ""), "2");
  EXPECT_EQ(IniText("[A]\r\nk=\xE9t\xE9\r\n").ReadString("A", "k", ""), "\xE9t\xE9");
}

TEST(IniRead, Integers) {
  const IniText ini(
      "[A]\r\nd=42\r\nn=-7\r\nh=0x2\r\nh2=0X1f\r\ndollar=$10\r\nx=x10\r\nbad=true\r\nempty=\r\n"
      "trail=5 x\r\nbig=2147483648\r\nmin=-2147483648\r\nall=0xFFFFFFFF\r\nsign=0x-5\r\n"
      "q=\"3\"\r\nplus=+3\r\n");
  EXPECT_EQ(ini.ReadInteger("A", "d", 9), 42);
  EXPECT_EQ(ini.ReadInteger("A", "n", 9), -7);
  EXPECT_EQ(ini.ReadInteger("A", "h", 9), 2);
  EXPECT_EQ(ini.ReadInteger("A", "H2", 9), 31);
  EXPECT_EQ(ini.ReadInteger("A", "dollar", 9), 16);
  EXPECT_EQ(ini.ReadInteger("A", "x", 9), 16);
  EXPECT_EQ(ini.ReadInteger("A", "bad", 9), 9);
  EXPECT_EQ(ini.ReadInteger("A", "empty", 9), 9);
  EXPECT_EQ(ini.ReadInteger("A", "trail", 9), 9);
  EXPECT_EQ(ini.ReadInteger("A", "big", 9), 9);
  EXPECT_EQ(ini.ReadInteger("A", "min", 9), INT32_MIN);
  EXPECT_EQ(ini.ReadInteger("A", "all", 9), -1);
  EXPECT_EQ(ini.ReadInteger("A", "sign", 9), 9);
  EXPECT_EQ(ini.ReadInteger("A", "q", 9), 3);
  EXPECT_EQ(ini.ReadInteger("A", "plus", 9), 3);
  EXPECT_EQ(ini.ReadInteger("A", "missing", 9), 9);
}

// The index found once when the text is read must follow every edit: keys
// added to a section, sections added at the end, and the first-match rule
// for sections and keys named twice.
TEST(IniIndex, LookupsFollowEdits) {
  struct Step {
    const char* section;
    const char* key;
    const char* value;  // nullptr: only look up
    std::optional<std::string> expected;
  };
  struct Case {
    const char* name;
    const char* text;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"a key added to the first of two sections of a name",
       "[A]\r\nk=1\r\n\r\n[a]\r\nj=late\r\n",
       {{"A", "j", nullptr, std::nullopt}, {"a", "J", "new", "new"}, {"A", "k", nullptr, "1"},
        {"A", "j", "newer", "newer"}}},
      {"a new section, then its key written again and a second key",
       "[A]\r\nk=1",
       {{"B", "x", "1", "1"}, {"b", "X", "2", "2"}, {" B ", "y", "3", "3"}, {"B", "x", nullptr, "2"},
        {"A", "k", nullptr, "1"}}},
      {"a key line without a value hides a later one, until it is written",
       "[A]\r\nflag\r\nflag=1\r\n",
       {{"A", "flag", nullptr, std::nullopt}, {"A", " FLAG", "2", "2"}}},
      {"the nameless section is the lines before the first header",
       "top=1\r\n[ ]\r\ntop=2\r\n",
       {{"", "top", nullptr, "1"}, {" ", "TOP", nullptr, "1"}}},
      {"without lines before the first header, a header of no name is it",
       "[ ]\r\ntop=2\r\n[B]\r\n",
       {{"", "top", nullptr, "2"}, {"B", "k", "v", "v"}, {"", "top", nullptr, "2"}}},
      {"a section only of blank lines gets its key after the header",
       "[A]\r\n\r\n \r\n[B]\r\nk=b\r\n",
       {{"A", "k", "a", "a"}, {"B", "k", nullptr, "b"}, {"A", "k2", "a2", "a2"}, {"A", "k", nullptr, "a"}}},
  };
  for (const Case& c : cases) {
    IniText ini(c.text);
    for (const Step& s : c.steps) {
      if (s.value) {
        ASSERT_TRUE(ini.WriteString(s.section, s.key, s.value)) << c.name;
      }
      EXPECT_EQ(ini.Find(s.section, s.key), s.expected) << c.name << ": " << s.section << "/" << s.key;
      // What the edits made reads the same from the text.
      EXPECT_EQ(IniText(ini.Text()).Find(s.section, s.key), s.expected) << c.name << ", read again";
    }
  }
}

TEST(IniIndex, CopiesAreIndependent) {
  const IniText original("[A]\r\nk=1\r\n");
  IniText copy = original;
  ASSERT_TRUE(copy.WriteString("A", "k", "2"));
  ASSERT_TRUE(copy.WriteString("B", "j", "3"));
  EXPECT_EQ(original.Find("A", "k"), "1");
  EXPECT_EQ(original.Find("B", "j"), std::nullopt);
  EXPECT_EQ(copy.Find("A", "k"), "2");
  EXPECT_EQ(copy.Find("B", "j"), "3");
}

// A profile of many sections and keys: every key is found, the first of
// each name wins. (At the old cost of a scan per lookup this alone took
// seconds; it stays well under one.)
TEST(IniIndex, LargeTextsKeepFirstMatches) {
  std::string text;
  for (int s = 0; s < 400; ++s) {
    text += "[S" + std::to_string(s % 200) + "]\r\n";
    for (int k = 0; k < 50; ++k) text += std::string("k") + std::to_string(k % 25) + "=" + std::to_string(s) + "\r\n";
  }
  const IniText ini(text);
  for (int s = 0; s < 200; ++s)
    for (int k = 0; k < 25; ++k) ASSERT_EQ(ini.Find(std::string("s") + std::to_string(s), std::string("K") + std::to_string(k)), std::to_string(s));
  EXPECT_EQ(ini.Text(), text);
}
