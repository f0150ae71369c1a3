# Runs at ctest time (see SuiteTests.cmake): asks a test executable for its
# cases and writes one add_test per suite into KPX_SUITES_FILE. A suite
# "Prefix/Name" of a parameterised test is filtered as "Prefix/Name.*".
execute_process(COMMAND ${KPX_EMULATOR} ${KPX_EXE_UNDER_TEST} --gtest_list_tests
  OUTPUT_VARIABLE listing RESULT_VARIABLE result TIMEOUT 120)
if(NOT result EQUAL 0)
  file(WRITE "${KPX_SUITES_FILE}"
    "add_test([==[${KPX_TARGET}_NOT_LISTED]==] ${KPX_TARGET}_NOT_LISTED)\n")
  return()
endif()

string(REPLACE "\r" "" listing "${listing}")
string(REPLACE "\n" ";" lines "${listing}")
set(content "")
foreach(line IN LISTS lines)
  # Suite lines start in the first column and end with a dot (a comment on the
  # type parameter may follow); case lines are indented.
  if(line MATCHES "^([^ #][^ ]*)\\.( .*)?$")
    set(suite "${CMAKE_MATCH_1}")
    set(name "${KPX_TARGET}: ${suite}")
    string(APPEND content
      "add_test([==[${name}]==] [==[${KPX_EMULATOR}]==] [==[${KPX_EXE_UNDER_TEST}]==] [==[--gtest_filter=${suite}.*]==])\n"
      "set_tests_properties([==[${name}]==] PROPERTIES ${KPX_PROPERTIES})\n")
  endif()
endforeach()
file(WRITE "${KPX_SUITES_FILE}" "${content}")
