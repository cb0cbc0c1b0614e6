// Composition of the webbot comment pair.
#include "runner/compose.h"

#include <cstring>

#include "base/text.h"
#include "runner/attribute_list.h"

namespace runner {

namespace {

// Extra bytes each character needs once escaped (0 for most).
struct ExtraTable {
  unsigned char extra[256] = {};
  constexpr ExtraTable() {
    extra[static_cast<unsigned char>('"')] = 5;
    extra[static_cast<unsigned char>('&')] = 4;
    extra[static_cast<unsigned char>('<')] = 3;
    extra[static_cast<unsigned char>('>')] = 3;
  }
};
constexpr ExtraTable kExtra;

size_t Extra(char c) { return kExtra.extra[static_cast<unsigned char>(c)]; }

// The length of value once escaped.
size_t EscapedSize(std::string_view value) {
  size_t size = value.size();
  for (char c : value) size += Extra(c);
  return size;
}

bool IsShtml(const BotAttribute& entry) { return base::EqualsNoCase(entry.name, "S-HTML"); }

bool HasText(const char* text) { return text && text[0] != '\0'; }

}  // namespace

void EscapeAttributeValue(std::string_view value, std::string* out) {
  out->reserve(out->size() + EscapedSize(value));
  size_t start = 0;
  for (size_t i = 0; i < value.size(); ++i) {
    if (Extra(value[i]) == 0) continue;
    // Copy the run before the special character in one piece.
    out->append(value.data() + start, i - start);
    switch (value[i]) {
      case '"': out->append("&quot;"); break;
      case '&': out->append("&amp;"); break;
      case '<': out->append("&lt;"); break;
      default: out->append("&gt;"); break;
    }
    start = i + 1;
  }
  out->append(value.data() + start, value.size() - start);
}

std::string ComposeWebbotHtml(const BotAttributeList& list, std::string_view bot_name) {
  // Size the text once: a component can carry many long values.
  size_t size = 96 + 2 * bot_name.size();
  for (int32_t i = 0; i < list.count; ++i) {
    const BotAttribute& entry = list.entries[i];
    const size_t value_size = entry.value ? std::strlen(entry.value) : 0;
    if (IsShtml(entry)) {
      size += value_size;
    } else {
      size += 1 + std::strlen(entry.name) + (value_size ? 4 + EscapedSize(entry.value) : 0);
    }
  }
  std::string html;
  html.reserve(size);
  html.append("<html>\n<body>");
  html.append("<!--webbot bot=\"").append(bot_name).append("\" startspan");
  const BotAttribute* shtml = nullptr;
  for (int32_t i = 0; i < list.count; ++i) {
    const BotAttribute& entry = list.entries[i];
    if (IsShtml(entry)) {
      shtml = &entry;  // the last one wins
      continue;
    }
    if (entry.name[0] == '\0') continue;
    html.push_back(' ');
    html.append(entry.name);
    if (HasText(entry.value)) {
      html.append("=\"");
      EscapeAttributeValue(entry.value, &html);
      html.append("\"\n");
    }
  }
  html.append("-->\n");
  if (shtml && shtml->value) html.append(shtml->value);
  html.append("<!--webbot bot=\"").append(bot_name).append("\" endspan -->\n");
  html.append("</body>\n</html>");
  return html;
}

void ComposeWebbotHtml(const BotAttributeList& list, std::string_view bot_name,
                       BotTextBuffer* buffer) {
  HostAppendText(buffer, ComposeWebbotHtml(list, bot_name).c_str());
}

}  // namespace runner
