# Install rules: the public header, the shared library (and, except on Windows, a static one), the CMake
# package (find_package(orla) gives orla::orla and orla::orla_static) and the pkg-config file orla.pc.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(ORLA_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/orla CACHE STRING "Where the CMake package goes")
set(ORLA_INSTALL_TARGETS orla)

if(NOT WIN32)
  # The same objects as liborla.so, for hosts that link the calculators in. The DLL is the Windows product:
  # its header declares the exports dllimport, which a static library could not serve.
  add_library(orla_static STATIC $<TARGET_OBJECTS:orla_objects>)
  target_include_directories(orla_static PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>)
  set_target_properties(orla_static PROPERTIES OUTPUT_NAME orla EXPORT_NAME orla_static)
  list(APPEND ORLA_INSTALL_TARGETS orla_static)
endif()

install(TARGETS ${ORLA_INSTALL_TARGETS} EXPORT orlaTargets
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} NAMELINK_COMPONENT Development
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES ${PROJECT_SOURCE_DIR}/include/orla/orla.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/orla)
if(WIN32)
  # The module-definition file, for linkers that make their own import library.
  install(FILES ${CMAKE_BINARY_DIR}/orla.def DESTINATION ${CMAKE_INSTALL_LIBDIR})
endif()
if(TARGET orla-calc)
  if(NOT WIN32)
    # The installed program finds the library of its own prefix, wherever that is.
    set_target_properties(orla-calc PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
  endif()
  install(TARGETS orla-calc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(EXPORT orlaTargets NAMESPACE orla:: DESTINATION ${ORLA_INSTALL_CMAKEDIR})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/orlaConfig.cmake.in ${CMAKE_BINARY_DIR}/orlaConfig.cmake
                              INSTALL_DESTINATION ${ORLA_INSTALL_CMAKEDIR})
# The layouts of the records belong to the major version: 3.x hosts take any 3.y library.
write_basic_package_version_file(${CMAKE_BINARY_DIR}/orlaConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/orlaConfig.cmake ${CMAKE_BINARY_DIR}/orlaConfigVersion.cmake
        DESTINATION ${ORLA_INSTALL_CMAKEDIR})

# orla.pc finds its prefix from where it lies, so that an installed tree can be moved (and installed with
# cmake --install --prefix) without rewriting it.
if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}" OR IS_ABSOLUTE "${CMAKE_INSTALL_INCLUDEDIR}")
  set(ORLA_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
else()
  file(RELATIVE_PATH ORLA_PC_UP /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
  string(REGEX REPLACE "/$" "" ORLA_PC_UP "${ORLA_PC_UP}")
  set(ORLA_PC_PREFIX "\${pcfiledir}/${ORLA_PC_UP}")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/orla.pc.in ${CMAKE_BINARY_DIR}/orla.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/orla.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
