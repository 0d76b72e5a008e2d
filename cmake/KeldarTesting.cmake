# One small test executable per area: keldar_add_test(NAME SOURCES ... LIBS ... [ENV ...])
if(CMAKE_CROSSCOMPILING)
  # No GoogleTest libraries for the target system: build them from the sources that Debian's
  # googletest package installs.
  set(KELDAR_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${KELDAR_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

function(keldar_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  keldar_set_warnings(${name})
  if(CMAKE_CROSSCOMPILING)
    # Each start of a program in the emulator costs a second: one test per program.
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    set_tests_properties(${name} PROPERTIES
      ENVIRONMENT "KELDAR_SOURCE_DIR=${PROJECT_SOURCE_DIR};${ARG_ENV}")
  else()
    gtest_discover_tests(${name}
      WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
      PROPERTIES ENVIRONMENT "KELDAR_SOURCE_DIR=${PROJECT_SOURCE_DIR};${ARG_ENV}"
      DISCOVERY_TIMEOUT 60)
  endif()
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

# A project run through keldar-run and compared with its expected report and plot data file
# (examples/RunAndCompare.cmake): keldar_add_example_run(NAME EXAMPLE name FOLDER dir WORK dir)
function(keldar_add_example_run name)
  cmake_parse_arguments(ARG "" "EXAMPLE;FOLDER;WORK" "" ${ARGN})
  add_test(NAME ${name}
    COMMAND ${CMAKE_COMMAND} -DRUNNER=$<TARGET_FILE:keldar-run> -DEXAMPLE=${ARG_EXAMPLE}
            -DEXAMPLES=${ARG_FOLDER} -DWORK=${ARG_WORK}
            -DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}
            -P ${PROJECT_SOURCE_DIR}/examples/RunAndCompare.cmake)
endfunction()
