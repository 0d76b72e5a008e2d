# Checks one man page: man renders it without a warning, and, when PROGRAM is given, every long
# option that PROGRAM --help lists has a tagged paragraph of its own in the page.
#   cmake -DPAGE=file.1 [-DPROGRAM=tool] -P CheckManPage.cmake
execute_process(COMMAND ${CMAKE_COMMAND} -E env MANWIDTH=80 man --warnings -l "${PAGE}"
                OUTPUT_VARIABLE rendered ERROR_VARIABLE warnings RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT warnings STREQUAL "")
  message(FATAL_ERROR "man -l ${PAGE} (status ${result}):\n${warnings}")
endif()
if(NOT rendered MATCHES "NAME.*SYNOPSIS.*DESCRIPTION")
  message(FATAL_ERROR "${PAGE} renders without its NAME, SYNOPSIS and DESCRIPTION:\n${rendered}")
endif()

if(PROGRAM)
  execute_process(COMMAND "${PROGRAM}" --help OUTPUT_VARIABLE help RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} --help ended with ${result}")
  endif()
  # The options are described in tagged paragraphs: the line after each .TP is the tag.
  file(READ "${PAGE}" source)
  string(REGEX MATCHALL "\\.TP\n[^\n]*" tags "${source}")
  string(REGEX MATCHALL "--[a-z][a-z-]*" options "${help}")
  list(REMOVE_DUPLICATES options)
  foreach(option ${options})
    string(REPLACE "-" "\\-" written "${option}")
    string(FIND "${tags}" "${written}" described)
    if(described EQUAL -1)
      message(FATAL_ERROR "${option} of ${PROGRAM} --help is not described in ${PAGE}")
    endif()
  endforeach()
endif()
