# vorlent_area(NAME DEPENDS <targets...> [LIBS <extra link libraries...>]
#              [AUTOMOC] [TEST_MAIN <target>] [TEST_LIBS <libraries...>]
#              [TEST_ENVIRONMENT <VAR=value...>])
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
#
# AUTOMOC runs Qt's moc over the area's library and tests. TEST_MAIN names a
# library that supplies the tests' main() in place of GoogleTest's,
# TEST_LIBS are linked into the tests alone, and TEST_ENVIRONMENT is set on
# every test of the area (beside TZ=UTC, which every test gets).
function(vorlent_area name)
  cmake_parse_arguments(ARG "AUTOMOC" "TEST_MAIN" "DEPENDS;LIBS;TEST_LIBS;TEST_ENVIRONMENT" ${ARGN})
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
  if(ARG_AUTOMOC AND sources)
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
  endif()

  if(VORLENT_BUILD_TESTS AND tests)
    set(support_target "")
    if(test_support)
      set(support_target ${target}_testing)
      add_library(${support_target} STATIC ${test_support})
      target_link_libraries(${support_target} PUBLIC ${target} ${ARG_TEST_LIBS}
                            GTest::gtest GTest::gmock)
      set_target_properties(${support_target} PROPERTIES AUTOMOC ${ARG_AUTOMOC})
    endif()
    set(test_main GTest::gtest_main)
    if(ARG_TEST_MAIN)
      set(test_main ${ARG_TEST_MAIN})
    endif()
    foreach(test_source IN LISTS tests)
      get_filename_component(test_name ${test_source} NAME_WE)
      set(test_target ${name}_${test_name})
      add_executable(${test_target} ${test_source})
      target_link_libraries(${test_target} PRIVATE ${target} ${support_target} ${ARG_TEST_LIBS}
                            GTest::gtest GTest::gmock ${test_main})
      set_target_properties(${test_target} PROPERTIES AUTOMOC ${ARG_AUTOMOC})
      # A parameterised case is named by the suite's name generator alone
      # (NO_PRETTY_VALUES), not by its printed parameter, so names stay
      # short and the same from build to build.
      gtest_discover_tests(${test_target} PROPERTIES LABELS ${name}
                           DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES)
      # Tests read "now" in a fixed zone whatever the machine's: the library
      # defaults to the system zone, which a test must not depend on.
      _vorlent_set_test_environment(${test_target} "TZ=UTC;${ARG_TEST_ENVIRONMENT}")
    endforeach()
  endif()
endfunction()

# Sets ENVIRONMENT on every test discovered in TEST_TARGET. The discovered
# tests exist only when CTest runs, and gtest_discover_tests cannot carry a
# list-valued property, so a CTest include file that runs after the
# discovery's own sets it on the names the discovery listed.
function(_vorlent_set_test_environment test_target environment)
  set(file "${CMAKE_CURRENT_BINARY_DIR}/${test_target}_environment.cmake")
  file(WRITE "${file}"
       "if(${test_target}_TESTS)\n"
       "  set_tests_properties(\${${test_target}_TESTS} PROPERTIES ENVIRONMENT [==[${environment}]==])\n"
       "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${file}")
endfunction()

# vorlent_widget_area(NAME DEPENDS <targets...> [LIBS <libraries...>])
#
# vorlent_area for an area of Qt widgets: the library links Qt Widgets and
# runs moc; the tests have Qt Test at hand and run under a QApplication on
# Qt's offscreen platform, so no display is needed. (Qt and fontconfig free
# what they hold when the application goes, so LeakSanitizer needs no
# suppressions.)
function(vorlent_widget_area name)
  cmake_parse_arguments(ARG "" "" "DEPENDS;LIBS" ${ARGN})
  if(VORLENT_BUILD_TESTS AND NOT TARGET vorlent_widget_test_main)
    add_library(vorlent_widget_test_main OBJECT
                "${PROJECT_SOURCE_DIR}/vorlent/views/testing/widget_test_main.cc")
    target_link_libraries(vorlent_widget_test_main PUBLIC Qt6::Widgets GTest::gtest)
  endif()
  vorlent_area(${name} DEPENDS ${ARG_DEPENDS} LIBS Qt6::Widgets ${ARG_LIBS}
               AUTOMOC
               TEST_MAIN vorlent_widget_test_main
               TEST_LIBS Qt6::Test
               TEST_ENVIRONMENT QT_QPA_PLATFORM=offscreen)
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
