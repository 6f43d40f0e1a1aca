# What both Windows tool chains share: the compilers, a statically linked
# result that needs only Windows' own libraries, UTF-8 sources, Wine to run
# what was built, and the host's header-only libraries and GoogleTest sources
# (cmake/windows/find/).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${GESTALIA_MINGW_TRIPLE})

set(CMAKE_C_COMPILER ${GESTALIA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GESTALIA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${GESTALIA_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${GESTALIA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CXX_FLAGS_INIT "-finput-charset=UTF-8 -fexec-charset=UTF-8")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")

# Programs built here run under Wine, in a prefix of the build's own.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/run-wine.sh ${CMAKE_BINARY_DIR}/wineprefix)

list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/find)
