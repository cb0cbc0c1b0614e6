// The sound service on Windows: mciSendStringA, mciGetErrorStringA and
// GetShortPathNameA.
#include "platform/win32/windows_include.h"

#include <mmsystem.h>

#include "platform/sound.h"
#include "platform/system_services.h"

namespace platform {
namespace {

class Win32Sound : public Sound {
 public:
  SoundReply SendCommand(const std::string& command, SoundNotifyWindow notify) override {
    char text[1024] = {};
    SoundReply reply;
    reply.error = ::mciSendStringA(command.c_str(), text, sizeof text,
                                   static_cast<HWND>(notify));
    reply.text = text;
    return reply;
  }

  std::string ErrorText(SoundError error) override {
    char text[1024] = {};
    if (!::mciGetErrorStringA(error, text, sizeof text)) return std::string();
    return text;
  }

  std::string ShortPathName(const std::string& path) override {
    char buffer[MAX_PATH] = {};
    const DWORD length = ::GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
    // 0 is a failure; a length of MAX_PATH or more is the size the buffer
    // would have needed, and the buffer then holds nothing usable.
    if (length == 0 || length >= MAX_PATH) return std::string();
    return std::string(buffer, length);
  }
};

}  // namespace

std::unique_ptr<Sound> CreateSystemSound() { return std::make_unique<Win32Sound>(); }

}  // namespace platform
