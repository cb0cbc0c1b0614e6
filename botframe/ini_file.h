// IniFile: a read-only INI file (sections in brackets, "key=value" lines)
// looked up as Windows' private-profile reading does, for the product's
// catalogues; the Linux build has no such API, so both builds use this one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace botframe {

class IniFile {
 public:
  // An empty file: every lookup gives its fallback.
  IniFile() = default;
  // The file at path read through the platform's files; a missing or
  // unreadable file reads as empty.
  static IniFile Load(const std::string& path);
  // Text as a file holds it: "[section]" lines, "key=value" lines (blanks
  // around both halves dropped), ";" comment lines; other lines are passed
  // over, as are keys before the first section; a leading UTF-8 byte order
  // mark is dropped.
  static IniFile Parse(std::string_view text);

  // The value of key in section, both found without regard to letter case
  // (the first section and the first key of a name win); one pair of
  // matching quotes around the value is dropped, and the value is cut to
  // max_chars characters. fallback when the section or key is absent; a key
  // with nothing after its "=" gives the empty text.
  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view fallback, size_t max_chars = 255) const;
  bool HasSection(std::string_view section) const;
  // Every line of section (found as GetString finds it) in file order, as
  // Parse keeps it: blanks around it dropped, empty and ";" comment lines
  // left out, lines without "=" kept. Empty when the section is absent.
  const std::vector<std::string>& SectionLines(std::string_view section) const;

 private:
  struct Entry {
    std::string key;
    std::string value;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
    std::vector<std::string> lines;
  };
  const Section* Find(std::string_view section) const;

  std::vector<Section> sections_;
};

}  // namespace botframe
