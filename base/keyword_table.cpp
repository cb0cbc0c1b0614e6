// Caption and keyword lookups.
#include "base/keyword_table.h"

#include "base/text.h"

namespace base {

int KeywordTable::IndexOfCaption(std::string_view caption) const {
  for (size_t i = 0; i < rows_.size(); ++i) {
    if (EqualsNoCase(rows_[i].caption, caption)) return static_cast<int>(i);
  }
  return -1;
}

int KeywordTable::IndexOfKeyword(std::string_view keyword) const {
  if (keyword.empty()) return -1;
  for (size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].keyword == keyword) return static_cast<int>(i);
  }
  return -1;
}

std::optional<std::string_view> KeywordTable::KeywordOf(std::string_view caption) const {
  const int index = IndexOfCaption(caption);
  if (index < 0) return std::nullopt;
  return rows_[static_cast<size_t>(index)].keyword;
}

std::optional<std::string_view> KeywordTable::CaptionOf(std::string_view keyword) const {
  const int index = IndexOfKeyword(keyword);
  if (index < 0) return std::nullopt;
  return rows_[static_cast<size_t>(index)].caption;
}

}  // namespace base
