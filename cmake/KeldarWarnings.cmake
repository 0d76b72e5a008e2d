# Warnings for the project's own targets (not for third-party code).
function(keldar_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                           -Wno-sign-conversion)
  if(KELDAR_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
