// GMWebbot: the bot library of the text effects and image effects bots. Each
// bot has one Edit entry the runner calls through the bot callback table.
#include "base/export.h"
#include "botframe/edit_flow.h"
#include "bots_fx/image_effects_bot.h"
#include "bots_fx/text_effects_bot.h"

extern "C" GLINTMERE_EXPORT int32_t BOT_CALL GMBots_Edit(BotAttributeList* list,
                                                        const BotHostCallbacks* host) {
  return botframe::RunBotEdit<bots_fx::TextEffectsBot>(list, host);
}

extern "C" GLINTMERE_EXPORT int32_t BOT_CALL GMImageBots_Edit(BotAttributeList* list,
                                                             const BotHostCallbacks* host) {
  return botframe::RunBotEdit<bots_fx::ImageEffectsBot>(list, host);
}
