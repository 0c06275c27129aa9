// The text of one private-profile (INI) file, read and edited in memory.
//
// A line "[name]" opens a section; a line "key=value" in it gives a key. Names
// match without regard to (ASCII) case and with surrounding blanks ignored;
// the first matching section and the first matching key in it count. Edits
// change only the line they concern: every other byte of the text stays.
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
    std::string text;  // without its line end
    std::string end;   // "\r\n", "\n", "\r" or "" (last line without one)
  };
  // Index range [first, last) of a section's lines after its header, or
  // nullopt when the section is missing.
  struct Range {
    size_t header, first, last;
  };
  std::optional<Range> FindSection(std::string_view section) const;
  std::optional<size_t> FindKey(const Range& r, std::string_view key) const;

  std::vector<Line> lines_;
};

// Blanks as profile names and values are trimmed of.
std::string_view TrimBlanks(std::string_view s);

}  // namespace profile
