# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64):
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triple x86_64-w64-mingw32)
# The posix thread model: GCC 12's win32 model has no std::thread, std::mutex or
# std::condition_variable. Its winpthread is linked statically below, so no DLL comes of it.
find_program(CMAKE_C_COMPILER NAMES ${mingw_triple}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${mingw_triple}-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${mingw_triple}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained file: libstdc++, libgcc and winpthread inside, only system DLLs outside.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
