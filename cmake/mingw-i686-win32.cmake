# Cross-compiles the shipped KPXSETUP.EXE for 32-bit Windows with mingw-w64's
# win32 thread model. The posix model (cmake/mingw-i686.cmake, which the
# tests need for GoogleTest) links its threading library into every program,
# and that imports functions Windows 98 and NT 4.0 lack (GetTickCount64,
# AddVectoredExceptionHandler, TryEnterCriticalSection ...); their loaders
# refuse such a program. The win32 model links no threading library.
set(KPX_THREAD_MODEL win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686-common.cmake)
