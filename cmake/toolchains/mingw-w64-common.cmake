# Shared part of the MinGW-w64 toolchains: compilers, the target root, and Wine as the way to
# run what is built.
set(CMAKE_C_COMPILER ${ORVIA_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVIA_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ORVIA_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ORVIA_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The runtime is linked in, so each program and library stands alone on a site's PC.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Debian installs the Wine loader in Wine's library folder, not on PATH.
find_program(ORVIA_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT ORVIA_WINE)
    find_program(ORVIA_WINE NAMES wine64 wine)
endif()
if(ORVIA_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${ORVIA_WINE})
endif()
