# Cross-compiles the Windows programs with Debian's mingw-w64 (POSIX threads) toolchain.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(veltraneMingwTriple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${veltraneMingwTriple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${veltraneMingwTriple}-g++-posix)
set(CMAKE_RC_COMPILER ${veltraneMingwTriple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${veltraneMingwTriple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Link the C and C++ runtimes (and winpthread) statically, so a program runs without DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")

# GCC 12 reports a false overlap in std::string concatenation ("." + text) at -O3 (its bug 105651);
# with warnings as errors that would stop the build of correct code.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
