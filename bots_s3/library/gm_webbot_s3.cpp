// GMWebbotS3: the bot library of the scroller, the presentation and the
// button bar. Each bot has one Edit entry the runner calls
// through the bot callback table.
#include "base/export.h"
#include "botframe/edit_flow.h"
#include "bots_s3/button_bar_bot.h"
#include "bots_s3/presentation_bot.h"
#include "bots_s3/scroller_bot.h"
#include "ui/backend.h"

extern "C" GLINTMERE_EXPORT int32_t BOT_CALL GMScroller_Edit(BotAttributeList* list,
                                                            const BotHostCallbacks* host) {
  return botframe::RunBotEdit<bots_s3::ScrollerBot>(list, host);
}

extern "C" GLINTMERE_EXPORT int32_t BOT_CALL GMPresent_Edit(BotAttributeList* list,
                                                           const BotHostCallbacks* host) {
  return botframe::RunBotEdit<bots_s3::PresentationBot>(list, host);
}

extern "C" GLINTMERE_EXPORT int32_t BOT_CALL BBBot_Edit(BotAttributeList* list,
                                                       const BotHostCallbacks* host) {
  ui::RestartScriptedSystemBackend();
  return bots_s3::RunButtonBarEdit(list, host);
}
