# Cross-compiles the shipped KPXSETUP.EXE for 32-bit Windows with mingw-w64's
# win32 thread model. The posix model (cmake/mingw-i686.cmake, which the
# tests need for GoogleTest) links its threading library into every program,
# and that imports functions Windows 98 and NT 4.0 lack (GetTickCount64,
# AddVectoredExceptionHandler, TryEnterCriticalSection ...); their loaders
# refuse such a program. The win32 model links no threading library.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(TOOLCHAIN_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER   ${TOOLCHAIN_PREFIX}-gcc-win32)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-win32)
set(CMAKE_RC_COMPILER  ${TOOLCHAIN_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
