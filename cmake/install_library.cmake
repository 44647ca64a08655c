# Installs the engine as a library others build against: the static libraries, the public
# header with what it includes, a CMake package (find_package(Pagora) -> Pagora::pagora)
# and a pkg-config file. Component `library`, so that the program's package leaves it out.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)
include(${CMAKE_CURRENT_LIST_DIR}/public_headers.cmake)

# Programs of this build link the same name a user's program does.
add_library(Pagora::pagora ALIAS pagora)

# In linking order: each library before those it uses.
set(PAGORA_LIBRARIES pagora pagora_interactive pagora_import pagora_barcode pagora_image pagora_text
    pagora_graphics pagora_core pagora_codec)

# Installed headers keep their paths under include/pagora, so that the public header's
# own includes ("pdf/core/area.h") resolve there; <pagora/pagora.h> forwards to it.
target_include_directories(pagora_headers INTERFACE
  $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>
  $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/pagora>)

install(TARGETS ${PAGORA_LIBRARIES} pagora_headers EXPORT PagoraTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT library)

pagora_public_headers(${PROJECT_SOURCE_DIR} pdf/core/pagora.h pagora_installed_headers)
foreach(header IN LISTS pagora_installed_headers)
  get_filename_component(folder ${header} DIRECTORY)
  install(FILES ${PROJECT_SOURCE_DIR}/${header}
          DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/pagora/${folder} COMPONENT library)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/include/pagora/pagora.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/pagora COMPONENT library)

set(pagora_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Pagora)
install(EXPORT PagoraTargets NAMESPACE Pagora:: DESTINATION ${pagora_cmake_dir}
        COMPONENT library)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/PagoraConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/PagoraConfig.cmake
                              INSTALL_DESTINATION ${pagora_cmake_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/PagoraConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/PagoraConfig.cmake
              ${PROJECT_BINARY_DIR}/PagoraConfigVersion.cmake
        DESTINATION ${pagora_cmake_dir} COMPONENT library)

# Relative to the .pc file's folder, so that an installed tree can be moved.
file(RELATIVE_PATH PAGORA_PC_PREFIX_FROM_PCFILEDIR /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" PAGORA_PC_PREFIX_FROM_PCFILEDIR "${PAGORA_PC_PREFIX_FROM_PCFILEDIR}")
list(TRANSFORM PAGORA_LIBRARIES PREPEND "-l" OUTPUT_VARIABLE pagora_link_flags)
list(JOIN pagora_link_flags " " PAGORA_PC_LIBS)
configure_file(${CMAKE_CURRENT_LIST_DIR}/pagora.pc.in ${PROJECT_BINARY_DIR}/pagora.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/pagora.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT library)
