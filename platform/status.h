// Numeric error codes used across the platform services. They are Win32 error
// codes and HRESULTs, kept numeric because the product's messages print them
// ("Error code: %lu", "failed with error %X"); the POSIX implementations
// report the Windows code that matches the failure.
#pragma once

#include <cstdint>

namespace platform {

// A Win32 error code (0 is success).
using Status = uint32_t;

inline constexpr Status kOk = 0;
inline constexpr Status kFileNotFound = 2;         // ERROR_FILE_NOT_FOUND
inline constexpr Status kPathNotFound = 3;         // ERROR_PATH_NOT_FOUND
inline constexpr Status kAccessDenied = 5;         // ERROR_ACCESS_DENIED
inline constexpr Status kInvalidHandle = 6;        // ERROR_INVALID_HANDLE
inline constexpr Status kNotEnoughMemory = 8;      // ERROR_NOT_ENOUGH_MEMORY
inline constexpr Status kInvalidData = 13;         // ERROR_INVALID_DATA
inline constexpr Status kWriteFault = 29;          // ERROR_WRITE_FAULT
inline constexpr Status kReadFault = 30;           // ERROR_READ_FAULT
inline constexpr Status kFileExists = 80;          // ERROR_FILE_EXISTS
inline constexpr Status kInvalidParameter = 87;    // ERROR_INVALID_PARAMETER
inline constexpr Status kInsufficientBuffer = 122; // ERROR_INSUFFICIENT_BUFFER
inline constexpr Status kInvalidName = 123;        // ERROR_INVALID_NAME
inline constexpr Status kModNotFound = 126;        // ERROR_MOD_NOT_FOUND
inline constexpr Status kProcNotFound = 127;       // ERROR_PROC_NOT_FOUND
inline constexpr Status kAlreadyExists = 183;      // ERROR_ALREADY_EXISTS
inline constexpr Status kBadExeFormat = 193;       // ERROR_BAD_EXE_FORMAT
inline constexpr Status kFileTooLarge = 223;       // ERROR_FILE_TOO_LARGE
inline constexpr Status kMoreData = 234;           // ERROR_MORE_DATA
inline constexpr Status kNoMoreItems = 259;        // ERROR_NO_MORE_ITEMS
inline constexpr Status kBadDatabase = 1009;       // ERROR_BADDB (malformed hive)
inline constexpr Status kKeyDeleted = 1018;        // ERROR_KEY_DELETED
inline constexpr Status kLockViolation = 33;       // ERROR_LOCK_VIOLATION

// An HRESULT.
using HResult = uint32_t;

inline constexpr HResult kSOk = 0;
inline constexpr HResult kEFail = 0x80004005;               // E_FAIL
inline constexpr HResult kENoInterface = 0x80004002;        // E_NOINTERFACE
inline constexpr HResult kEOutOfMemory = 0x8007000E;        // E_OUTOFMEMORY
inline constexpr HResult kEInvalidArg = 0x80070057;         // E_INVALIDARG
inline constexpr HResult kCoEClassString = 0x800401F3;      // CO_E_CLASSSTRING
inline constexpr HResult kCoENotInitialized = 0x800401F0;   // CO_E_NOTINITIALIZED
inline constexpr HResult kCoEDllNotFound = 0x800401F8;     // CO_E_DLLNOTFOUND
inline constexpr HResult kCoEErrorInDll = 0x800401F9;       // CO_E_ERRORINDLL
inline constexpr HResult kRegDbEClassNotReg = 0x80040154;   // REGDB_E_CLASSNOTREG
inline constexpr HResult kClassENoAggregation = 0x80040110; // CLASS_E_NOAGGREGATION
inline constexpr HResult kDispEUnknownName = 0x80020006;    // DISP_E_UNKNOWNNAME
inline constexpr HResult kDispEBadParamCount = 0x8002000E;  // DISP_E_BADPARAMCOUNT
inline constexpr HResult kDispETypeMismatch = 0x80020005;   // DISP_E_TYPEMISMATCH
inline constexpr HResult kDispEException = 0x80020009;      // DISP_E_EXCEPTION
inline constexpr HResult kDispEMemberNotFound = 0x80020003; // DISP_E_MEMBERNOTFOUND
inline constexpr HResult kEPointer = 0x80004003;            // E_POINTER
inline constexpr HResult kConnectENoConnection = 0x80040200; // CONNECT_E_NOCONNECTION

inline constexpr bool Succeeded(HResult hr) { return (hr & 0x80000000u) == 0; }

// The HRESULT Windows makes of a Win32 error code (HRESULT_FROM_WIN32).
inline constexpr HResult HResultFromStatus(Status status) {
  return status == 0 ? 0 : ((status & 0xFFFFu) | 0x80070000u);
}

}  // namespace platform
