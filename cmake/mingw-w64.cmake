# What the two mingw-w64 toolchain files share: the toolchain prefix ORBELLE_MINGW is set by
# the file that includes this one (mingw-w64-x86_64.cmake, mingw-w64-i686.cmake).
#
# The -posix compilers: their C++ library has std::thread and std::mutex, which GoogleTest
# needs. Everything links statically, so the programs import only system DLLs.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${ORBELLE_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORBELLE_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ORBELLE_MINGW}-windres)
set(ORBELLE_WIDL ${ORBELLE_MINGW}-widl)

set(CMAKE_FIND_ROOT_PATH /usr/${ORBELLE_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")

# Test programs run under wine, in the prefix the wine wrapper names.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/windows/wine-run)
