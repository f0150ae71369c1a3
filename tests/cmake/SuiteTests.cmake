# One ctest entry per GoogleTest suite of a test executable: every case of the
# suite runs in one Wine process, which saves the start of a process per case,
# and a failure still names the suite in ctest and the case in its output.
# The suites are listed when ctest starts (the executable is asked for its
# list through the emulator), as gtest_discover_tests does for single cases.
#   kpx_add_suite_tests(target PROPERTIES <test properties...>)

set(KPX_SUITE_LISTER ${CMAKE_CURRENT_LIST_DIR}/ListSuites.cmake)

function(kpx_add_suite_tests target)
  cmake_parse_arguments(ARG "" "" "PROPERTIES" ${ARGN})
  set(include_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_suites_include.cmake")
  set(suites_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake")
  file(GENERATE OUTPUT "${include_file}" CONTENT
"set(KPX_EXE_UNDER_TEST [==[$<TARGET_FILE:${target}>]==])
set(KPX_EMULATOR [==[${CMAKE_CROSSCOMPILING_EMULATOR}]==])
set(KPX_TARGET [==[${target}]==])
set(KPX_PROPERTIES [==[${ARG_PROPERTIES}]==])
set(KPX_SUITES_FILE [==[${suites_file}]==])
if(NOT EXISTS \"\${KPX_SUITES_FILE}\" OR NOT \"\${KPX_SUITES_FILE}\" IS_NEWER_THAN \"\${KPX_EXE_UNDER_TEST}\")
  include([==[${KPX_SUITE_LISTER}]==])
endif()
include(\"\${KPX_SUITES_FILE}\")
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${include_file}")
endfunction()
