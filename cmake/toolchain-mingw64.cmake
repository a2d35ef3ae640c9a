# Cross build for 64-bit Windows with Debian's MinGW-w64 (posix threads, for std::thread). The Qt parts are left
# out; GoogleTest is built from Debian's source package; test binaries run under wine when it is installed.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MORVA_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MORVA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MORVA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${MORVA_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MORVA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained executables: no libstdc++, libgcc or winpthread DLLs to find at run time.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

set(MORVA_QT OFF CACHE BOOL "" FORCE)

find_program(MORVA_WINE NAMES wine wine64)
if(MORVA_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${MORVA_WINE})
endif()

# Test lists are read when ctest runs (through the emulator), not after each link.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
