# The project's version as the four numbers Windows wants (the parts project()
# leaves out are 0: "1.0" is 1.0.0.0), for the programs' version resources and
# the installer's.
set(GESTALIA_VERSION_QUAD)
foreach(part MAJOR MINOR PATCH TWEAK)
  if("${PROJECT_VERSION_${part}}" STREQUAL "")
    list(APPEND GESTALIA_VERSION_QUAD 0)
  else()
    list(APPEND GESTALIA_VERSION_QUAD ${PROJECT_VERSION_${part}})
  endif()
endforeach()
list(JOIN GESTALIA_VERSION_QUAD "." GESTALIA_VERSION_QUAD)

# gestalia_version_info(TARGET DESCRIPTION): links a version resource into the
# Windows program TARGET: product "Gestalia", the project's version, and
# DESCRIPTION, in Spanish, as the file's description.
function(gestalia_version_info target description)
  string(REPLACE "." "," GESTALIA_VERSION_COMMAS ${GESTALIA_VERSION_QUAD})
  set(GESTALIA_FILE_DESCRIPTION "${description}")
  set(GESTALIA_FILE_STEM ${target})
  set(GESTALIA_FILE_NAME ${target}.exe)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/windows/version_info.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
