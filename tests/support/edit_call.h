// One edit call of a bot for tests that drive pages, dialogs or the
// publishing code alone: the product's bot descriptions,
// publishing dialogs that record what they were asked and answer as told,
// and the context tying them together.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "botframe/bot_description.h"
#include "botframe/edit_context.h"
#include "botframe/publishing.h"
#include "bots_fx/image_effects_bot.h"
#include "bots_fx/text_effects_bot.h"
#include "bots_s3/presentation_bot.h"
#include "bots_s3/scroller_bot.h"
#include "ui/scripted/driver.h"

namespace test_support {

// The product's bots.
inline constexpr const botframe::BotDescription& kScrollerBot = bots_s3::kScrollerDescription;
inline constexpr const botframe::BotDescription& kPresentationBot =
    bots_s3::kPresentationDescription;
inline constexpr const botframe::BotDescription& kTextEffectsBot =
    bots_fx::kTextEffectsDescription;
inline constexpr const botframe::BotDescription& kImageEffectsBot =
    bots_fx::kImageEffectsDescription;

// The bot under another sheet title, for a test bot of its own.
constexpr botframe::BotDescription WithSheetTitle(const botframe::BotDescription& bot,
                                                  const char* sheet_title) {
  botframe::BotDescription titled = bot;
  titled.sheet_title = sheet_title;
  return titled;
}

// Publishing dialogs that record each question and give the answers set.
class RecordingDialogs : public botframe::PublishingDialogs {
 public:
  class Progress : public botframe::ProgressDialog {
   public:
    explicit Progress(RecordingDialogs* owner) : owner_(owner) { ++owner_->open_progress; }
    ~Progress() override { --owner_->open_progress; }
    void SetStatus(const std::string& status, const std::string& file_name) override {
      owner_->statuses.push_back(status + file_name);
    }

   private:
    RecordingDialogs* owner_;
  };

  int open_progress = 0;
  int progress_count = 0;
  std::vector<std::string> statuses;
  // Missing files: what was shown, the answer, and the ticks the user leaves.
  std::vector<botframe::MissingEntry> missing_shown;
  botframe::MissingFilesAnswer missing_answer = botframe::MissingFilesAnswer::kContinue;
  std::optional<std::vector<bool>> ticks;
  // Overwrite: the questions asked (name, overwrite allowed), their owners,
  // and the answer.
  std::vector<std::pair<std::string, bool>> overwrite_asked;
  std::vector<ui::WindowHandle> overwrite_owners;
  botframe::OverwriteAnswer overwrite_answer = botframe::OverwriteAnswer::kCancel;
  std::string rename_to;

  std::unique_ptr<botframe::ProgressDialog> OpenProgress(ui::WindowHandle) override {
    ++progress_count;
    return std::make_unique<Progress>(this);
  }
  botframe::MissingFilesAnswer AskMissingFiles(std::vector<botframe::MissingEntry>& entries,
                                               ui::WindowHandle) override {
    missing_shown = entries;
    if (ticks && missing_answer == botframe::MissingFilesAnswer::kSynchronize) {
      for (size_t i = 0; i < entries.size() && i < ticks->size(); ++i) {
        entries[i].found_on_web = (*ticks)[i];
      }
    }
    return missing_answer;
  }
  botframe::OverwriteAnswer AskOverwrite(std::string* name, int, bool allowed,
                                         const botframe::EditRunState&,
                                         ui::WindowHandle owner) override {
    overwrite_asked.emplace_back(*name, allowed);
    overwrite_owners.push_back(owner);
    if (overwrite_answer == botframe::OverwriteAnswer::kRename) *name = rename_to;
    return overwrite_answer;
  }
};

// An edit call's context over recording dialogs, or over other dialogs
// (the user interface's) given to it.
class EditCall {
 public:
  explicit EditCall(const botframe::BotDescription& bot = kScrollerBot)
      : context_(bot, dialogs_) {}
  EditCall(const botframe::BotDescription& bot, botframe::PublishingDialogs& dialogs)
      : context_(bot, dialogs) {}
  EditCall(const EditCall&) = delete;
  EditCall& operator=(const EditCall&) = delete;

  botframe::EditContext& context() { return context_; }
  botframe::EditRunState& state() { return context_.state(); }
  RecordingDialogs& dialogs() { return dialogs_; }

 private:
  RecordingDialogs dialogs_;
  botframe::EditContext context_;
};

// A fixture's edit call, replaced by a new one when a test switches bots
// (pages made before the switch must be gone by then).
class EditCallHolder {
 public:
  botframe::EditContext& context() { return call_->context(); }
  botframe::EditRunState& state() { return call_->state(); }
  RecordingDialogs& dialogs() { return call_->dialogs(); }
  void UseBot(const botframe::BotDescription& bot) { call_ = std::make_unique<EditCall>(bot); }
  // A new call whose questions go to dialogs, which must outlive it.
  void UseDialogs(botframe::PublishingDialogs& dialogs) {
    call_ = std::make_unique<EditCall>(kScrollerBot, dialogs);
  }

  // The middle of an edit call of Bot: loads the attributes into the bot's
  // whole sheet, runs it answered by steps through driver, and on OK saves
  // every page and puts the applet tag in *tag; the sheet's result.
  template <typename Bot>
  int RunSheet(botframe::Attributes& attributes, ui::Driver& driver, ui::Driver::Steps steps,
               std::string* tag) {
    Bot bot;
    botframe::CGMWebbotProperties sheet(bot, context());
    bot.AddPages(sheet);
    sheet.Load(&attributes);
    driver.Expect(context().bot().sheet_title, std::move(steps));
    const int result = sheet.DoModal();
    if (result == ui::kIdOk) {
      sheet.SaveAll();
      *tag = sheet.WriteAppletTag();
    }
    return result;
  }

 private:
  std::unique_ptr<EditCall> call_ = std::make_unique<EditCall>();
};

}  // namespace test_support
