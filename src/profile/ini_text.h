// The text of one private-profile (INI) file, read and edited in memory.
//
// A line "[name]" opens a section; a line "key=value" in it gives a key. Names
// match without regard to (ASCII) case and with surrounding blanks ignored;
// the first matching section and the first matching key in it count. Edits
// change only the line they concern: every other byte of the text stays.
//
// The text is indexed once when it is read: its sections, and in each the
// first line of every key name, are found by one lookup, so reading a whole
// profile takes time linear in its size.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace profile {

class IniText {
 public:
  // Longest value a read returns, in characters.
  static constexpr size_t kMaxValue = 2047;

  IniText() = default;
  explicit IniText(std::string_view text);

  // The whole text, with the line ends it was given and CR LF on lines added.
  std::string Text() const;

  // The value of the key with the blanks around it removed, one pair of
  // enclosing quotation marks (" or ') removed and cut to kMaxValue
  // characters; nullopt when the section or the key is missing.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, const std::string& def) const;
  // A value longer than two characters that begins with "0x" or "0X" is
  // hexadecimal; otherwise the value reads as an integer (see
  // text::TryStrToInt). A value that does not read gives def.
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;

  // Sets a key: replaces its line in place, or adds it after the last line
  // of its section, or adds the section with the key at the end of the text.
  // The value is stored as given. False, with the text unchanged and the
  // reason in *error, when the names or the value cannot be stored as one
  // line (an empty name, a line break or NUL, or "=" in the key).
  bool WriteString(std::string_view section, std::string_view key, std::string_view value,
                   std::string* error = nullptr);

 private:
  struct Line {
    std::string text;       // without its line end
    std::string_view end;   // "\r\n", "\n", "\r" or "" (last line without one): literals
  };
  // Lower-cased names with the position of the first of each name, sorted
  // by name: a lookup is a binary search, a copy a few allocations.
  class NameIndex {
   public:
    // While reading: names in text order, made searchable by Seal().
    void Append(std::string name, size_t at) { entries_.emplace_back(std::move(name), at); }
    void Seal();
    // Adds a name that is not there yet.
    void Insert(std::string name, size_t at);
    std::optional<size_t> Find(std::string_view lower) const;

   private:
    std::vector<std::pair<std::string, size_t>> entries_;
  };
  // A header line and the lines up to the next header. The first section
  // holds the lines before the first header and has no header line.
  struct Section {
    bool has_header = false;
    Line header;
    std::vector<Line> body;
    NameIndex keys;  // key names -> index in body of the key's first line
  };
  static void AddBodyLine(Section& s, size_t at, Line line, bool reading);
  const Section* FindSection(std::string_view section) const;
  Section* FindSection(std::string_view section) {
    return const_cast<Section*>(static_cast<const IniText*>(this)->FindSection(section));
  }
  static std::optional<size_t> FindKey(const Section& s, std::string_view key);

  std::vector<Section> sections_ = std::vector<Section>(1);
  NameIndex names_;  // section names -> index in sections_ of the first of that name
};

// Blanks as profile names and values are trimmed of.
std::string_view TrimBlanks(std::string_view s);

}  // namespace profile
