// The exported entry points of KelRTL. No exception crosses this edge.
#define KELRTL_BUILDING
#include "runner/kelrtl.h"

#include "runner/run_bot.h"

extern "C" {

KELRTL_EXPORT int32_t KELRTL_CALL RunBotFunction(const char* fpVersion, const char* botLibrary,
                                                 const char* botName, int32_t insert) {
  try {
    return runner::RunBot(fpVersion, botLibrary, botName, insert);
  } catch (...) {
    return 0;
  }
}

KELRTL_EXPORT int32_t KELRTL_CALL RunDllFunction(const char* libraryPath,
                                                 const char* functionName) {
  try {
    return runner::RunDll(libraryPath, functionName);
  } catch (...) {
    return 0;
  }
}

}  // extern "C"
