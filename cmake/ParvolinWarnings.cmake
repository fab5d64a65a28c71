# Parvolin's own code is compiled with the common warnings, and PARVOLIN_WERROR makes them
# errors (./parvolin does); the libraries we link keep their own rules. The clang fuzz
# build reports clang's extra warnings without stopping: the gcc builds hold the code to
# them.
function(parvolin_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(PARVOLIN_WERROR AND NOT PARVOLIN_FUZZ)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
