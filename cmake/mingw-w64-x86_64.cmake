# Cross-builds the 64-bit Windows program and its tests with Debian's mingw-w64 (posix threads).
#   cmake -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(QM_MINGW_TRIPLE x86_64-w64-mingw32)
set(QM_MINGW_PROCESSOR AMD64)
set(QM_WINE_NAMES wine64)
include("${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake")
