# Cross build for 64-bit Windows with mingw-w64.
#
# The win32 thread model compilers are used on purpose: the product is single
# threaded, and the posix model would make every DLL depend on
# libwinpthread-1.dll, which FrontPage's bots folder does not have. GoogleTest
# uses its own Win32 locking, and tests that need a second thread call
# CreateThread directly.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(GLINTMERE_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
