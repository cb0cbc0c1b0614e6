// The sound player of the audio "Select a file" dialog: one MCI device open at
// a time under an alias, driven through the platform sound service, and the
// dialog's "Play" and "Stop" buttons built on it.
#pragma once

#include <string>
#include <string_view>

#include "platform/sound.h"
#include "ui/message_box.h"

namespace botframe {

inline constexpr char kSoundPreviewDeviceType[] = "mpegvideo";
inline constexpr char kSoundPreviewAlias[] = "QFXSoundPreview";

// Owns at most one open device, named by its alias; closes it when destroyed.
// Every command's error code and text are kept; no command shows a message.
class SoundPlayer {
 public:
  using NotifyWindow = platform::SoundNotifyWindow;

  SoundPlayer() = default;
  ~SoundPlayer();
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  // Closes any open device (waiting), then opens path's short form as
  // "open <type>!<short path> alias <alias>". True on success, when the
  // alias is remembered.
  bool Open(std::string_view device_type, std::string_view alias, const std::string& path,
            bool wait, NotifyWindow notify);
  // "play <alias>"; false without sending when nothing is open.
  bool Play(bool wait, NotifyWindow notify);
  // "close <alias>"; false without sending when nothing is open. On success
  // nothing is open any more.
  bool Close(bool wait, NotifyWindow notify);
  // Sends command with " notify" (when notify is set) and " wait" (when wait
  // is) appended, and keeps the error code and its text. True for code 0.
  bool SendCommand(std::string command, bool wait, NotifyWindow notify);

  bool is_open() const { return !alias_.empty(); }
  const std::string& alias() const { return alias_; }
  platform::SoundError last_error() const { return last_error_; }
  // The service's text for last_error(); empty after a success.
  const std::string& error_text() const { return error_text_; }

 private:
  std::string alias_;
  platform::SoundError last_error_ = platform::kSoundOk;
  std::string error_text_;
};

// "Play": full_path is the selected row's file (master or user folder plus
// name), empty when no row is selected. Asks "Please select a file." without a
// selection; otherwise opens the file as kSoundPreviewDeviceType under
// kSoundPreviewAlias (waiting) and starts playback without waiting. A failed
// open is shown with the service's error text; a failed play is silent.
void PlaySoundPreview(SoundPlayer& player, const std::string& full_path,
                      ui::WindowHandle owner);

// "Stop": closes the device (waiting); does nothing when nothing is open.
void StopSoundPreview(SoundPlayer& player);

}  // namespace botframe
