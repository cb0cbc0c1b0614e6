// The sound preview player: MCI command strings through the sound service.
#include "botframe/sound_player.h"

#include <utility>

#include "platform/services.h"
#include "ui/dialog.h"

namespace botframe {
namespace {

// The error text the product keeps is at most this long (its 1024-character
// buffer, terminator included).
constexpr size_t kMaxErrorText = 1023;

}  // namespace

SoundPlayer::~SoundPlayer() {
  if (is_open()) Close(true, nullptr);
}

bool SoundPlayer::SendCommand(std::string command, bool wait, NotifyWindow notify) {
  if (notify) command += " notify";
  if (wait) command += " wait";
  platform::Sound& sound = platform::GetSound();
  last_error_ = sound.SendCommand(command, notify).error;
  if (last_error_ == platform::kSoundOk) {
    error_text_.clear();
    return true;
  }
  error_text_ = sound.ErrorText(last_error_);
  if (error_text_.size() > kMaxErrorText) error_text_.resize(kMaxErrorText);
  return false;
}

bool SoundPlayer::Open(std::string_view device_type, std::string_view alias,
                       const std::string& path, bool wait, NotifyWindow notify) {
  if (is_open()) Close(true, notify);
  // MCI splits its command at spaces, so a long path with spaces only gets
  // through in its short form. A file without one (missing, or a short form
  // too long) is passed as given so the device reports it as not found.
  std::string short_path = platform::GetSound().ShortPathName(path);
  if (short_path.empty()) short_path = path;
  std::string command = "open ";
  command.append(device_type).append("!").append(short_path).append(" alias ").append(alias);
  if (!SendCommand(std::move(command), wait, notify)) return false;
  alias_ = alias;
  return true;
}

bool SoundPlayer::Play(bool wait, NotifyWindow notify) {
  if (!is_open()) return false;
  return SendCommand("play " + alias_, wait, notify);
}

bool SoundPlayer::Close(bool wait, NotifyWindow notify) {
  if (!is_open()) return false;
  if (!SendCommand("close " + alias_, wait, notify)) return false;
  alias_.clear();
  return true;
}

void PlaySoundPreview(SoundPlayer& player, const std::string& full_path,
                      ui::WindowHandle owner) {
  if (full_path.empty()) {
    ui::ShowMessage("Please select a file.", ui::kProductCaption, ui::Buttons::kOk,
                    ui::Icon::kWarning, owner);
    return;
  }
  if (!player.Open(kSoundPreviewDeviceType, kSoundPreviewAlias, full_path, true, nullptr)) {
    ui::ShowMessage("Error occurred while opening the audio file:\n" + player.error_text(),
                    ui::kProductCaption, ui::Buttons::kOk, ui::Icon::kWarning, owner);
    return;
  }
  // Playback goes on while the dialog is used; a failed play is not shown.
  player.Play(false, nullptr);
}

void StopSoundPreview(SoundPlayer& player) { player.Close(true, nullptr); }

}  // namespace botframe
