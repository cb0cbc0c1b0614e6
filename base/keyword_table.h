// Tables that pair what a list shows (a caption: "Absolute Middle") with
// what a page stores for it (a keyword: "absmiddle"), with one lookup each
// way.
//
// Letter case, the same for every table: a caption is what a user sees and
// may type, so captions match without regard to letter case (as
// base::EqualsNoCase compares); a keyword is what the page stores and the
// applet reads, so keywords match only exactly as stored. An empty keyword
// stands for "nothing stored": a row may have one, and looking up the empty
// keyword finds no row. When two rows match, the first wins.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace base {

struct KeywordRow {
  const char* caption;
  const char* keyword;
};

class KeywordTable {
 public:
  template <size_t N>
  constexpr KeywordTable(const KeywordRow (&rows)[N]) : rows_(rows) {}

  constexpr size_t size() const { return rows_.size(); }
  constexpr const KeywordRow& operator[](size_t index) const { return rows_[index]; }
  constexpr auto begin() const { return rows_.begin(); }
  constexpr auto end() const { return rows_.end(); }

  // Index of the row, or -1.
  int IndexOfCaption(std::string_view caption) const;
  int IndexOfKeyword(std::string_view keyword) const;
  // The other half of the row, or no value.
  std::optional<std::string_view> KeywordOf(std::string_view caption) const;
  std::optional<std::string_view> CaptionOf(std::string_view keyword) const;

 private:
  std::span<const KeywordRow> rows_;
};

}  // namespace base
