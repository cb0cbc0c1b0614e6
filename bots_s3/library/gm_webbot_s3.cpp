// GMWebbotS3: the bot library of the scroller (and, as they arrive, the
// presentation and the button bar). Each bot has one Edit entry the runner
// calls through the bot callback table.
#include "botframe/edit_flow.h"
#include "bots_s3/scroller_bot.h"

#if defined(_WIN32)
#define GM_EXPORT extern "C" __declspec(dllexport)
#else
#define GM_EXPORT extern "C" __attribute__((visibility("default")))
#endif

GM_EXPORT int32_t BOT_CALL GMScroller_Edit(BotAttributeList* list, const BotHostCallbacks* host) {
  try {
    bots_s3::ScrollerBot bot;
    return botframe::RunAppletEdit(bot, list, host);
  } catch (...) {
    return 0;
  }
}
