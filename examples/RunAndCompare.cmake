# Runs one sample project through keldar-run in a scratch folder and compares its report and
# plot data file with the expected ones. The date and time line and the folder line of the
# report depend on when and where the run happens and are left out of the comparison.
#   cmake -DRUNNER=keldar-run -DEXAMPLE=name -DEXAMPLES=dir -DWORK=dir -P RunAndCompare.cmake
# With -DUPDATE=ON the expected files are rewritten from the run instead.
foreach(var RUNNER EXAMPLE EXAMPLES WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${EXAMPLES}/${EXAMPLE}.kd3d" DESTINATION "${WORK}")
execute_process(COMMAND "${RUNNER}" --quiet "${WORK}/${EXAMPLE}.kd3d" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "keldar-run ended with ${result} on ${EXAMPLE}.kd3d")
endif()

function(masked path out)
  file(READ "${path}" text)
  string(REGEX REPLACE "Path to file locations[^\n]*" "Path to file locations" text "${text}")
  string(REGEX REPLACE "Date:  [^\n]*" "Date:" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

foreach(ext kd3o kd3p)
  set(expected "${EXAMPLES}/expected/${EXAMPLE}.${ext}")
  set(actual "${WORK}/${EXAMPLE}.${ext}")
  if(UPDATE)
    file(COPY_FILE "${actual}" "${expected}")
    continue()
  endif()
  masked("${expected}" want)
  masked("${actual}" got)
  if(NOT want STREQUAL got)
    execute_process(COMMAND diff -u "${expected}" "${actual}")
    message(FATAL_ERROR "${EXAMPLE}.${ext} differs from the expected file")
  endif()
endforeach()
