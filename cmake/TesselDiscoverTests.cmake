# Run after a test program is linked (cmake -P): lists its cases and writes the CTest file
# that registers each case as a test of its own, plus one run of the whole program in a
# shuffled order. Each case runs in its own process, so `ctest -j` spreads them and the
# summary counts cases (passed, failed, skipped).
#
# Input: EXE (program), NAME (test name prefix), OUT (file to write), LABELS (comma list),
# ENV_ROOT (folder of the program's HOME, XDG folders and TMPDIR), SOURCE_DIR,
# ARTIFACTS (folder for pictures left for review), TIMEOUT.

set(_root "${ENV_ROOT}")
file(MAKE_DIRECTORY "${_root}/home" "${_root}/config" "${_root}/data" "${_root}/cache" "${_root}/state" "${_root}/tmp")
# Listing runs without a display and without leak reports (a sanitizer build lists too).
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E env QT_QPA_PLATFORM=offscreen "HOME=${_root}/home" "TMPDIR=${_root}/tmp"
          "XDG_CONFIG_HOME=${_root}/config" "XDG_DATA_HOME=${_root}/data" "XDG_CACHE_HOME=${_root}/cache"
          "XDG_STATE_HOME=${_root}/state" ASAN_OPTIONS=detect_leaks=0
          "${EXE}" --gtest_list_tests
  OUTPUT_VARIABLE _list
  ERROR_VARIABLE _err
  RESULT_VARIABLE _rc
  TIMEOUT 120)
if(NOT _rc EQUAL 0)
  file(REMOVE "${OUT}")
  message(FATAL_ERROR "Listing the cases of ${EXE} failed (${_rc}):\n${_list}\n${_err}")
endif()

string(REPLACE "," ";" _labels "${LABELS}")
set(_env
  "QT_QPA_PLATFORM=offscreen"
  "TESSEL_SOURCE_DIR=${SOURCE_DIR}"
  "TESSEL_ARTIFACTS=${ARTIFACTS}"
  "HOME=${_root}/home"
  "XDG_CONFIG_HOME=${_root}/config"
  "XDG_DATA_HOME=${_root}/data"
  "XDG_CACHE_HOME=${_root}/cache"
  "XDG_STATE_HOME=${_root}/state"
  "TMPDIR=${_root}/tmp")

set(_script "# Written by TesselDiscoverTests.cmake from ${NAME} --gtest_list_tests\n")
string(APPEND _script "set(_env [==[${_env}]==])\n")
string(APPEND _script "set(_labels [==[${_labels}]==])\n")
set(_props "ENVIRONMENT \"\${_env}\" LABELS \"\${_labels}\" TIMEOUT ${TIMEOUT} SKIP_REGULAR_EXPRESSION \"\\\\[  SKIPPED \\\\]\"")

# --gtest_list_tests: "Suite." lines, then indented case lines; parameters follow " #".
string(REPLACE ";" "\\;" _list "${_list}")
string(REPLACE "\n" ";" _lines "${_list}")
set(_suite "")
set(_count 0)
foreach(_line IN LISTS _lines)
  string(REGEX REPLACE " *#.*$" "" _line "${_line}")
  if(_line MATCHES "^  +([^ ]+)$")
    if(_suite STREQUAL "")
      continue()
    endif()
    set(_case "${_suite}.${CMAKE_MATCH_1}")
    if(_case MATCHES "DISABLED_")
      continue()
    endif()
    string(APPEND _script "add_test([==[${NAME}:${_case}]==] [==[${EXE}]==] [==[--gtest_filter=${_case}]==])\n")
    string(APPEND _script "set_tests_properties([==[${NAME}:${_case}]==] PROPERTIES ${_props})\n")
    math(EXPR _count "${_count} + 1")
  elseif(_line MATCHES "^([^ ]+)\\.$")
    set(_suite "${CMAKE_MATCH_1}")
  endif()
endforeach()
if(_count EQUAL 0)
  message(FATAL_ERROR "${EXE} lists no cases")
endif()

# The whole program once more, cases in a random order: a case that needs another's
# leftovers, or breaks a later one, fails here. It is the longest test of its program, so
# it starts first.
string(APPEND _script "add_test([==[${NAME}:shuffled]==] [==[${EXE}]==] --gtest_shuffle --gtest_brief=1)\n")
# (No skip pattern here: one skipped case must not hide another's failure.)
string(APPEND _script "set_tests_properties([==[${NAME}:shuffled]==] PROPERTIES ENVIRONMENT \"\${_env}\" LABELS \"shuffled;\${_labels}\" TIMEOUT ${TIMEOUT} COST 10000)\n")
file(WRITE "${OUT}" "${_script}")
