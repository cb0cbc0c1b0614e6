# Compiles through ccache when the machine has it, unless the build was given
# a launcher of its own or GLINTMERE_CCACHE is OFF. Where the cache lives and
# how big it may grow is ccache's own configuration (scripts/test sets both).
# Included by the product's build and the fuzz build alike.
option(GLINTMERE_CCACHE "Compile through ccache when it is installed" ON)
if(GLINTMERE_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER AND NOT CMAKE_C_COMPILER_LAUNCHER)
  find_program(GLINTMERE_CCACHE_PROGRAM ccache)
  if(GLINTMERE_CCACHE_PROGRAM)
    set(CMAKE_C_COMPILER_LAUNCHER ${GLINTMERE_CCACHE_PROGRAM})
    set(CMAKE_CXX_COMPILER_LAUNCHER ${GLINTMERE_CCACHE_PROGRAM})
  endif()
endif()
