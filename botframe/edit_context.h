// EditContext: everything one edit call of a bot works with — the bot's own
// description, the run's state and the publishing dialogs. The edit flow
// creates it and hands it to the sheet, its pages and the publishing code;
// nothing of an edit call lives in globals.
#pragma once

#include "botframe/bot_description.h"
#include "botframe/edit_state.h"

namespace botframe {

class PublishingDialogs;

class EditContext {
 public:
  // bot and dialogs must outlive the context.
  EditContext(const BotDescription& bot, PublishingDialogs& dialogs)
      : bot_(bot), dialogs_(dialogs) {}
  EditContext(const EditContext&) = delete;
  EditContext& operator=(const EditContext&) = delete;

  const BotDescription& bot() const { return bot_; }
  const LibraryDescription& library() const { return bot_.library; }
  EditRunState& state() { return state_; }
  const EditRunState& state() const { return state_; }
  PublishingDialogs& dialogs() const { return dialogs_; }

 private:
  const BotDescription& bot_;
  PublishingDialogs& dialogs_;
  EditRunState state_;
};

}  // namespace botframe
