# Checks that the KELDAR figures quoted in the verification chapter of the technical manual are
# those of the verification projects' expected reports, so that the manual cannot drift from the
# engine. Each "### Check" section names its projects (`name.kd3d`); every number the section
# writes in the report's own form (0.1234E+05) must appear as a field of one of their expected
# reports. The expected reports themselves are compared with fresh runs by the verification_ tests.
#   cmake -DMANUAL=technical-manual.md -DEXAMPLES=docs/verification -P ManualFigures.cmake
foreach(var MANUAL EXAMPLES)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

file(READ "${MANUAL}" manual)
string(FIND "${manual}" "\n## Verification" begin)
if(begin LESS 0)
  message(FATAL_ERROR "${MANUAL} has no Verification chapter")
endif()
string(SUBSTRING "${manual}" ${begin} -1 chapter)
string(SUBSTRING "${chapter}" 1 -1 chapter)
string(FIND "${chapter}" "\n## " end)
if(end GREATER 0)
  string(SUBSTRING "${chapter}" 0 ${end} chapter)
endif()

# The manual writes minus signs as U+2212; the report as "-". Characters that CMake lists treat
# specially are taken out before the chapter is split into its check sections.
string(REPLACE "−" "-" chapter "${chapter}")
string(REPLACE ";" "," chapter "${chapter}")
string(REPLACE "[" "(" chapter "${chapter}")
string(REPLACE "]" ")" chapter "${chapter}")
string(REPLACE "### Check" ";### Check" sections "${chapter}")

set(figure_form "-?[0-9]\\.[0-9][0-9][0-9][0-9]E[-+][0-9][0-9]")
set(checked 0)
foreach(section IN LISTS sections)
  string(REGEX MATCH "### Check [^\n]*" heading "${section}")
  string(REGEX MATCHALL "${figure_form}" figures "${section}")
  if(NOT figures)
    continue()
  endif()
  string(REGEX MATCHALL "`[A-Za-z0-9_-]+\\.kd3d`" projects "${section}")
  set(reports "")
  foreach(project IN LISTS projects)
    string(REGEX REPLACE "`(.*)\\.kd3d`" "\\1" name "${project}")
    set(report "${EXAMPLES}/expected/${name}.kd3o")
    if(EXISTS "${report}")
      file(READ "${report}" text)
      string(APPEND reports "${text}")
    endif()
  endforeach()
  if(reports STREQUAL "")
    message(FATAL_ERROR "\"${heading}\" quotes report figures but names no verification project")
  endif()
  foreach(figure IN LISTS figures)
    # A report field is right-aligned after blanks: the blank keeps 0.1000E+05 from matching
    # inside -0.1000E+05 or 10.1000E+05.
    string(FIND "${reports}" " ${figure}" at)
    if(at LESS 0)
      message(FATAL_ERROR "\"${heading}\" quotes ${figure}, which its projects' reports do not show")
    endif()
    math(EXPR checked "${checked} + 1")
  endforeach()
endforeach()
if(checked EQUAL 0)
  message(FATAL_ERROR "no report figures found in the Verification chapter of ${MANUAL}")
endif()
message(STATUS "${checked} figures of the manual found in the expected reports")
