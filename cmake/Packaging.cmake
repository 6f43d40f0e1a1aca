# The Debian package, built with `cpack -G DEB` (scripts/package.sh):
# gestalia_<version>_<arch>.deb with everything `cmake --install` puts under /usr.

set(GESTALIA_MAINTAINER "Gestalia <gestalia@gestalia.example>")

# Debian wants the change log and the copyright under /usr/share/doc/<package>,
# the change log compressed without a time stamp.
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/gestalia)
configure_file(packaging/changelog.in ${PROJECT_BINARY_DIR}/packaging/changelog @ONLY)
add_custom_command(
  OUTPUT ${PROJECT_BINARY_DIR}/packaging/changelog.gz
  COMMAND gzip -9nkf ${PROJECT_BINARY_DIR}/packaging/changelog
  DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog)
add_custom_target(package_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/packaging/changelog.gz packaging/copyright
        DESTINATION ${doc_dir})

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME gestalia)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${GESTALIA_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${GESTALIA_SITE_URL})
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries come from the binaries (dpkg-shlibdeps); Qt's X11 platform
# plugin is loaded at run time, so no binary names it, and so is Qt's Spanish
# translation: Gestalia words its own buttons, but the texts inside Qt's
# windows (the file dialog's columns, an edit box's menu) come from it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "pregnancy diary in Spanish")
# CPack puts the summary first and indents the rest as Debian wants it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Gestalia is a desktop pregnancy diary with a Spanish interface. From the
date of the last period it shows the probable delivery date, the days left
and the weeks of pregnancy, a month calendar with dated notes and weights,
a tip for each week and a chart of the weights. Every change is saved at
once to the agenda file (.gst).

The gestalia-tool command shows, checks and exports agenda files.")
include(CPack)
