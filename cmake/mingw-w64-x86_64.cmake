# Cross-compiles for 64-bit Windows with Debian's mingw-w64. The win32 thread model: the C++
# runtime then uses the system's own locks, and no winpthreads goes into the programs (kiv starts
# no thread). Its steady_clock is the system time, so the program reads time through
# kiv::SteadyClock.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KIV_MINGW_CXX x86_64-w64-mingw32-g++-win32)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER ${KIV_MINGW_CXX})
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Only system DLLs at run time: the C++ runtime goes in statically. No time stamp in the PE header
# (it reads 0), so that the same source links to the same bytes; unreferenced sections (mostly
# the runtime's data) are dropped.
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp -Wl,--gc-sections")

# Test programs run under Wine, each in a throwaway prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
