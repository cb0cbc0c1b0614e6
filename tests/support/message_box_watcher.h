// Watches for message boxes the code under test opens as real windows
// (Windows only), records their caption and text, and answers each with OK,
// so a test of a real DLL never hangs on a box nobody can see.
#pragma once

#include <string>
#include <vector>

namespace test_support {

struct SeenBox {
  std::string caption;
  std::string text;
};

#if defined(_WIN32)
class MessageBoxWatcher {
 public:
  MessageBoxWatcher();
  ~MessageBoxWatcher();
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

  // The boxes seen and dismissed so far.
  std::vector<SeenBox> Seen();

  struct State;

 private:
  State* state_;
};
#endif

}  // namespace test_support
