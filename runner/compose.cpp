// Composition of the webbot comment pair.
#include "runner/compose.h"

#include <cstring>

#include "base/text.h"
#include "runner/attribute_list.h"

namespace runner {

void EscapeAttributeValue(std::string_view value, std::string* out) {
  size_t extra = 0;
  for (char c : value) {
    switch (c) {
      case '"': extra += 5; break;
      case '&': extra += 4; break;
      case '<':
      case '>': extra += 3; break;
      default: break;
    }
  }
  out->reserve(out->size() + value.size() + extra);
  for (char c : value) {
    switch (c) {
      case '"': out->append("&quot;"); break;
      case '&': out->append("&amp;"); break;
      case '<': out->append("&lt;"); break;
      case '>': out->append("&gt;"); break;
      default: out->push_back(c); break;
    }
  }
}

std::string ComposeWebbotHtml(const BotAttributeList& list, std::string_view bot_name) {
  std::string html;
  html.append("<html>\n<body>");
  html.append("<!--webbot bot=\"").append(bot_name).append("\" startspan");
  const BotAttribute* shtml = nullptr;
  for (int32_t i = 0; i < list.count; ++i) {
    const BotAttribute& entry = list.entries[i];
    if (base::EqualsNoCase(entry.name, "S-HTML")) {
      shtml = &entry;  // the last one wins
      continue;
    }
    if (entry.name[0] == '\0') continue;
    html.push_back(' ');
    html.append(entry.name);
    if (entry.value && entry.value[0] != '\0') {
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
