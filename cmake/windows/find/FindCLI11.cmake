# CLI11 (header-only) from the build machine, for a cross build.
include(${CMAKE_CURRENT_LIST_DIR}/host_headers.cmake)
gestalia_host_headers(CLI11::CLI11 CLI)
set(CLI11_FOUND TRUE)
