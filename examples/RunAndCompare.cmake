# Runs one sample project through keldar-run in a scratch folder and compares its report and
# plot data file with the expected ones. The date and time line and the folder line of the
# report depend on when and where the run happens and are left out of the comparison.
#   cmake -DRUNNER=keldar-run -DEXAMPLE=name -DEXAMPLES=dir -DWORK=dir -P RunAndCompare.cmake
# With -DUPDATE=ON the expected files are rewritten from the run instead.
# With -DHOST=program -DLIBRARY=engine-library instead of RUNNER, the run goes through the
# library's entry point as the GUI calls it: names.dat in the scratch folder, then HOST LIBRARY.
# EMULATOR, when set, runs the programs (Wine for a Windows build, whose drive Z: is the root
# folder); the paths handed to them are then Windows paths.
include("${CMAKE_CURRENT_LIST_DIR}/ExpectedFiles.cmake")
require_variables(EXAMPLE EXAMPLES WORK)

function(program_path path out)
  if(EMULATOR)
    string(REPLACE "/" "\\" path "Z:${path}")
  endif()
  set(${out} "${path}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${EXAMPLES}/${EXAMPLE}.kd3d" DESTINATION "${WORK}")
if(HOST)
  # The hand-off file as the GUI writes it; the identification is keldar-run's, so that the
  # reports compare with the same expected files.
  set(names "2014.3.4\r\nKELDAR command-line analysis (keldar-run)\r\n")
  string(APPEND names "Batch run, no user identification\r\n0\r\n")
  foreach(ext kd3d kd3o kd3p kd3r)
    program_path("${WORK}/${EXAMPLE}.${ext}" path)
    string(APPEND names "${path}\r\n")
  endforeach()
  file(WRITE "${WORK}/names.dat" "${names}")
  program_path("${LIBRARY}" library)
  execute_process(COMMAND ${EMULATOR} "${HOST}" "${library}" WORKING_DIRECTORY "${WORK}"
                  RESULT_VARIABLE result)
  set(what "The entry point")
elseif(RUNNER)
  program_path("${WORK}/${EXAMPLE}.kd3d" data)
  execute_process(COMMAND ${EMULATOR} "${RUNNER}" --quiet "${data}" RESULT_VARIABLE result)
  set(what "keldar-run")
else()
  message(FATAL_ERROR "RUNNER or HOST is not set")
endif()
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${what} ended with ${result} on ${EXAMPLE}.kd3d")
endif()

foreach(ext kd3o kd3p)
  compare_with_expected("${EXAMPLES}/expected/${EXAMPLE}.${ext}" "${WORK}/${EXAMPLE}.${ext}"
                        VARYING "Path to file locations" "Date:  ")
endforeach()
