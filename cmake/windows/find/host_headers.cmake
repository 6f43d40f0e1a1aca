# A header-only library of the build machine as an interface target of the
# cross build. Only its own folder is copied into the build: the host's
# /usr/include as a whole would hide the cross compiler's C library.
function(gestalia_host_headers target folder)
  if(NOT TARGET ${target})
    set(dest ${CMAKE_BINARY_DIR}/host-headers)
    file(COPY /usr/include/${folder} DESTINATION ${dest})
    add_library(${target} INTERFACE IMPORTED GLOBAL)
    set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${dest})
  endif()
endfunction()
