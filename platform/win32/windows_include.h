// The one way to <windows.h>: every Windows source includes this header.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// The ANSI/Unicode switch macros that share a name with the product's own
// functions (Files::CopyFile, ...): without this, a file that includes both
// would declare Files::CopyFileA. Windows code calls the "A" functions by
// their full names.
#undef CopyFile
#undef MoveFile
#undef DeleteFile
