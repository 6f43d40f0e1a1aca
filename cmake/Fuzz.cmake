# libFuzzer targets, which need clang.

# The sources of a target with their full paths, in `out`: a fuzz target is
# compiled from the source lists of the libraries it exercises.
function(gestalia_target_sources target out)
  get_target_property(dir ${target} SOURCE_DIR)
  get_target_property(sources ${target} SOURCES)
  set(paths)
  foreach(source IN LISTS sources)
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${dir} OUTPUT_VARIABLE path)
    list(APPEND paths ${path})
  endforeach()
  set(${out} ${paths} PARENT_SCOPE)
endfunction()

# A fuzz target from its sources (the target's own and those of what it
# exercises), all instrumented for libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, and compiled with `include_dir` on the path.
function(gestalia_fuzzer name include_dir)
  add_executable(${name} ${ARGN})
  target_include_directories(${name} PRIVATE ${include_dir})
  set(sanitizers -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
  target_compile_options(${name} PRIVATE -g -O1 -fno-omit-frame-pointer ${sanitizers})
  target_link_options(${name} PRIVATE ${sanitizers})
  gestalia_warnings(${name})
endfunction()
