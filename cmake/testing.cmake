# GoogleTest: the system's library on Linux; built from Debian's googletest sources for
# Windows. zq_add_test() makes one test program and registers it with CTest.
include(GoogleTest)

if(WIN32)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # The library's own sources are not ours to hold to our warning and charset flags.
  target_compile_options(gtest PRIVATE -w)
  target_compile_options(gtest_main PRIVATE -w)
else()
  find_package(GTest REQUIRED)
endif()

function(zq_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  if(WIN32)
    # One Wine start per program, not per test case: Wine starts are slow.
    add_test(NAME ${name} COMMAND ${name})
    # A test that drives a dialog can hang if the dialog does not come; end it instead.
    set_tests_properties(${name} PROPERTIES TIMEOUT 600)
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
  endif()
endfunction()
