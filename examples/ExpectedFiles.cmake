# Helpers of the example scripts that compare what a program wrote with the expected files.

# Stops with a message naming the first of the given variables that is not set.
function(require_variables)
  foreach(var ${ARGN})
    if(NOT DEFINED ${var})
      message(FATAL_ERROR "${var} is not set")
    endif()
  endforeach()
endfunction()

# compare_with_expected(<expected> <actual> [VARYING <label>...])
# Stops with a diff when the file a run wrote differs from its expected file; with UPDATE set,
# rewrites the expected file from the run instead. A line that begins with one of the VARYING
# labels holds what changes from run to run (the date, the folder): only its label is compared.
function(compare_with_expected expected actual)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "VARYING")
  if(UPDATE)
    file(COPY_FILE "${actual}" "${expected}")
    return()
  endif()
  file(READ "${expected}" want)
  file(READ "${actual}" got)
  foreach(label IN LISTS arg_VARYING)
    string(REGEX REPLACE "${label}[^\n]*" "${label}" want "${want}")
    string(REGEX REPLACE "${label}[^\n]*" "${label}" got "${got}")
  endforeach()
  if(NOT want STREQUAL got)
    execute_process(COMMAND diff -u "${expected}" "${actual}")
    get_filename_component(name "${actual}" NAME)
    message(FATAL_ERROR "${name} differs from the expected file")
  endif()
endfunction()
