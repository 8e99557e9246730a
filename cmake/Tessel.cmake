# Helpers shared by every folder's CMakeLists.

# The standard and Qt headers nearly every file includes, precompiled per target.
function(tessel_pch target)
  if(NOT TESSEL_NO_PCH)
    target_precompile_headers(${target} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/pch.h)
  endif()
endfunction()

# tessel_library(name SOURCES... [DEPS ...]): one static library per source folder.
function(tessel_library name)
  cmake_parse_arguments(T "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${T_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${T_DEPS})
  tessel_pch(${name})
endfunction()

# tessel_test(name SOURCES... [DEPS ...] [LABELS ...]): one GoogleTest program. Each case
# is registered with CTest on its own (listed after linking); the program also runs once
# whole in a shuffled order. Every test process gets its own HOME, XDG folders and TMPDIR
# (tests/support/TestHarness.cpp), under a folder of the program's own.
function(tessel_test name)
  cmake_parse_arguments(T "" "" "SOURCES;DEPS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${PROJECT_SOURCE_DIR}/tests/support/TestHarness.cpp)
  target_link_libraries(${name} PRIVATE ${T_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  tessel_pch(${name})
  set(_tests ${CMAKE_CURRENT_BINARY_DIR}/${name}_cases.cmake)
  string(REPLACE ";" "," _labels "${T_LABELS}")
  add_custom_command(TARGET ${name} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -D EXE=$<TARGET_FILE:${name}> -D NAME=${name} -D OUT=${_tests}
            -D LABELS=${_labels} -D ENV_ROOT=${CMAKE_BINARY_DIR}/testenv/${name} -D SOURCE_DIR=${PROJECT_SOURCE_DIR}
            -D ARTIFACTS=${CMAKE_BINARY_DIR}/test-artifacts -D TIMEOUT=300
            -P ${PROJECT_SOURCE_DIR}/cmake/TesselDiscoverTests.cmake
    BYPRODUCTS ${_tests}
    VERBATIM)
  # CTest reads the list when it exists; a program not built yet shows as one failing test.
  set(_include ${CMAKE_CURRENT_BINARY_DIR}/${name}_include.cmake)
  file(WRITE ${_include}
    "if(EXISTS [==[${_tests}]==])\n"
    "  include([==[${_tests}]==])\n"
    "else()\n"
    "  add_test([==[${name}:NOT_BUILT]==] [==[${name}-NOT-BUILT]==])\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${_include})
endfunction()

# tessel_glob(var dir): the .cpp files of a folder (not its subfolders), picked up at build time.
function(tessel_glob var dir)
  file(GLOB _files CONFIGURE_DEPENDS ${dir}/*.cpp)
  set(${var} ${_files} PARENT_SCOPE)
endfunction()

# tessel_fuzz(name SOURCES... DEPS...): a libFuzzer target (clang, -fsanitize=fuzzer).
function(tessel_fuzz name)
  cmake_parse_arguments(T "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_DEPS})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endfunction()

# tessel_bench(name SOURCES... DEPS...): a Google Benchmark program.
function(tessel_bench name)
  cmake_parse_arguments(T "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_DEPS} benchmark::benchmark benchmark::benchmark_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
endfunction()

# Arrows point down only: each library may link only the libraries of lower layers, and
# the model and the document stay free of QtWidgets so they build without a screen.
function(_tessel_all_deps target out)
  set(_seen ${${out}})
  get_target_property(_deps ${target} LINK_LIBRARIES)
  if(NOT _deps)
    return()
  endif()
  foreach(dep IN LISTS _deps)
    if(TARGET ${dep} AND NOT dep IN_LIST _seen)
      list(APPEND _seen ${dep})
      _tessel_all_deps(${dep} _seen)
    endif()
  endforeach()
  set(${out} ${_seen} PARENT_SCOPE)
endfunction()

function(tessel_check_layers)
  # Lowest first; a library may depend only on libraries before it in this list.
  set(_order framework_core framework_net framework_ui framework_web gifimport model document
             controls dialogs editor app)
  foreach(lib IN LISTS _order)
    if(NOT TARGET ${lib})
      continue()
    endif()
    set(_deps "")
    _tessel_all_deps(${lib} _deps)
    list(FIND _order ${lib} _mine)
    foreach(dep IN LISTS _deps)
      list(FIND _order ${dep} _theirs)
      if(_theirs GREATER_EQUAL _mine)
        message(FATAL_ERROR "${lib} must not depend on ${dep}: it is not below it")
      endif()
      if(lib MATCHES "^(model|document|gifimport|framework_core|framework_net)$" AND dep MATCHES "Widgets")
        message(FATAL_ERROR "${lib} must build without QtWidgets but depends on ${dep}")
      endif()
    endforeach()
  endforeach()
endfunction()
