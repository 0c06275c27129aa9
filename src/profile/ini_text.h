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
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace profile {

class IniText {
 public:
  // Longest value a read returns, in characters.
  static constexpr size_t kMaxValue = 2047;
  // Most characters a text and its edits may come to: a longer text, or an
  // edit that would go past it, throws std::length_error. (Profiles are
  // read up to a megabyte.)
  static constexpr size_t kMaxStore = size_t(1) << 30;

  IniText() = default;
  explicit IniText(std::string_view text);

  // The whole text, with the line ends it was given and CR LF on lines added.
  std::string Text() const;

  // The value of the key with the blanks around it removed, one pair of
  // enclosing quotation marks (" or ') removed and cut to kMaxValue
  // characters; nullopt when the section or the key is missing.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
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
  // Room for this many more lines of this many characters in all, so that
  // writing a whole profile grows the text's blocks once.
  void Reserve(size_t lines, size_t chars);

 private:
  // A piece of store_: offsets, so that copies and a growing store_ keep it.
  struct Span {
    size_t begin = 0, size = 0;
  };
  struct Line {
    Span text;              // without its line end
    std::string_view end;   // "\r\n", "\n", "\r" or "" (last line without one): literals
  };
  // A header line and the lines up to the next header, which are
  // lines_[first, first + count). The first section holds the lines before
  // the first header and has no header line.
  struct Section {
    bool has_header = false;
    Line header;
    size_t first = 0, count = 0;
  };
  // Names as the text spells them, each with the position of the first of
  // that name in its group (the sections, or the keys of one section): an
  // open-addressing hash table on the name without regard to case, so that
  // adding and finding a name take one hash and a probe or two, allocate
  // nothing (but to grow), and a copy is one block.
  class NameIndex {
   public:
    // Adds a name unless its group has it already: the first one stays.
    void Add(const std::string& store, size_t group, Span name, size_t at);
    std::optional<size_t> Find(const std::string& store, size_t group, std::string_view name) const;
    // Room for n names without growing.
    void Reserve(size_t n);

   private:
    // 32-bit fields keep a slot at 24 bytes: texts are limited to kMaxStore.
    static constexpr uint32_t kEmpty = UINT32_MAX;  // the group of a free slot
    struct Slot {
      uint32_t group = kEmpty;
      uint32_t at = 0;
      uint32_t name_begin = 0, name_size = 0;
      uint64_t hash = 0;
    };
    static uint64_t Hash(size_t group, std::string_view name);
    std::vector<Slot> slots_;  // a power of two of them, at most half taken
    size_t count_ = 0;
  };
  // Spans always lie inside the store.
  static std::string_view Piece(const std::string& store, Span s) { return std::string_view(store.data() + s.begin, s.size); }
  std::string_view View(Span s) const { return Piece(store_, s); }
  // Where a part of View(whole) lies in store_.
  static Span SpanOf(Span whole, std::string_view whole_text, std::string_view part);
  // Appends a line's text, given in pieces, to store_. No piece may lie in
  // store_ itself (appending may move it).
  Span Store(std::initializer_list<std::string_view> pieces);
  // Inserts a line into section i's body at position at (of the body).
  void AddBodyLine(size_t i, size_t at, Line line);
  // Names without blanks around them.
  std::optional<size_t> FindSection(std::string_view section) const;
  std::optional<size_t> FindKey(size_t section, std::string_view key) const;
  // What Find returns, as a piece of store_.
  std::optional<std::string_view> FindValue(std::string_view section, std::string_view key) const;
  Line& BodyLine(size_t section, size_t at) { return lines_[sections_[section].first + at]; }
  const Line& BodyLine(size_t section, size_t at) const { return lines_[sections_[section].first + at]; }

  // The text as it was read, followed by the lines edits made; lines and
  // names are pieces of it. Replaced lines stay behind unused.
  std::string store_;
  std::vector<Line> lines_;  // every line but the headers, in text order
  std::vector<Section> sections_ = std::vector<Section>(1);
  // Group kSectionGroup: section names -> index in sections_; group i: the
  // key names of section i -> index in its body. One table, so that a text
  // costs one block for them.
  static constexpr size_t kSectionGroup = UINT32_MAX - 1;
  NameIndex names_;
};

// Blanks as profile names and values are trimmed of.
std::string_view TrimBlanks(std::string_view s);

}  // namespace profile
