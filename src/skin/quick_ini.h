// TQuickIni: read-only INI lookups on the skin's INI text. Lines are kept
// trimmed, without blanks and ";" comments; section headers are indexed so
// that finding a section is one lookup.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

class TQuickIni {
 public:
  // Replaces the contents with the text (8-bit; a NUL byte ends it).
  void LoadFromStream(std::span<const uint8_t> text);
  void LoadFromString(std::string_view text);

  // The trimmed value of the first line of the section whose key (text
  // before the first "=", trimmed) equals key; section and key ignore
  // letter case. An empty value, or no such line, gives def.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) const;
  // ReadString converted as a decimal number, or hexadecimal after "$",
  // "0x" or "0X"; def when it is missing or not a number.
  int32_t ReadInteger(const std::string& section, const std::string& key, int32_t def) const;
  // Replaces list with the section names, in file order, without brackets.
  void ReadSections(std::vector<std::string>& list) const;

  // The kept lines, in file order.
  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  struct Section {
    std::string header;  // "[Name]" as written
    size_t line;         // index in lines_
  };
  const Section* FindSection(const std::string& section) const;
  std::vector<std::string> lines_;
  std::vector<Section> sections_;
};

}  // namespace skin
