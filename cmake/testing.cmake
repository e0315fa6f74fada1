# GoogleTest: Debian's library for the native build, its source for Windows.
if(CMAKE_CROSSCOMPILING)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# ferry_test(NAME SOURCES...): one test executable. Natively each case is a
# test of its own; under Wine, where every start costs seconds, the whole
# executable is one test.
function(ferry_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE ferry_app ferry_test_support GTest::gtest GTest::gtest_main)
  target_compile_options(${name} PRIVATE ${FERRY_WARNINGS})
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1
      WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    set_tests_properties(${name} PROPERTIES
      ENVIRONMENT "FERRY_SOURCE_DIR=${PROJECT_SOURCE_DIR}" TIMEOUT 600)
  else()
    gtest_discover_tests(${name}
      DISCOVERY_TIMEOUT 60
      WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
      PROPERTIES ENVIRONMENT "FERRY_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  endif()
endfunction()
