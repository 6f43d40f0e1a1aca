# Turns the reading pages into a C++ source of constant data, run at build time:
#   cmake -DOUTPUT=<file.cpp> -DPAGES_DIR=<folder> -DPAGES=<name;name...> -P embed_pages.cmake
# Every byte is written as a \xNN escape, so no text of a page can end the
# literal or be read as C++; each escape is followed by another or by the
# closing quote, so none runs into the next character.
string(REPEAT "[0-9a-f]" 64 line_bytes)
set(body "")
set(rows "")
set(index 0)
foreach(name IN LISTS PAGES)
  file(READ "${PAGES_DIR}/${name}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  # Lines of 32 bytes, for a readable generated file.
  string(REGEX REPLACE "${line_bytes}" "\\0\n" lines "${hex}")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" escaped "${lines}")
  string(REPLACE "\n" "\"\n    \"" escaped "${escaped}")
  string(APPEND body "constexpr char kPage${index}[] =\n    \"${escaped}\";\n")
  string(APPEND rows "    {\"${name}\", {kPage${index}, ${size}}},\n")
  math(EXPR index "${index} + 1")
endforeach()

file(WRITE "${OUTPUT}.tmp"
"// Generated from content/pages when the program is built; do not edit.
#include <array>

#include \"content/offline_pages.h\"

namespace gestalia {

namespace {

${body}
constexpr std::array<COfflinePage, ${index}> kPages = {{
${rows}}};

}  // namespace

std::span<const COfflinePage> OfflinePages() {
    return kPages;
}

}  // namespace gestalia
")
# Replaced only when changed, so that an unchanged page rebuilds nothing.
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
