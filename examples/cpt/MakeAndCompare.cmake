# Makes the project of one CPT example with keldar-cpt in a scratch folder and compares the data
# file and the printed summary with the expected ones.
#   cmake -DMAKER=keldar-cpt -DEXAMPLE=name -DCPT=file -DEXAMPLES=dir -DWORK=dir
#         -P MakeAndCompare.cmake
# The options of keldar-cpt are the one line of EXAMPLES/name.args. With -DUPDATE=ON the expected
# files are rewritten from the run instead.
include("${CMAKE_CURRENT_LIST_DIR}/../ExpectedFiles.cmake")
require_variables(MAKER EXAMPLE CPT EXAMPLES WORK)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(STRINGS "${EXAMPLES}/${EXAMPLE}.args" options LIMIT_COUNT 1)
separate_arguments(options UNIX_COMMAND "${options}")
execute_process(COMMAND "${MAKER}" "${EXAMPLES}/${CPT}" ${options} --out "${WORK}/${EXAMPLE}.kd3d"
                OUTPUT_FILE "${WORK}/${EXAMPLE}.txt" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "keldar-cpt ended with ${result} on ${CPT}")
endif()

foreach(pair "${EXAMPLE}.kd3d" "expected/${EXAMPLE}.txt")
  get_filename_component(name "${pair}" NAME)
  compare_with_expected("${EXAMPLES}/${pair}" "${WORK}/${name}")
endforeach()
