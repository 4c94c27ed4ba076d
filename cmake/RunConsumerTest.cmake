# cmake -D SOURCE_DIR=... -D BUILD_DIR=... -D WORK_DIR=... -D GENERATOR=...
#       -D CXX_COMPILER=... [-D CXX_FLAGS=...] -P RunConsumerTest.cmake
#
# Installs the build in BUILD_DIR into WORK_DIR/prefix, takes the README's
# usage example and the output shown for it out of README.md, configures and
# builds tests/consumer against the installed package, and runs the example,
# whose output must be the README's. Finally configures the consumer once more
# with the library's sources added by add_subdirectory. Any failing step fails
# the script, showing that step's output.
foreach(variable IN ITEMS SOURCE_DIR BUILD_DIR WORK_DIR GENERATOR CXX_COMPILER)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "RunConsumerTest.cmake needs -D ${variable}=...")
  endif()
endforeach()

# run(<step> <output variable> <command...>)
function(run step output)
  message(STATUS "${step}")
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out
                  ERROR_VARIABLE out)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${step} failed (${result}): ${ARGN}\n${out}")
  endif()
  set(${output} "${out}" PARENT_SCOPE)
endfunction()

# The first fenced block of `language` in `text`: its contents go to
# `contents`, what follows the block to `rest`.
function(fenced_block text language contents rest)
  string(FIND "${text}" "```${language}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "README.md: no ```${language} block after the usage example marker")
  endif()
  string(LENGTH "```${language}\n" opening)
  math(EXPR at "${at} + ${opening}")
  string(SUBSTRING "${text}" ${at} -1 text)
  string(FIND "${text}" "\n```" end)
  if(end EQUAL -1)
    message(FATAL_ERROR "README.md: the ```${language} block is not closed")
  endif()
  string(SUBSTRING "${text}" 0 ${end} block)
  math(EXPR end "${end} + 4")
  string(SUBSTRING "${text}" ${end} -1 text)
  set(${contents} "${block}\n" PARENT_SCOPE)
  set(${rest} "${text}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
run("install into ${prefix}" ignored ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

file(READ ${SOURCE_DIR}/README.md readme)
set(marker "<!-- usage example: built and run by tests/consumer -->")
string(FIND "${readme}" "${marker}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "README.md has no line \"${marker}\"")
endif()
string(SUBSTRING "${readme}" ${at} -1 readme)
fenced_block("${readme}" cpp example readme)
fenced_block("${readme}" text expected_output readme)
file(WRITE ${WORK_DIR}/usage_example.cc "${example}")

set(configure_options -G ${GENERATOR} -D CMAKE_BUILD_TYPE=Release
    -D CMAKE_CXX_COMPILER=${CXX_COMPILER} -D "CMAKE_CXX_FLAGS=${CXX_FLAGS}"
    -D "CMAKE_EXE_LINKER_FLAGS=${CXX_FLAGS}"
    -D USAGE_EXAMPLE=${WORK_DIR}/usage_example.cc)
run("configure tests/consumer against the installed package" ignored ${CMAKE_COMMAND}
    -S ${SOURCE_DIR}/tests/consumer -B ${WORK_DIR}/installed ${configure_options}
    -D CMAKE_PREFIX_PATH=${prefix})
run("build it" ignored ${CMAKE_COMMAND} --build ${WORK_DIR}/installed)
run("run the usage example" output ${WORK_DIR}/installed/usage_example)
message(STATUS "It printed:\n${output}")
if(NOT output STREQUAL expected_output)
  message(STATUS "README.md shows:\n${expected_output}")
  message(FATAL_ERROR "The usage example's output differs from the one README.md shows")
endif()

run("configure tests/consumer with the sources by add_subdirectory" ignored ${CMAKE_COMMAND}
    -S ${SOURCE_DIR}/tests/consumer -B ${WORK_DIR}/subdirectory ${configure_options}
    -D VORLENT_SOURCE_DIR=${SOURCE_DIR})
