# Fails when a C++ source of the project is not as clang-format writes it.
# Links are not followed: a Wine prefix in a build folder links to the whole file system.
cmake_policy(SET CMP0009 NEW)
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
     ${SOURCE_DIR}/*.cpp ${SOURCE_DIR}/*.h)
list(FILTER sources EXCLUDE REGEX "^build")
execute_process(COMMAND ${CLANG_FORMAT} --dry-run -Werror ${sources}
                WORKING_DIRECTORY ${SOURCE_DIR}
                RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "These sources need clang-format:\n${errors}")
endif()
message(STATUS "${CMAKE_CURRENT_LIST_FILE}: all sources are clang-format clean")
