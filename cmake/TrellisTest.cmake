# trellis_add_test(NAME SOURCES src... [LIBS lib...])
# One test executable per area, with the shared test main, registered with CTest.
# Windows builds run under Wine through the crosscompiling emulator.

if(WIN32)
  if(NOT TARGET gtest)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  endif()
  set(TRELLIS_GTEST_LIBS gtest)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tools/wine-run.sh)
  # One prefix and one virtual display for this build's unit tests, made
  # before the first and stopped after the last.
  set(TRELLIS_WINE_DIR ${CMAKE_BINARY_DIR}/wine-env)
  add_test(NAME wine_env_start COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-env.sh start ${TRELLIS_WINE_DIR})
  add_test(NAME wine_env_stop COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-env.sh stop ${TRELLIS_WINE_DIR})
  set_tests_properties(wine_env_start PROPERTIES FIXTURES_SETUP wine_env TIMEOUT 120)
  set_tests_properties(wine_env_stop PROPERTIES FIXTURES_CLEANUP wine_env)
else()
  find_package(GTest REQUIRED)
  set(TRELLIS_GTEST_LIBS GTest::gtest)
endif()

add_library(trellis_test_main STATIC ${PROJECT_SOURCE_DIR}/tests/test_main.cpp)
target_link_libraries(trellis_test_main PUBLIC ${TRELLIS_GTEST_LIBS} trellis_platform)

include(TrellisGTestVerdict)

function(trellis_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE trellis_test_main ${ARG_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  if(WIN32)
    target_link_options(${name} PRIVATE -mconsole)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "TRELLIS_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data;TRELLIS_WINE_DIR=${TRELLIS_WINE_DIR}"
    TIMEOUT 300)
  if(WIN32)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_env)
    trellis_require_gtest_pass(${name})
  endif()
endfunction()
