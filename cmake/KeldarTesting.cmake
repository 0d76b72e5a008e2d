# One small test executable per area: keldar_add_test(NAME SOURCES ... LIBS ... [ENV ...])
find_package(GTest REQUIRED)
include(GoogleTest)

function(keldar_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  keldar_set_warnings(${name})
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "KELDAR_SOURCE_DIR=${PROJECT_SOURCE_DIR};${ARG_ENV}"
    DISCOVERY_TIMEOUT 60)
endfunction()

# A Qt Test executable run on the offscreen platform: keldar_add_qt_test(NAME SOURCES ... LIBS ...)
function(keldar_add_qt_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
  keldar_set_warnings(${name})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;KELDAR_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
