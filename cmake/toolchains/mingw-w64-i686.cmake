# Cross-build for 32-bit Windows with Debian's MinGW-w64 (POSIX threads variant): the library
# as the technicians' 32-bit programs load it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(ORVIA_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
