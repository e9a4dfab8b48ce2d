# tirs_target_warnings(<target>): strict warnings for our own code.
function(tirs_target_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
    -Wnon-virtual-dtor -Wcast-align -Woverloaded-virtual -Wimplicit-fallthrough)
  # GCC 12 at -O3 reports -Wrestrict inside std::string's operator+ on
  # `"A" + std::to_string(n)`: a known false alarm of that compiler.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(TIRS_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
