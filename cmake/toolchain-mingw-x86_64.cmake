# Cross build for 64-bit Windows with mingw-w64.
#
# The posix thread model compilers are used: GoogleTest needs std::mutex and
# std::condition_variable, which the win32 model lacks. Every program and DLL
# links the runtime statically (mingw-common.cmake), winpthread included, so
# nothing depends on libwinpthread-1.dll, which FrontPage's folders do not
# have; scripts/check-exports verifies that. The product itself stays single
# threaded.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(GLINTMERE_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
