# vorlent_area(NAME DEPENDS <targets...> [LIBS <extra link libraries...>])
#
# Builds the library target vorlent_<NAME> from every .cc in the current
# folder that is not a test, and one test executable per *_test.cc, each
# registered with CTest and labelled with the area so `ctest -L <NAME>` runs
# the area alone. Targets link only downwards (DEPENDS), so an include that
# points the wrong way fails to build.
function(vorlent_area name)
  cmake_parse_arguments(ARG "" "" "DEPENDS;LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cc")
  file(GLOB tests CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*_test.cc")
  file(GLOB test_support CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*_testing.cc")
  list(REMOVE_ITEM sources ${tests} ${test_support} "")
  set(target vorlent_${name})
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${ARG_DEPENDS} ${ARG_LIBS})
  else()
    # Header-only so far.
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${ARG_DEPENDS} ${ARG_LIBS})
  endif()
  add_library(vorlent::${name} ALIAS ${target})

  if(VORLENT_BUILD_TESTS AND tests)
    set(support_target "")
    if(test_support)
      set(support_target ${target}_testing)
      add_library(${support_target} STATIC ${test_support})
      target_link_libraries(${support_target} PUBLIC ${target} GTest::gtest GTest::gmock)
    endif()
    foreach(test_source IN LISTS tests)
      get_filename_component(test_name ${test_source} NAME_WE)
      set(test_target ${name}_${test_name})
      add_executable(${test_target} ${test_source})
      target_link_libraries(${test_target} PRIVATE ${target} ${support_target}
                            GTest::gtest GTest::gmock GTest::gtest_main)
      gtest_discover_tests(${test_target} PROPERTIES LABELS ${name}
                           DISCOVERY_TIMEOUT 60)
    endforeach()
  endif()
endfunction()
