# Shared by both MinGW-w64 toolchains. TRELLIS_THREAD_MODEL picks the compilers:
# posix (the default) has std::mutex and std::thread, which GoogleTest needs;
# win32 lacks them with GCC 12 but links no winpthreads, and the program
# itself starts no threads.
if(NOT DEFINED TRELLIS_THREAD_MODEL)
  set(TRELLIS_THREAD_MODEL posix)
endif()
find_program(CMAKE_C_COMPILER NAMES ${TOOLCHAIN_PREFIX}-gcc-${TRELLIS_THREAD_MODEL} REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${TOOLCHAIN_PREFIX}-g++-${TRELLIS_THREAD_MODEL} REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${TOOLCHAIN_PREFIX}-windres REQUIRED)
set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
