// A bot launcher: a windowless program that creates one new component of one
// bot in the page open in the editor. It is linked against the bot's library,
// calls the bot's Edit entry directly with an empty attribute list, and
// inserts the composed component as the runner does. Built once per bot, with
// LAUNCHER_EDIT_ENTRY (the Edit entry) and LAUNCHER_BOT_NAME (the name written
// into the component's comments) set by the build.
#include <cstdint>
#include <memory>
#include <string>

#include "base/text.h"
#include "platform/services.h"
#include "runner/attribute_list.h"
#include "runner/bot_host.h"
#include "runner/compose.h"
#include "runner/run_bot.h"

#if !defined(LAUNCHER_EDIT_ENTRY) || !defined(LAUNCHER_BOT_NAME)
#error "LAUNCHER_EDIT_ENTRY and LAUNCHER_BOT_NAME name the bot this launcher starts"
#endif

#if defined(_WIN32)
#define LAUNCHER_IMPORT __declspec(dllimport)
#else
#define LAUNCHER_IMPORT
#endif

extern "C" LAUNCHER_IMPORT int32_t BOT_CALL LAUNCHER_EDIT_ENTRY(BotAttributeList* list,
                                                               const BotHostCallbacks* host);

namespace {

// The composed component, with "CLIENTSIDE" left out of its comment as well
// as "S-HTML".
std::string ComposeForLauncher(const BotAttributeList& list) {
  runner::AttributeEntries kept;
  for (int32_t i = 0; i < list.count; ++i) {
    const BotAttribute& entry = list.entries[i];
    if (base::EqualsNoCase(entry.name, "CLIENTSIDE")) continue;
    kept.emplace_back(entry.name, entry.value ? std::optional<std::string>(entry.value)
                                              : std::nullopt);
  }
  runner::AttributeList copy(kept);
  return runner::ComposeWebbotHtml(copy.list(), LAUNCHER_BOT_NAME);
}

void Launch() {
  platform::Automation& automation = platform::GetAutomation();
  const bool ole = platform::Succeeded(automation.Initialize());
  runner::AttributeList list;
  // A list damaged for lack of memory is not the component the bot made.
  if (LAUNCHER_EDIT_ENTRY(list.get(), &runner::HostCallbacks()) != 0 && !list.damaged()) {
    const std::string html = ComposeForLauncher(list.list());
    // Without an editor there is nobody to tell: the bot has already said
    // what it could not reach.
    for (const char* prog_id : {"FrontPage.Editor", "FrontPage.Editor.3.0"}) {
      platform::CreateResult editor = automation.Create(prog_id);
      if (!editor.object) continue;
      runner::InsertHtmlIntoPage(*editor.object, html);
      break;
    }
  }
  if (ole) automation.Uninitialize();
}

}  // namespace

int main() {
  try {
    Launch();
  } catch (...) {
    // The exit code is 0 whatever happened.
  }
  return 0;
}
