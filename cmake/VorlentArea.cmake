# vorlent_area(NAME DEPENDS <targets...> [LIBS <extra link libraries...>])
#
# Builds the library target vorlent_<NAME>, known in the tree and to installed
# consumers alike as Vorlent::<NAME>, from every .cc in the current folder that
# is not a test, and one test executable per *_test.cc, each registered with
# CTest and labelled with the area so `ctest -L <NAME>` runs the area alone.
# Targets link only downwards (DEPENDS), so an include that points the wrong
# way fails to build.
#
# The folder's headers, except the test helpers (*_testing.h,
# *_test_support.h), form the target's public header set, which installing
# copies under include/vorlent/<NAME>/. Each area records itself in the global
# property VORLENT_AREAS, in the order made, for the whole-library target and
# the package export.
function(vorlent_area name)
  cmake_parse_arguments(ARG "" "" "DEPENDS;LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cc")
  file(GLOB tests CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*_test.cc")
  file(GLOB test_support CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*_testing.cc")
  list(REMOVE_ITEM sources ${tests} ${test_support} "")
  file(GLOB headers CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  file(GLOB test_headers CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*_testing.h"
       "${CMAKE_CURRENT_SOURCE_DIR}/*_test_support.h")
  list(REMOVE_ITEM headers ${test_headers} "")

  set(target vorlent_${name})
  if(sources)
    add_library(${target} STATIC ${sources})
    set(scope PUBLIC)
  else()
    # Header-only so far.
    add_library(${target} INTERFACE)
    set(scope INTERFACE)
  endif()
  # The base directory is the include root, so includes read
  # "vorlent/<area>/<file>.h" in the tree and once installed.
  target_sources(${target} ${scope} FILE_SET HEADERS BASE_DIRS ${PROJECT_SOURCE_DIR}
                 FILES ${headers})
  target_compile_features(${target} ${scope} cxx_std_20)
  target_link_libraries(${target} ${scope} ${ARG_DEPENDS} ${ARG_LIBS})
  set_target_properties(${target} PROPERTIES EXPORT_NAME ${name})
  add_library(Vorlent::${name} ALIAS ${target})
  set_property(GLOBAL APPEND PROPERTY VORLENT_AREAS ${name})

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
      # A parameterised case is named by the suite's name generator alone
      # (NO_PRETTY_VALUES), not by its printed parameter, so names stay
      # short and the same from build to build.
      gtest_discover_tests(${test_target} PROPERTIES LABELS ${name}
                           DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES)
    endforeach()
  endif()
endfunction()

# vorlent_library(NAME)
#
# The target NAME (Vorlent::Vorlent in the tree and once installed) that links
# every area recorded so far, for hosts that want the whole library.
function(vorlent_library name)
  get_property(areas GLOBAL PROPERTY VORLENT_AREAS)
  add_library(${name} INTERFACE)
  foreach(area IN LISTS areas)
    target_link_libraries(${name} INTERFACE Vorlent::${area})
  endforeach()
  set_target_properties(${name} PROPERTIES EXPORT_NAME Vorlent)
  add_library(Vorlent::Vorlent ALIAS ${name})
endfunction()
