# Cross-builds the Windows programs with Debian's mingw-w64 (the posix thread
# model, which std::thread and std::mutex need):
#   cmake --preset windows
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(GLYPHSMITH_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${GLYPHSMITH_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GLYPHSMITH_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${GLYPHSMITH_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${GLYPHSMITH_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C++ runtime, libgcc and winpthread go inside each .exe, so nothing has to
# be shipped beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
