# Shared part of the mingw-w64 toolchain files; KELDAR_MINGW_TRIPLE names the target.
set(CMAKE_SYSTEM_NAME Windows)
if(KELDAR_MINGW_TRIPLE MATCHES "^x86_64")
  set(CMAKE_SYSTEM_PROCESSOR AMD64)
else()
  set(CMAKE_SYSTEM_PROCESSOR x86)
endif()

set(CMAKE_C_COMPILER ${KELDAR_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KELDAR_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KELDAR_MINGW_TRIPLE}-windres)
set(CMAKE_OBJDUMP ${KELDAR_MINGW_TRIPLE}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${KELDAR_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes and the thread library are linked in, so that the engine library and
# the programs need no DLL beside them but the system's own.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
