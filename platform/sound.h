// The sound service: Media Control Interface command strings (mciSendStringA
// on Windows; on Linux a player with no audio device), their error texts, and
// the short form of a file path that MCI commands take.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// An MCI error code: 0 for success, MCIERR_BASE (256) and up for failures.
using SoundError = uint32_t;

inline constexpr SoundError kSoundOk = 0;
inline constexpr SoundError kSoundInvalidDeviceName = 263;  // MCIERR_INVALID_DEVICE_NAME
// MCIERR_DEVICE_NOT_INSTALLED: what the Linux service answers to every
// "open", as it has no audio device to play on.
inline constexpr SoundError kSoundNoAudioDevice = 306;

// A window that receives MCI_NOTIFY messages (an HWND on Windows), or null.
using SoundNotifyWindow = void*;

struct SoundReply {
  SoundError error = kSoundOk;
  std::string text;  // the command's return string; empty when it has none
};

class Sound {
 public:
  virtual ~Sound() = default;
  // Sends one command string (for example "open mpegvideo!C:\A.AU alias X")
  // and returns its error code and return text; never throws.
  virtual SoundReply SendCommand(const std::string& command, SoundNotifyWindow notify) = 0;
  // The text that explains error; empty for a code the service does not know.
  virtual std::string ErrorText(SoundError error) = 0;
  // The short (8.3) form of an existing file's path; empty when the file does
  // not exist or the short form does not fit in MAX_PATH (260) characters.
  virtual std::string ShortPathName(const std::string& path) = 0;
};

}  // namespace platform
