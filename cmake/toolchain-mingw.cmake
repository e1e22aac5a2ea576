# Cross build of lumora.exe and the Windows tests. LUMORA_WIN_ARCH picks the
# target: i686 (32-bit Windows, the program as shipped) or x86_64, for test
# machines whose kernel cannot run the 32-bit Wine loader.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT LUMORA_WIN_ARCH)
  set(LUMORA_WIN_ARCH i686)
endif()
set(LUMORA_WIN_ARCH ${LUMORA_WIN_ARCH} CACHE STRING "i686 or x86_64")
set(CMAKE_SYSTEM_PROCESSOR ${LUMORA_WIN_ARCH})
set(TOOLCHAIN_PREFIX ${LUMORA_WIN_ARCH}-w64-mingw32)

# The Win32 thread model, named outright whatever update-alternatives says:
# the posix one links winpthreads statically, whose imports (GetTickCount64,
# AddVectoredExceptionHandler, TryEnterCriticalSection) stop the program
# from loading on the older Windows it is built for.
set(CMAKE_C_COMPILER ${TOOLCHAIN_PREFIX}-gcc-win32)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-win32)
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# ctest and test discovery run the Windows binaries under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
