# Every target of the project compiles with warnings as errors.
function(gestalia_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
endfunction()
