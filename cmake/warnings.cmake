# tirs_target_warnings(<target>): strict warnings for our own code.
function(tirs_target_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
    -Wnon-virtual-dtor -Wcast-align -Woverloaded-virtual -Wimplicit-fallthrough)
  if(TIRS_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
