# Cross-build for x86-64 Windows with Debian's mingw-w64 toolchain (package g++-mingw-w64-x86-64).
# The posix thread model is used: it has std::thread, which the thread tests need. Everything the
# binaries need from the toolchain (libgcc, libstdc++, winpthread) is linked statically, so orla.dll
# and the test programs run with nothing beside them. Programs built here run under wine (see
# wine-run.sh), which CMake uses as the emulator for tests.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ORLA_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORLA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORLA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ORLA_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ORLA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
