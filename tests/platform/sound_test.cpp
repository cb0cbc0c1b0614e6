// Tests of the system sound service: on Linux every open fails with the clear
// "no audio device" error; under Wine the real MCI player opens, plays and
// closes the shipped chime, through the short form of a path with spaces.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/services.h"
#include "platform/sound.h"
#include "tests/support/test_support.h"

namespace {

std::string Chime() { return test_support::BinFolder() + "bots/_glintmere/QFXChime.au"; }

TEST(SoundTest, ErrorTextIsEmptyOnlyForUnknownCodes) {
  platform::Sound& sound = platform::GetSound();
  EXPECT_FALSE(sound.ErrorText(platform::kSoundInvalidDeviceName).empty());
  EXPECT_FALSE(sound.ErrorText(platform::kSoundNoAudioDevice).empty());
  EXPECT_EQ("", sound.ErrorText(70000));
}

TEST(SoundTest, ShortPathNameNeedsAnExistingFile) {
  platform::Sound& sound = platform::GetSound();
  test_support::TempFolder folder;
  EXPECT_EQ("", sound.ShortPathName(folder.Join("missing.au")));
  EXPECT_EQ("", sound.ShortPathName(""));
  ASSERT_TRUE(test_support::Exists(Chime()));
  EXPECT_FALSE(sound.ShortPathName(Chime()).empty());
}

// The code differs (Windows says 263, Wine 281), but each failure has a text.
TEST(SoundTest, CommandsForADeviceThatIsNotOpenFail) {
  platform::Sound& sound = platform::GetSound();
  for (const char* command : {"play GlintmereNotOpen wait", "close GlintmereNotOpen wait"}) {
    const platform::SoundError error = sound.SendCommand(command, nullptr).error;
    EXPECT_NE(platform::kSoundOk, error) << command;
    EXPECT_FALSE(sound.ErrorText(error).empty()) << command;
  }
}

#if defined(_WIN32)

TEST(SoundTest, RealPlayerPlaysTheChimeThroughItsShortPath) {
  platform::Sound& sound = platform::GetSound();
  test_support::TempFolder folder;
  const std::string copy = folder.Join("sound preview chime.au");
  std::filesystem::copy_file(Chime(), copy);
  const std::string short_path = sound.ShortPathName(copy);
  ASSERT_FALSE(short_path.empty());
  EXPECT_EQ(std::string::npos, short_path.find(' ')) << short_path;

  const platform::SoundReply opened = sound.SendCommand(
      "open mpegvideo!" + short_path + " alias GlintmereSoundTest wait", nullptr);
  ASSERT_EQ(0u, opened.error) << sound.ErrorText(opened.error);
  EXPECT_EQ(0u, sound.SendCommand("play GlintmereSoundTest wait", nullptr).error);
  // The alias is taken while the device is open.
  EXPECT_NE(0u, sound.SendCommand("open mpegvideo!" + short_path +
                                      " alias GlintmereSoundTest wait",
                                  nullptr).error);
  EXPECT_EQ(0u, sound.SendCommand("close GlintmereSoundTest wait", nullptr).error);
  EXPECT_NE(0u, sound.SendCommand("play GlintmereSoundTest", nullptr).error);
}

#else

TEST(SoundTest, OpenFailsWithNoAudioDevice) {
  platform::Sound& sound = platform::GetSound();
  const platform::SoundReply reply =
      sound.SendCommand("open mpegvideo!" + Chime() + " alias GlintmereSoundTest wait", nullptr);
  EXPECT_EQ(platform::kSoundNoAudioDevice, reply.error);
  EXPECT_NE(std::string::npos, sound.ErrorText(reply.error).find("No audio device"));
  // Nothing was opened, so the alias is still unknown.
  EXPECT_EQ(platform::kSoundInvalidDeviceName,
            sound.SendCommand("close GlintmereSoundTest", nullptr).error);
  // MCIERR_MISSING_COMMAND_STRING for a command with no words.
  EXPECT_EQ(267u, sound.SendCommand("   ", nullptr).error);
}

#endif

}  // namespace
