# Cross-compiles for 32-bit Windows with mingw-w64 (posix thread model, which
# GoogleTest's std::mutex needs) and runs the built programs through Wine.
set(KPX_THREAD_MODEL posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686-common.cmake)

# ctest and test discovery run every Windows program through this wrapper.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
