# Shared part of the two mingw-w64 toolchain files.
set(CMAKE_C_COMPILER ${GLINTMERE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GLINTMERE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${GLINTMERE_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${GLINTMERE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Every program and DLL carries its own C and C++ runtime, so a bot library
# dropped into a folder alone still loads.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  # Windows programs run under Wine in the tests.
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
endif()
