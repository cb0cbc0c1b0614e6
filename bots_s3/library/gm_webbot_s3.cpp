// GMWebbotS3: the bot library of the scroller, the presentation and (as it
// arrives) the button bar. Each bot has one Edit entry the runner calls
// through the bot callback table.
#include "botframe/edit_flow.h"
#include "bots_s3/presentation_bot.h"
#include "bots_s3/scroller_bot.h"

#if defined(_WIN32)
#define GM_EXPORT extern "C" __declspec(dllexport)
#else
#define GM_EXPORT extern "C" __attribute__((visibility("default")))
#endif

GM_EXPORT int32_t BOT_CALL GMScroller_Edit(BotAttributeList* list, const BotHostCallbacks* host) {
  return botframe::RunBotEdit<bots_s3::ScrollerBot>(list, host);
}

GM_EXPORT int32_t BOT_CALL GMPresent_Edit(BotAttributeList* list, const BotHostCallbacks* host) {
  return botframe::RunBotEdit<bots_s3::PresentationBot>(list, host);
}
