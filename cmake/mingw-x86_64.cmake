# Cross toolchain for the 64-bit Windows test build: the same code as the product,
# built for x86-64 so that its tests run under 64-bit Wine where a machine refuses
# 32-bit programs. Posix thread model, static runtime, like the product.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)

include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# Test programs run under 64-bit Wine. Debian's `wine` starts the 32-bit loader
# whenever it is installed, even where the kernel cannot run it, so the 64-bit
# loader is named directly.
find_program(WINE_PROGRAM NAMES wine64 PATHS /usr/lib/wine /usr/lib64/wine NO_DEFAULT_PATH)
find_program(WINE_PROGRAM NAMES wine64 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_PROGRAM})
