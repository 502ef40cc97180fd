# Cross-builds the 32-bit Windows program and its tests with Debian's mingw-w64 (posix threads).
#   cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake
set(QM_MINGW_TRIPLE i686-w64-mingw32)
set(QM_MINGW_PROCESSOR x86)
set(QM_WINE_NAMES wine)
include("${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake")
