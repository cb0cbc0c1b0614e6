// The sound preview player against a recording sound service: the exact MCI
// command strings, the open/play/close states, and what the dialog's "Play"
// and "Stop" buttons show.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "botframe/sound_player.h"
#include "platform/services.h"
#include "ui/scripted/scripted_message_box.h"

namespace {

using botframe::SoundPlayer;
using Commands = std::vector<std::string>;

constexpr platform::SoundError kFileNotFound = 275;  // MCIERR_FILE_NOT_FOUND
constexpr platform::SoundError kDeviceNotReady = 276;

// Records every command; answers from a queue of error codes (0 when empty)
// and knows the short forms it was given.
class RecordingSound : public platform::Sound {
 public:
  Commands commands;
  std::vector<platform::SoundNotifyWindow> notify_windows;
  std::deque<platform::SoundError> errors;
  std::map<std::string, std::string> short_paths;
  std::map<platform::SoundError, std::string> error_texts;

  platform::SoundReply SendCommand(const std::string& command,
                                   platform::SoundNotifyWindow notify) override {
    commands.push_back(command);
    notify_windows.push_back(notify);
    platform::SoundReply reply;
    if (!errors.empty()) {
      reply.error = errors.front();
      errors.pop_front();
    }
    return reply;
  }
  std::string ErrorText(platform::SoundError error) override {
    const auto found = error_texts.find(error);
    return found == error_texts.end() ? std::string() : found->second;
  }
  std::string ShortPathName(const std::string& path) override {
    const auto found = short_paths.find(path);
    return found == short_paths.end() ? std::string() : found->second;
  }
};

class SoundPlayerTest : public testing::Test {
 protected:
  SoundPlayerTest() {
    sound_.short_paths["C:\\Sounds\\Long Name.au"] = "C:\\SOUNDS\\LONGNA~1.AU";
    sound_.short_paths["C:\\Sounds\\Bell.au"] = "C:\\SOUNDS\\BELL.AU";
    sound_.error_texts[kFileNotFound] = "The specified file cannot be found.";
    sound_.error_texts[kDeviceNotReady] = "The device is not ready.";
  }

