# libjpeg for the image size readers: natively Debian's libjpeg-dev; for the
# mingw-w64 builds a static library made once per compiler from Debian's
# libjpeg-turbo source package (fetched by scripts/setup into
# build/third_party/src) and kept in build/third_party/libjpeg-turbo-<triple>,
# where every build directory of that compiler finds it. Defines the target
# glintmere::jpeg.

if(NOT WIN32)
  find_package(JPEG REQUIRED)
  add_library(glintmere::jpeg ALIAS JPEG::JPEG)
  return()
endif()

set(jpeg_cache ${PROJECT_SOURCE_DIR}/build/third_party)
file(GLOB jpeg_sources LIST_DIRECTORIES true ${jpeg_cache}/src/libjpeg-turbo-*)
list(FILTER jpeg_sources INCLUDE REGEX "/libjpeg-turbo-[0-9][^/]*$")
list(SORT jpeg_sources COMPARE NATURAL ORDER DESCENDING)
set(jpeg_source "")
if(jpeg_sources)
  list(GET jpeg_sources 0 jpeg_source)
endif()
if(NOT jpeg_source OR NOT EXISTS ${jpeg_source}/CMakeLists.txt)
  message(FATAL_ERROR "The libjpeg-turbo source is missing from ${jpeg_cache}/src; run scripts/setup")
endif()

set(jpeg_build ${jpeg_cache}/libjpeg-turbo-${GLINTMERE_MINGW_TRIPLE})
set(jpeg_library ${jpeg_build}/libjpeg.a)
# Build directories configured at the same time take turns.
file(MAKE_DIRECTORY ${jpeg_build})
file(LOCK ${jpeg_build}.lock GUARD FILE TIMEOUT 1200)
if(NOT EXISTS ${jpeg_library})
  message(STATUS "Building libjpeg-turbo from ${jpeg_source} in ${jpeg_build}")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${jpeg_source} -B ${jpeg_build} -G Ninja
            -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
            -DCMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER}
            -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=${jpeg_build}/install
            -DWITH_SIMD=OFF -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF
    OUTPUT_FILE ${jpeg_build}-configure.log ERROR_FILE ${jpeg_build}-configure.log
    RESULT_VARIABLE jpeg_status)
  if(jpeg_status EQUAL 0)
    execute_process(
      COMMAND ${CMAKE_COMMAND} --build ${jpeg_build} --target jpeg-static
      OUTPUT_FILE ${jpeg_build}-build.log ERROR_FILE ${jpeg_build}-build.log
      RESULT_VARIABLE jpeg_status)
  endif()
  if(NOT jpeg_status EQUAL 0 OR NOT EXISTS ${jpeg_library})
    file(REMOVE ${jpeg_library})
    message(FATAL_ERROR "Building libjpeg-turbo failed; see ${jpeg_build}-configure.log and "
                        "${jpeg_build}-build.log")
  endif()
endif()
file(LOCK ${jpeg_build}.lock RELEASE)

add_library(glintmere::jpeg STATIC IMPORTED GLOBAL)
set_target_properties(glintmere::jpeg PROPERTIES
  IMPORTED_LOCATION ${jpeg_library}
  INTERFACE_INCLUDE_DIRECTORIES "${jpeg_source};${jpeg_build}")
