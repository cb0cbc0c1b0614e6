// Turning a component's attributes into the webbot comment pair that goes
// into the page.
#pragma once

#include <string>
#include <string_view>

#include "runner/bot_host.h"

namespace runner {

// The component's HTML: the startspan comment with every attribute but
// "S-HTML" (in list order), the "S-HTML" value unescaped, and the endspan
// comment, wrapped in "<html>\n<body>" and "</body>\n</html>".
std::string ComposeWebbotHtml(const BotAttributeList& list, std::string_view bot_name);

// The same, appended to a host text buffer.
void ComposeWebbotHtml(const BotAttributeList& list, std::string_view bot_name,
                       BotTextBuffer* buffer);

}  // namespace runner
