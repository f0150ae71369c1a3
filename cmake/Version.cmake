# cmake -DVERSION=x.y.z -DSOURCE=<tree> -DOUT=<header> -P Version.cmake
# Writes the header that carries the program's version into the resources:
# the project's version, followed by "-modified" when the tree it is built
# from differs from its last commit (changed, added or deleted files that
# git does not ignore), so that such a build never passes for the release.
# The header is rewritten only when its text changes, so an unchanged
# version rebuilds nothing. Without git (a tree unpacked from an archive)
# the version is the project's alone.
find_package(Git QUIET)
set(text "${VERSION}")
if(GIT_FOUND AND EXISTS "${SOURCE}/.git")
  execute_process(COMMAND "${GIT_EXECUTABLE}" status --porcelain
    WORKING_DIRECTORY "${SOURCE}" OUTPUT_VARIABLE changes RESULT_VARIABLE failed ERROR_QUIET)
  if(failed OR NOT changes STREQUAL "")
    set(text "${text}-modified")
  endif()
endif()
string(REPLACE "." "," numbers "${VERSION}")
file(WRITE "${OUT}.new"
  "// Written by cmake/Version.cmake from the project's version; not edited.\n"
  "#define KPX_VERSION_NUMBERS ${numbers},0\n"
  "#define KPX_VERSION_TEXT \"${text}\"\n")
file(COPY_FILE "${OUT}.new" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.new")
