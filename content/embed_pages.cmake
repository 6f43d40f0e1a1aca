# Turns the reading pages into a C++ source of constant data, run at build time:
#   cmake -DOUTPUT=<file.cpp> -DPAGES_DIR=<folder> -DPAGES=<name;name...> -P embed_pages.cmake
# Each file is the body of a page, from its <h1> on: it goes into
# page_shell.html, the head, style, header and way back that every page
# shares, in place of @BODY@, and its <h1> text becomes the title in place of
# @TITLE@. The home page, index.html, has no way back to itself. Every page is
# thus whole and stands alone, saved or printed, while what they share is
# written once.
# Every byte is written as a \xNN escape, so no text of a page can end the
# literal or be read as C++; each escape is followed by another or by the
# closing quote, so none runs into the next character.
string(REPEAT "[0-9a-f]" 64 line_bytes)
set(body "")
set(rows "")
set(index 0)
file(READ "${PAGES_DIR}/page_shell.html" shell)
set(assembled "${OUTPUT}.page")
foreach(name IN LISTS PAGES)
  file(READ "${PAGES_DIR}/${name}" page)
  if(NOT page MATCHES "<h1>([^<]*)</h1>")
    message(FATAL_ERROR "${name}: a page's body starts with its <h1> title")
  endif()
  string(REPLACE "@TITLE@" "${CMAKE_MATCH_1}" whole "${shell}")
  if(name STREQUAL "index.html")
    string(REGEX REPLACE "<p class=\"volver\">[^\n]*\n" "" whole "${whole}")
  endif()
  string(REPLACE "@BODY@\n" "${page}" page "${whole}")
  file(WRITE "${assembled}" "${page}")
  file(READ "${assembled}" hex HEX)
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
file(REMOVE "${OUTPUT}.tmp" "${assembled}")
