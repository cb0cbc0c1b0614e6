// Helpers shared by the POSIX services: Windows-style paths to native ones,
// and errno values to the Win32 error codes the product reports.
#pragma once

#include <string>
#include <string_view>
#include <system_error>

#include "platform/status.h"

namespace platform::posix {

// The path with every "\" turned into "/", so the product's Windows-style
// paths name the same files here.
std::string NativePath(std::string_view path);

// The Win32 error code that matches an errno value (ENOENT gives
// kFileNotFound, EACCES kAccessDenied, ...); ERROR_GEN_FAILURE for values
// Windows has no counterpart for.
Status StatusFromErrno(int error);
Status StatusFromErrorCode(const std::error_code& error);

// kFileNotFound when the folder that would hold path exists, kPathNotFound
// when it does not: Windows tells the two apart where ENOENT does not.
Status NotFoundStatus(const std::string& native_path);

}  // namespace platform::posix
