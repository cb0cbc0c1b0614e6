// The Edit entry of an applet bot: check that FrontPage holds a saved page in
// an open web, prepare the applet's files, show the bot's property sheet,
// and on OK write the attributes ("S-HTML", "CLIENTSIDE", "PREVIEW",
// "version") and publish every file the applet needs.
#pragma once

#include <cstdint>

#include "botframe/properties.h"
#include "botframe/publishing.h"
#include "runner/bot_host.h"

namespace botframe {

// Runs one edit call of bot over the host's attribute list. 1 when the user
// confirmed and every file was published; 0 otherwise (each failure has shown
// its message). dialogs: the publishing dialogs to use (the user interface's
// when null).
int32_t RunAppletEdit(AppletBot& bot, BotAttributeList* list, const BotHostCallbacks* host,
                      PublishingDialogs* dialogs = nullptr);

// The web URL as the edit flow keeps it: "file://" + "///" + path loses the
// three extra slashes; anything else stays. *disk_web tells whether it is a
// "file://" URL.
std::string NormalizeWebUrl(const std::string& web_url, bool* disk_web);

}  // namespace botframe
