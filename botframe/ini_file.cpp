// The INI file reader.
#include "botframe/ini_file.h"

#include "base/text.h"
#include "platform/services.h"

namespace botframe {

IniFile IniFile::Load(const std::string& path) {
  std::string text;
  if (path.empty() || platform::GetFiles().ReadFile(path, &text) != platform::kOk) return {};
  return Parse(text);
}

IniFile IniFile::Parse(std::string_view text) {
  IniFile file;
  // A file saved as UTF-8 by an editor may begin with its byte order mark.
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = base::Trim(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const size_t close = line.find(']');
      const std::string_view name =
          line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
      file.sections_.push_back({std::string(base::Trim(name)), {}, {}});
      continue;
    }
    if (file.sections_.empty()) continue;
    file.sections_.back().lines.emplace_back(line);
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    file.sections_.back().entries.push_back({std::string(base::Trim(line.substr(0, equals))),
                                             std::string(base::Trim(line.substr(equals + 1)))});
  }
  return file;
}

const IniFile::Section* IniFile::Find(std::string_view section) const {
  for (const Section& s : sections_) {
    if (base::EqualsNoCase(s.name, section)) return &s;
  }
  return nullptr;
}

bool IniFile::HasSection(std::string_view section) const { return Find(section) != nullptr; }

const std::vector<std::string>& IniFile::SectionLines(std::string_view section) const {
  static const std::vector<std::string> kNoLines;
  const Section* found = Find(section);
  return found ? found->lines : kNoLines;
}

std::string IniFile::GetString(std::string_view section, std::string_view key,
                               std::string_view fallback, size_t max_chars) const {
  std::string_view value = fallback;
  if (const Section* found = Find(section)) {
    for (const Entry& entry : found->entries) {
      if (!base::EqualsNoCase(entry.key, key)) continue;
      value = entry.value;
      if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
          value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
      }
      break;
    }
  }
  return std::string(value.substr(0, max_chars));
}

}  // namespace botframe
