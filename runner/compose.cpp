// Composition of the webbot comment pair.
#include "runner/compose.h"

#include <cstring>

#include "base/quoting.h"
#include "base/text.h"
#include "runner/attribute_list.h"

namespace runner {

namespace {

bool IsShtml(const BotAttribute& entry) { return base::EqualsNoCase(entry.name, "S-HTML"); }

bool HasText(const char* text) { return text && text[0] != '\0'; }

}  // namespace

std::string ComposeWebbotHtml(const BotAttributeList& list, std::string_view bot_name) {
  // Size the text once: a component can carry many long values.
  size_t size = 96 + 2 * bot_name.size();
  for (int32_t i = 0; i < list.count; ++i) {
    const BotAttribute& entry = list.entries[i];
    const size_t value_size = entry.value ? std::strlen(entry.value) : 0;
    if (IsShtml(entry)) {
      size += value_size;
    } else {
      size += 1 + std::strlen(entry.name) + (value_size ? 4 + base::EscapedAttributeSize(entry.value) : 0);
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
      base::AppendEscapedAttributeValue(html, entry.value);
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
