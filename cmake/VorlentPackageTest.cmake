# The CTest test `package.consumer` (label `package`): installs this build into
# a temporary prefix, then builds and runs tests/consumer against it, whose
# program is the README's usage example. It also configures the consumer with
# the library added by add_subdirectory, which must bring no tests, examples or
# benchmarks of its own.
set(vorlent_consumer_flags "")
if(VORLENT_SANITIZE)
  # The installed libraries carry the sanitizers' instrumentation.
  list(JOIN VORLENT_SANITIZER_FLAGS " " vorlent_consumer_flags)
endif()
add_test(NAME package.consumer
         COMMAND ${CMAKE_COMMAND}
                 -D "SOURCE_DIR=${PROJECT_SOURCE_DIR}"
                 -D "BUILD_DIR=${PROJECT_BINARY_DIR}"
                 -D "WORK_DIR=${PROJECT_BINARY_DIR}/package-test"
                 -D "GENERATOR=${CMAKE_GENERATOR}"
                 -D "CXX_COMPILER=${CMAKE_CXX_COMPILER}"
                 -D "CXX_FLAGS=${vorlent_consumer_flags}"
                 -P ${PROJECT_SOURCE_DIR}/cmake/RunConsumerTest.cmake)
set_tests_properties(package.consumer PROPERTIES LABELS package TIMEOUT 600)
