# nlohmann-json (header-only) from the build machine, for a cross build.
include(${CMAKE_CURRENT_LIST_DIR}/host_headers.cmake)
gestalia_host_headers(nlohmann_json::nlohmann_json nlohmann)
set(nlohmann_json_FOUND TRUE)
