// The sound service on Linux: there is no audio device, so every "open"
// fails with kSoundNoAudioDevice and every other command finds no open
// device. Paths have no short form here: an existing file keeps its own.
#include <sys/stat.h>

#include <string_view>

#include "base/text.h"
#include "platform/posix/posix_util.h"
#include "platform/sound.h"
#include "platform/system_services.h"

namespace platform {
namespace {

constexpr SoundError kMissingCommandString = 267;  // MCIERR_MISSING_COMMAND_STRING
constexpr size_t kMaxPath = 260;

// The first word of a command string.
std::string_view Verb(std::string_view command) {
  const size_t start = command.find_first_not_of(" \t");
  if (start == std::string_view::npos) return {};
  command.remove_prefix(start);
  return command.substr(0, command.find_first_of(" \t"));
}

class PosixSound : public Sound {
 public:
  SoundReply SendCommand(const std::string& command, SoundNotifyWindow) override {
    SoundReply reply;
    const std::string_view verb = Verb(command);
    if (verb.empty()) {
      reply.error = kMissingCommandString;
    } else if (base::EqualsNoCase(verb, "open")) {
      reply.error = kSoundNoAudioDevice;
    } else {
      // Nothing can be open, so no alias or device name is known.
      reply.error = kSoundInvalidDeviceName;
    }
    return reply;
  }

  std::string ErrorText(SoundError error) override {
    switch (error) {
      case kSoundNoAudioDevice:
        return "No audio device is available on this system, so the sound cannot be played.";
      case kSoundInvalidDeviceName:
        return "The specified device is not open or is not recognized by MCI.";
      case kMissingCommandString:
        return "No command was specified for the device.";
      default:
        return std::string();
    }
  }

  std::string ShortPathName(const std::string& path) override {
    struct stat info {};
    if (path.empty() || path.size() >= kMaxPath ||
        ::stat(posix::NativePath(path).c_str(), &info) != 0) {
      return std::string();
    }
    return path;
  }
};

}  // namespace

std::unique_ptr<Sound> CreateSystemSound() { return std::make_unique<PosixSound>(); }

}  // namespace platform
