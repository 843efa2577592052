# Helpers shared by every folder's CMakeLists.txt.

include(GoogleTest)

# add_project_test(name [GUI] SOURCES ... LIBS ...)
# One test executable per folder; GUI tests run offscreen and carry the label "gui".
function(add_project_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
  if(VALDORINE_FUZZ)
    return()
  endif()
  if(T_GUI AND NOT VALDORINE_GUI)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  if(T_GUI)
    set(main gui_test_main)
    set(label gui)
  else()
    set(main GTest::gtest_main)
    set(label unit)
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} test_support ${main} GTest::gmock project_options)
  target_compile_definitions(${name} PRIVATE
    TEST_FILES="${CMAKE_CURRENT_SOURCE_DIR}/files"
    SOURCE_ROOT="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS ${label}
               ENVIRONMENT "QT_QPA_PLATFORM=offscreen;VALDORINE_MACHINE_ROOT=${CMAKE_BINARY_DIR}/test-machine-root")
endfunction()

# add_fuzz_target(reader SOURCES ... LIBS ... [ARGS libFuzzer flags...])
# tests/fuzz/fuzz_<reader>.cpp with seeds in tests/fuzz/corpus/<reader>/.
# Under clang with VALDORINE_FUZZ it is a libFuzzer binary run briefly by CTest;
# in every other build the same function replays the corpus as a plain test.
set(FUZZ_SECONDS 20 CACHE STRING "Seconds each fuzz target runs under CTest")
# The sanitizers' settings of every fuzz run.
set(FUZZ_ENV ASAN_OPTIONS=detect_leaks=1)
function(add_fuzz_target reader)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS;ARGS" ${ARGN})
  set(corpus ${PROJECT_SOURCE_DIR}/tests/fuzz/corpus/${reader})
  set(dict ${PROJECT_SOURCE_DIR}/tests/fuzz/${reader}.dict)
  if(VALDORINE_FUZZ)
    add_executable(fuzz_${reader} ${F_SOURCES} ${PROJECT_SOURCE_DIR}/tests/fuzz/sanitizer_options.cpp)
    target_link_libraries(fuzz_${reader} PRIVATE ${F_LIBS} project_options)
    target_include_directories(fuzz_${reader} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_options(fuzz_${reader} PRIVATE -fsanitize=fuzzer)
    set(args -max_total_time=${FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 ${F_ARGS})
    if(EXISTS ${dict})
      list(APPEND args -dict=${dict})
    endif()
    add_test(NAME fuzz_${reader}
      COMMAND ${CMAKE_COMMAND} -E env ${FUZZ_ENV}
              ${PROJECT_SOURCE_DIR}/tools/run-fuzzer.sh $<TARGET_FILE:fuzz_${reader}> ${corpus} ${args})
    set_tests_properties(fuzz_${reader} PROPERTIES LABELS fuzz TIMEOUT 600)
  else()
    add_executable(replay_${reader} ${F_SOURCES} ${PROJECT_SOURCE_DIR}/tests/fuzz/replay_main.cpp)
    target_link_libraries(replay_${reader} PRIVATE ${F_LIBS} project_options)
    target_include_directories(replay_${reader} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    add_test(NAME replay_${reader} COMMAND replay_${reader} ${corpus})
    set_tests_properties(replay_${reader} PROPERTIES LABELS unit)
  endif()
endfunction()

# add_project_bench(name [GUI] [OWN_MAIN] SOURCES ... LIBS ...): built in the
# main build and run once as a smoke test; figures come from running the binary
# by hand. OWN_MAIN: the sources bring their own main instead of the library's;
# a GUI benchmark always does, to create the Qt application.
function(add_project_bench name)
  cmake_parse_arguments(B "GUI;OWN_MAIN" "" "SOURCES;LIBS" ${ARGN})
  if(NOT VALDORINE_BENCH OR VALDORINE_FUZZ)
    return()
  endif()
  if(B_GUI AND NOT VALDORINE_GUI)
    return()
  endif()
  find_package(benchmark REQUIRED)
  add_executable(${name} ${B_SOURCES})
  if(B_GUI OR B_OWN_MAIN)
    set(main benchmark::benchmark)
  else()
    set(main benchmark::benchmark_main)
  endif()
  target_link_libraries(${name} PRIVATE ${B_LIBS} ${main} project_options)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE SOURCE_ROOT="${PROJECT_SOURCE_DIR}")
  add_test(NAME ${name} COMMAND ${name} --benchmark_min_time=0.001)
  set_tests_properties(${name} PROPERTIES LABELS bench
    ENVIRONMENT "VALDORINE_BENCH_SMOKE=1;QT_QPA_PLATFORM=offscreen;VALDORINE_MACHINE_ROOT=${CMAKE_BINARY_DIR}/test-machine-root")
endfunction()
