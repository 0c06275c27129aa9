// Our private-profile layer against the system's WritePrivateProfileStringA
// and GetPrivateProfileStringA: the same corpus of writes and reads through
// both must give the same values and byte-identical files. Where Wine's
// routines are known to behave unlike Windows, the case says so and holds
// our layer to the Windows behaviour instead.
#include <gtest/gtest.h>

#include <iostream>
#include <optional>
#include <vector>

#include "profile/ini_text.h"
#include "profile/settings_profile.h"
#include "profile_files.h"
#include "model/start_settings.h"
#include "settings_print.h"

// After the framework headers: its macros would clash with their names.
#include <windows.h>

namespace {

struct Write {
  std::string section, key, value;
};
struct Read {
  std::string section, key;
};

struct WriteCase {
  const char* name;
  std::optional<std::string> initial;  // nullopt: no file yet
  std::vector<Write> writes;
  // Set where Wine differs from Windows: the file Windows leaves, and why.
  std::optional<std::string> windows_result = std::nullopt;
  const char* wine_differs = nullptr;
};

std::string Visible(const std::string& s) {
  std::string out;
  for (unsigned char c : s) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n\n";
    else if (c < 32 || c >= 127) { char b[8]; snprintf(b, sizeof b, "\\x%02X", c); out += b; }
    else out += char(c);
  }
  return out;
}

class IniDifferential : public ProfileFiles {
 protected:
  std::string SystemWrites(const std::string& file, const WriteCase& c) {
    if (c.initial) Put(file, *c.initial);
    for (const Write& w : c.writes)
      EXPECT_TRUE(WritePrivateProfileStringA(w.section.c_str(), w.key.c_str(), w.value.c_str(), file.c_str()))
          << c.name;
    return Read(file);
  }
  static std::string SystemRead(const std::string& file, const ::Read& r) {
    std::vector<char> buf(2048);  // as the program reads: at most 2047 characters
    DWORD n = GetPrivateProfileStringA(r.section.c_str(), r.key.c_str(), "\x01missing", buf.data(),
                                       DWORD(buf.size()), file.c_str());
    return std::string(buf.data(), n);
  }
  static std::string OurRead(const std::string& text, const ::Read& r) {
    return profile::IniText(text).ReadString(r.section, r.key, "\x01missing");
  }
};

const std::string kTidy = "[A]\r\nk1=v1\r\nk2=v2\r\n[B]\r\nx=1\r\n";
const std::string kHandMade = "; made by hand\r\n\r\n[A]\r\n  k1 = v1  \r\nk2=v2\r\n\r\n[ B ]\r\nx=1\r\n";

std::vector<WriteCase> WriteCorpus() {
  std::vector<WriteCase> cases = {
      {"new file", std::nullopt, {{"COM", "ComName", "com1"}, {"SMS", "sms1", ""}, {"WZN", "name1", "x"}}},
      {"empty file", "", {{"A", "k", "1"}}},
      {"replace a key", kTidy, {{"A", "k1", "new"}}},
      {"replace with other case and blanks", kTidy, {{" a ", " K2 ", "z"}}},
      {"append a key to a section", kTidy, {{"A", "k3", "3"}}},
      {"append a key to the last section", kTidy, {{"b", "y", "2"}}},
      {"add a section at the end", kTidy, {{"C", "c", "cc"}, {"D", "d", "dd"}, {"C", "c2", "x"}}},
      {"last line without its line end", "[A]\r\nk=1", {{"B", "x", "1"}}},
      {"last key without its line end", "[A]\r\nk=1", {{"A", "j", "2"}}},
      {"key without a value", "[A]\r\nnoeq\r\nk=1\r\n", {{"A", "noeq", "v"}}},
      {"blanks inside the key line", "[A]\r\n\tK\t=  1  \r\n", {{"A", "k", "2"}}},
      {"relay flag key with a leading blank", std::nullopt, {{"WZN", " cb_ed1", "0"}, {"WZN", "cb_ed1", "1"}}},
      {"value kinds", kTidy,
       {{"A", "quoted", "\"q\""}, {"A", "eq", "a=b"}, {"A", "high", "caf\xE9 \x80"}, {"A", "empty", ""},
        {"A", "semi", ";not a comment"}}},
      {"first of two equal sections", "[A]\r\nk=1\r\n[B]\r\n[A]\r\nz=2\r\n", {{"A", "z", "3"}}},
      {"comment and unknown lines stay", "[A]\r\n;c\r\nk=1\r\n", {{"A", "k", "2"}, {"A", "j", "3"}}},
      {"same value twice", kTidy, {{"A", "k1", "v1"}, {"A", "k1", "v1"}}},

      {"value with leading blanks", kTidy, {{"A", "k1", "  both  "}},
       std::string("[A]\r\nk1=  both  \r\nk2=v2\r\n[B]\r\nx=1\r\n"),
       "Wine drops the blanks before a written value; Windows writes the value as given"},
      {"value with trailing blanks", kTidy, {{"A", "k1", "x  "}, {"A", "k2", "y"}},
       std::string("[A]\r\nk1=x  \r\nk2=y\r\n[B]\r\nx=1\r\n"),
       "Wine writes the blanks after a value, but a further write to the same file loses them; "
       "Windows writes the value as given and keeps it"},
      {"hand-made file: replace", kHandMade, {{"A", "k2", "new"}},
       std::string("; made by hand\r\n\r\n[A]\r\n  k1 = v1  \r\nk2=new\r\n\r\n[ B ]\r\nx=1\r\n"),
       "Wine rewrites the whole file from its parsed form (blank lines dropped, blanks around "
       "names and values removed); Windows changes only the line of the key"},
      {"hand-made file: append", kHandMade, {{"A", "k3", "3"}},
       std::string("; made by hand\r\n\r\n[A]\r\n  k1 = v1  \r\nk2=v2\r\nk3=3\r\n\r\n[ B ]\r\nx=1\r\n"),
       "as above; Windows puts the new key after the section's last line, before the blank line"},
      {"LF line ends", "[A]\nk=1\n\n[B]\nj=1\n", {{"A", "n", "2"}},
       std::string("[A]\nk=1\nn=2\r\n\n[B]\nj=1\n"),
       "Wine rewrites every line with CR LF; Windows keeps the lines it does not change"},
  };
  // The keys of a whole profile, written from scratch and then over the file.
  const model::Settings start = model::StartSettings();
  WriteCase all{"a whole profile", std::nullopt, {}};
  for (uint8_t i : model::kProfileOrder) {
    const model::Field& k = model::kFields[i];
    std::string v = k.kind == model::Kind::Text ? start.Text(model::FieldId(i)) : "1";
    all.writes.push_back({k.section, k.key, v});
  }
  for (uint8_t i : model::kProfileOrder) all.writes.push_back({model::kFields[i].section, model::kFields[i].key, "0"});
  cases.push_back(all);
  return cases;
}

