# Installs every area's library and headers with the CMake package that finds
# them, so a host writes `find_package(Vorlent)` and links Vorlent::<area> or
# Vorlent::Vorlent. Included after all areas exist.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

get_property(VORLENT_AREAS GLOBAL PROPERTY VORLENT_AREAS)
set(vorlent_install_targets vorlent)
foreach(area IN LISTS VORLENT_AREAS)
  list(APPEND vorlent_install_targets vorlent_${area})
endforeach()

install(TARGETS ${vorlent_install_targets} EXPORT VorlentTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
set(vorlent_package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Vorlent)
install(EXPORT VorlentTargets NAMESPACE Vorlent:: DESTINATION ${vorlent_package_dir})

# The Qt modules the areas link (views and outline), read from the targets
# themselves so that the package asks its host for exactly those.
set(VORLENT_QT_COMPONENTS "")
foreach(target IN LISTS vorlent_install_targets)
  get_target_property(libraries ${target} INTERFACE_LINK_LIBRARIES)
  if(libraries)
    string(REGEX MATCHALL "Qt6::[A-Za-z0-9]+" qt_targets "${libraries}")
    foreach(qt_target IN LISTS qt_targets)
      string(REPLACE "Qt6::" "" component ${qt_target})
      list(APPEND VORLENT_QT_COMPONENTS ${component})
    endforeach()
  endif()
endforeach()
list(REMOVE_DUPLICATES VORLENT_QT_COMPONENTS)

configure_package_config_file(
  ${PROJECT_SOURCE_DIR}/cmake/VorlentConfig.cmake.in
  ${PROJECT_BINARY_DIR}/VorlentConfig.cmake
  INSTALL_DESTINATION ${vorlent_package_dir})
write_basic_package_version_file(
  ${PROJECT_BINARY_DIR}/VorlentConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/VorlentConfig.cmake
              ${PROJECT_BINARY_DIR}/VorlentConfigVersion.cmake
        DESTINATION ${vorlent_package_dir})
