# The examples run as programs, with the files made beside them; each one's script and
# committed screenshot are read where they lie, beside its source.
file(GLOB PARVOLIN_EXAMPLE_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/examples/*/*.cpp)
foreach(source ${PARVOLIN_EXAMPLE_SOURCES})
  get_filename_component(example ${source} NAME_WE)
  add_dependencies(examples_tests ${example})
endforeach()
target_compile_definitions(examples_tests PRIVATE PARVOLIN_EXAMPLE_SOURCES="${PROJECT_SOURCE_DIR}/examples")
