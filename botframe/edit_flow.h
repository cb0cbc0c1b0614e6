// The Edit entry of an applet bot: check that FrontPage holds a saved page in
// an open web, prepare the applet's files, show the bot's property sheet,
// and on OK write the attributes ("S-HTML", "CLIENTSIDE", "PREVIEW",
// "version") and publish every file the applet needs.
#pragma once

#include <cstdint>

#include "botframe/properties.h"
#include "botframe/publishing.h"
#include "runner/bot_host.h"
#include "ui/backend.h"

namespace botframe {

// Runs one edit call of bot over the host's attribute list. 1 when the user
// confirmed and every file was published; 0 otherwise (each failure has shown
// its message). dialogs: the publishing dialogs to use (the user interface's
// when null).
int32_t RunAppletEdit(AppletBot& bot, BotAttributeList* list, const BotHostCallbacks* host,
                      PublishingDialogs* dialogs = nullptr);

// An Edit entry's whole body: runs an edit call of a new Bot with the UI's
// dialogs, and turns any exception into the failure value, so none crosses
// the library's boundary.
template <typename Bot>
int32_t RunBotEdit(BotAttributeList* list, const BotHostCallbacks* host) noexcept {
  try {
    ui::RestartScriptedSystemBackend();
    Bot bot;
    return RunAppletEdit(bot, list, host);
  } catch (...) {
    return 0;
  }
}

// The web URL as the edit flow keeps it: "file://" + "///" + path loses the
// three extra slashes; anything else stays. *disk_web tells whether it is a
// "file://" URL.
std::string NormalizeWebUrl(const std::string& web_url, bool* disk_web);

}  // namespace botframe
