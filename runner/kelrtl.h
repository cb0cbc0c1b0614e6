/* KelRTL, the bot runner library: its two exported entry points. They use
 * the Windows API calling convention, and in the 32-bit build their export
 * names carry no decoration ("RunBotFunction", not "_RunBotFunction@16"). */
#ifndef GLINTMERE_RUNNER_KELRTL_H_
#define GLINTMERE_RUNNER_KELRTL_H_

#include <stdint.h>

#include "base/export.h"

#if defined(_WIN32)
#define KELRTL_CALL __stdcall
#else
#define KELRTL_CALL
#endif
#if defined(KELRTL_BUILDING)
#define KELRTL_EXPORT GLINTMERE_EXPORT
#else
#define KELRTL_EXPORT GLINTMERE_IMPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Runs botName's Edit entry from botLibrary in FrontPage's bots folder and,
 * when insert is nonzero and the bot confirms, inserts the component into the
 * page open in the editor. Returns 1 when the Edit entry was called, 0 when
 * it could not be (a message box says why). */
KELRTL_EXPORT int32_t KELRTL_CALL RunBotFunction(const char* fpVersion, const char* botLibrary,
                                                 const char* botName, int32_t insert);

/* Calls functionName (no arguments, 32-bit result) exported by the library
 * at libraryPath. Returns its result, or 0 with a message box on failure. */
KELRTL_EXPORT int32_t KELRTL_CALL RunDllFunction(const char* libraryPath,
                                                 const char* functionName);

typedef int32_t(KELRTL_CALL* RunBotFunctionFn)(const char*, const char*, const char*, int32_t);
typedef int32_t(KELRTL_CALL* RunDllFunctionFn)(const char*, const char*);

#ifdef __cplusplus
}
#endif

#endif /* GLINTMERE_RUNNER_KELRTL_H_ */
