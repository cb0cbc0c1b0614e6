# Project-wide build helpers.

# Warnings and sanitizers for the project's own targets (not third-party code).
add_library(glintmere_options INTERFACE)
target_compile_options(glintmere_options INTERFACE -Wall -Wextra)
if(GLINTMERE_WERROR)
  target_compile_options(glintmere_options INTERFACE -Werror)
endif()
if(WIN32)
  target_compile_definitions(glintmere_options INTERFACE
    WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
endif()
if(GLINTMERE_SANITIZE)
  target_compile_options(glintmere_options INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(glintmere_options INTERFACE -fsanitize=address,undefined)
endif()

# Native shared libraries are named as on Windows, without the "lib" prefix,
# with the ".so" suffix; the POSIX loader maps a requested ".dll" to ".so".
function(glintmere_shared_library target)
  add_library(${target} SHARED ${ARGN})
  set_target_properties(${target} PROPERTIES PREFIX "")
  target_link_libraries(${target} PRIVATE glintmere_options)
endfunction()

# Sources of a module: the portable files of the folder plus those of its
# platform subfolder (win32/ or posix/) when it has one.
function(glintmere_module_sources out dir)
  file(GLOB portable CONFIGURE_DEPENDS ${dir}/*.cpp)
  set(result ${portable})
  if(IS_DIRECTORY ${dir}/${GLINTMERE_PLATFORM})
    file(GLOB specific CONFIGURE_DEPENDS ${dir}/${GLINTMERE_PLATFORM}/*.cpp)
    list(APPEND result ${specific})
  endif()
  set(${out} ${result} PARENT_SCOPE)
endfunction()
