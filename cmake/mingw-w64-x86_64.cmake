# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 compilers (posix threads,
# so that std::thread and std::mutex exist). Used for Qt itself, libqrencode and Velloran.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VELLORAN_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${VELLORAN_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELLORAN_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${VELLORAN_MINGW_TRIPLET}-windres)
set(CMAKE_AR           /usr/bin/${VELLORAN_MINGW_TRIPLET}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB       /usr/bin/${VELLORAN_MINGW_TRIPLET}-ranlib CACHE FILEPATH "")

# Search headers and libraries only in the cross root (and the prefixes given on the
# command line), programs only on the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${VELLORAN_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One program without MinGW runtime DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
