# `make package` (cpack): the program as a Debian package, pannellonistica_<version>_amd64.deb,
# holding only the `program` component (the library's files stay out). Its dependencies
# on the Qt 6 libraries come from dpkg-shlibdeps; the platform plugins are a package of
# their own and are named here.
set(PANNELLONISTICA_MAINTAINER
    "Pannellonistica maintainers <maintainers@users.noreply.c-seed-71ccae3e.example>")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pannellonistica)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Comune di Vesola")
set(CPACK_PACKAGE_CONTACT ${PANNELLONISTICA_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "billboards of the council's renovation programme")
set(CPACK_PACKAGE_DESCRIPTION
    "Pannellonistica records the particulars of a works site in the data file\n"
    "shared with the council's other programs and prints the site's billboard\n"
    "as a one-page PDF, protected for printing only. Its window is in Italian.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};program;/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-translations-l10n")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Directories in the package are 0755 whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