TEST_F(IniDifferential, WritesGiveTheSameFile) {
  int n = 0;
  for (const WriteCase& c : WriteCorpus()) {
    // A file name per case: the system caches profile files.
    const std::string sys_file = Path("sys" + std::to_string(n) + ".ini");
    const std::string system = SystemWrites(sys_file, c);
    profile::IniText ours(c.initial.value_or(""));
    for (const Write& w : c.writes) ASSERT_TRUE(ours.WriteString(w.section, w.key, w.value)) << c.name;
    ++n;

    if (c.wine_differs) {
      EXPECT_EQ(Visible(ours.Text()), Visible(*c.windows_result)) << c.name;
      if (system != ours.Text())
        std::cout << "-- " << c.name << ": " << c.wine_differs << "\n   Wine leaves:\n" << Visible(system) << "\n";
      continue;
    }
    EXPECT_EQ(Visible(ours.Text()), Visible(system)) << c.name;
    // And every value written reads back alike.
    for (const Write& w : c.writes)
      EXPECT_EQ(OurRead(ours.Text(), {w.section, w.key}), SystemRead(sys_file, {w.section, w.key}))
          << c.name << ": [" << w.section << "] " << w.key;
  }
}

TEST_F(IniDifferential, ReadsGiveTheSameValues) {
  const std::string file =
      "top=0\r\n"
      "[A]\r\n"
      "k = \" q \" \r\n"
      "q2='x'\r\nq3=\"x'\r\nq4=\"\r\nq5=\"\"\r\nq6=''\r\n"
      "tabs=\tx\t\r\nvt=\x0By\x0C\r\nctrlz=\x1Az\x1A\r\nnbsp=\xA0w\xA0\r\n"
      "\te\t=1\r\n"
      "eq=a=b\r\n"
      "nv\r\n"
      ";k=5\r\n"
      "high=\xE9t\xE9\r\n"
      "[ Sp Ace ] trailing words\r\n"
      " K =val\r\n"
      "[A]\r\n"
      "late=1\r\n"
      "[C]]\r\nk=2\r\n"
      "[D\r\nd=3\r\n"
      "[\xC4]\r\nx=1\r\n"
      "[Long]\r\nv=" + std::string(3000, 'v') + "\r\nq=\"" + std::string(2046, 'w') + "\"\r\n"
      "[CR]\rc1=1\rc2=2\r";
  const ::Read reads[] = {
      {"a", "K"},       {"A", "q2"},     {"A", "q3"},    {"A", "q4"},     {"A", "q5"},      {"A", "q6"},
      {"A", "tabs"},    {"A", "vt"},     {"A", "ctrlz"}, {"A", "nbsp"},   {"A", "e"},       {"A", "eq"},
      {"A", "nv"},      {"A", ";k"},     {"A", "high"},  {"A", "late"},   {" SP ACE", "k "}, {"C]", "k"},
      {"C]", "d"},      {"D", "d"},      {"", "top"},    {"\xE4", "x"},   {"\xC4", "x"},    {"Long", "v"},
      {"Long", "q"},    {"CR", "c1"},    {"CR", "c2"},   {"A", "missing"}, {"missing", "k"},
  };
  Put(Path("read.ini"), file);
  for (const ::Read& r : reads)
    EXPECT_EQ(Visible(OurRead(file, r)), Visible(SystemRead(Path("read.ini"), r))) << "[" << r.section << "] " << r.key;

  // A quoted value of exactly 2047 characters: Wine cuts the closing quote
  // with the last character of the value and returns 2046 characters; the
  // value fits the 2047 characters a read returns, so ours returns it whole.
  const std::string exact = "[L]\r\nq=\"" + std::string(2047, 'w') + "\"\r\n";
  Put(Path("exact.ini"), exact);
  EXPECT_EQ(OurRead(exact, {"L", "q"}), std::string(2047, 'w'));
  RecordProperty("wine_quoted_2047", int(SystemRead(Path("exact.ini"), {"L", "q"}).size()));
}

}  // namespace
