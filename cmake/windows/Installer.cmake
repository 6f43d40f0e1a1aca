# The Windows installer, gestalia-<version>-setup.exe at the top of the build:
# NSIS's makensis (Debian's nsis) packs packaging/windows/gestalia.nsi with the
# two programs, LEEME.txt and the icon, and the version from project(). A
# 64-bit installer, like the programs it carries; its warnings are errors.
find_program(GESTALIA_MAKENSIS makensis REQUIRED)
set(installer ${CMAKE_BINARY_DIR}/gestalia-${PROJECT_VERSION}-setup.exe)
set(installer_script ${PROJECT_SOURCE_DIR}/packaging/windows/gestalia.nsi)
set(installer_readme ${PROJECT_SOURCE_DIR}/packaging/windows/LEEME.txt)
set(installer_icon ${CMAKE_BINARY_DIR}/platform/win32/pictures/gestalia.ico)
add_custom_command(
  OUTPUT ${installer}
  COMMAND ${GESTALIA_MAKENSIS} -V2 -WX -INPUTCHARSET UTF8 -NOCD
          -DVERSION=${PROJECT_VERSION} -DVERSION_QUAD=${GESTALIA_VERSION_QUAD}
          -DPROGRAM=$<TARGET_FILE:gestalia> -DTOOL=$<TARGET_FILE:gestalia-tool>
          -DREADME=${installer_readme} -DICON=${installer_icon}
          -DSITE_URL=${GESTALIA_SITE_URL} -DOUTFILE=${installer} ${installer_script}
  DEPENDS ${installer_script} ${installer_readme} gestalia gestalia-tool
  COMMENT "Packing the installer"
  VERBATIM)
add_custom_target(installer ALL DEPENDS ${installer})