  RecordingSound sound_;
  platform::ScopedServices services_{platform::Services{.sound = &sound_}};
  ui::ScriptedMessageBoxes boxes_;
  ui::ScopedMessageBoxes scoped_boxes_{&boxes_};
};

TEST_F(SoundPlayerTest, OpenPlayAndCloseSendTheAliasCommands) {
  int window = 0;
  {
    SoundPlayer player;
    EXPECT_FALSE(player.is_open());
    // A path with spaces goes through its short form.
    ASSERT_TRUE(player.Open("mpegvideo", "QFXSoundPreview", "C:\\Sounds\\Long Name.au", true,
                            nullptr));
    EXPECT_TRUE(player.is_open());
    EXPECT_EQ("QFXSoundPreview", player.alias());
    EXPECT_TRUE(player.Play(false, nullptr));
    EXPECT_TRUE(player.Play(true, &window));
    EXPECT_TRUE(player.Close(true, nullptr));
    EXPECT_FALSE(player.is_open());
    EXPECT_EQ("", player.alias());
    EXPECT_EQ(0u, player.last_error());
  }
  EXPECT_EQ((Commands{"open mpegvideo!C:\\SOUNDS\\LONGNA~1.AU alias QFXSoundPreview wait",
                      "play QFXSoundPreview", "play QFXSoundPreview notify wait",
                      "close QFXSoundPreview wait"}),
            sound_.commands);
  EXPECT_EQ(&window, sound_.notify_windows[2]);
  EXPECT_EQ(nullptr, sound_.notify_windows[0]);
}

TEST_F(SoundPlayerTest, NothingIsSentWhileNothingIsOpen) {
  {
    SoundPlayer player;
    EXPECT_FALSE(player.Play(false, nullptr));
    EXPECT_FALSE(player.Close(true, nullptr));
  }
  EXPECT_TRUE(sound_.commands.empty());
}

TEST_F(SoundPlayerTest, OpeningAnotherFileClosesTheFirstAndDestructionClosesTheLast) {
  int window = 0;
  {
    SoundPlayer player;
    ASSERT_TRUE(player.Open("waveaudio", "First", "C:\\Sounds\\Bell.au", false, nullptr));
    ASSERT_TRUE(player.Open("mpegvideo", "Second", "C:\\Sounds\\Long Name.au", false, &window));
    EXPECT_EQ("Second", player.alias());
  }
  EXPECT_EQ((Commands{"open waveaudio!C:\\SOUNDS\\BELL.AU alias First",
                      "close First notify wait",
                      "open mpegvideo!C:\\SOUNDS\\LONGNA~1.AU alias Second notify",
                      "close Second wait"}),
            sound_.commands);
  EXPECT_EQ(&window, sound_.notify_windows[1]);
  EXPECT_EQ(nullptr, sound_.notify_windows[3]);
}

TEST_F(SoundPlayerTest, FailuresKeepTheCodeAndTextUntilTheNextSuccess) {
  SoundPlayer player;
  sound_.errors = {kFileNotFound};
  // A file without a short form (here: missing) is named as given.
  EXPECT_FALSE(player.Open("mpegvideo", "A", "C:\\Gone\\No Such.au", true, nullptr));
  EXPECT_EQ("open mpegvideo!C:\\Gone\\No Such.au alias A wait", sound_.commands.back());
  EXPECT_FALSE(player.is_open());
  EXPECT_EQ(kFileNotFound, player.last_error());
  EXPECT_EQ("The specified file cannot be found.", player.error_text());
  // A failed open remembers no alias, so there is nothing to play.
  EXPECT_FALSE(player.Play(false, nullptr));
  EXPECT_EQ(1u, sound_.commands.size());

  ASSERT_TRUE(player.Open("mpegvideo", "A", "C:\\Sounds\\Bell.au", true, nullptr));
  EXPECT_EQ(0u, player.last_error());
  EXPECT_EQ("", player.error_text());

  // A failed close leaves the device open, and the next close tries again.
  sound_.errors = {kDeviceNotReady};
  EXPECT_FALSE(player.Close(true, nullptr));
  EXPECT_TRUE(player.is_open());
  EXPECT_EQ("The device is not ready.", player.error_text());
  EXPECT_TRUE(player.Close(true, nullptr));
  EXPECT_EQ((Commands{"close A wait", "close A wait"}),
            Commands(sound_.commands.end() - 2, sound_.commands.end()));
}

TEST_F(SoundPlayerTest, ErrorTextIsCutToItsBuffer) {
  sound_.error_texts[kFileNotFound] = std::string(5000, 'x');
  sound_.errors = {kFileNotFound};
  SoundPlayer player;
  EXPECT_FALSE(player.SendCommand("open x", false, nullptr));
  EXPECT_EQ(std::string(1023, 'x'), player.error_text());
}

TEST_F(SoundPlayerTest, PlayButtonOpensWaitingAndPlaysWithoutWaiting) {
  {
    SoundPlayer player;
    botframe::PlaySoundPreview(player, "C:\\Sounds\\Bell.au", nullptr);
    EXPECT_TRUE(player.is_open());
    // Pressing "Play" again restarts: the first device is closed first.
    botframe::PlaySoundPreview(player, "C:\\Sounds\\Long Name.au", nullptr);
    botframe::StopSoundPreview(player);
    EXPECT_FALSE(player.is_open());
    // "Stop" with nothing open does nothing.
    botframe::StopSoundPreview(player);
  }
  EXPECT_EQ((Commands{"open mpegvideo!C:\\SOUNDS\\BELL.AU alias QFXSoundPreview wait",
                      "play QFXSoundPreview",
                      "close QFXSoundPreview wait",
                      "open mpegvideo!C:\\SOUNDS\\LONGNA~1.AU alias QFXSoundPreview wait",
                      "play QFXSoundPreview",
                      "close QFXSoundPreview wait"}),
            sound_.commands);
  EXPECT_TRUE(boxes_.shown().empty());
}

TEST_F(SoundPlayerTest, PlayButtonShowsOnlyTheMissingSelectionAndOpenFailures) {
  int owner = 0;
  SoundPlayer player;
  botframe::PlaySoundPreview(player, "", &owner);
  ASSERT_EQ(1u, boxes_.shown().size());
  EXPECT_EQ("Please select a file.", boxes_.shown()[0].text);
  EXPECT_EQ(&owner, boxes_.shown()[0].owner);
  EXPECT_TRUE(sound_.commands.empty());

  sound_.errors = {kFileNotFound};
  botframe::PlaySoundPreview(player, "C:\\Sounds\\Bell.au", &owner);
  ASSERT_EQ(2u, boxes_.shown().size());
  EXPECT_EQ("Error occurred while opening the audio file:\nThe specified file cannot be found.",
            boxes_.shown()[1].text);
  EXPECT_EQ(1u, sound_.commands.size());  // no play after the failed open

  // A failed play is silent.
  sound_.errors = {0, kDeviceNotReady};
  botframe::PlaySoundPreview(player, "C:\\Sounds\\Bell.au", &owner);
  EXPECT_EQ("play QFXSoundPreview", sound_.commands.back());
  EXPECT_EQ(kDeviceNotReady, player.last_error());
  EXPECT_EQ(2u, boxes_.shown().size());
}

}  // namespace
