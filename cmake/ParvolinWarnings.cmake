# Warnings are errors for our own code only; the libraries we link keep their own rules.
# The clang fuzz build reports clang's extra warnings without stopping: the gcc builds
# are the ones that hold the code to them.
function(parvolin_warnings target)
  if(PARVOLIN_FUZZ)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  endif()
endfunction()
