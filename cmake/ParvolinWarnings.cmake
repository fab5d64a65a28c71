# Warnings are errors for our own code only; the libraries we link keep their own rules.
function(parvolin_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
