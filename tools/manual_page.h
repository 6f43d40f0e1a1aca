#pragma once
// A manual page as data, and the two ways it is shown: as a troff manual page
// (man 1) and as the plain text of --help. The tool's help and its manual page
// are both rendered from one ManualPage, so they cannot say different things.

#include <string>
#include <string_view>
#include <vector>

namespace gestalia {

// A term and what it means: a command with its arguments, an option, an exit
// code or an example command line.
struct ManualItem {
    std::string term;
    std::string text;
};

struct ManualSection {
    std::string manTitle;   // "ÓRDENES": the manual page's heading
    std::string helpTitle;  // "Órdenes": the heading in --help; empty: not in --help
    std::string text;       // paragraphs separated by a blank line; may be empty
    std::vector<ManualItem> items;
};

struct ManualPage {
    std::string name;                   // "gestalia-tool"
    std::string summary;                // what follows the name under NOMBRE
    std::vector<std::string> synopsis;  // one way of calling it per line
    std::string description;            // paragraphs separated by a blank line
    std::vector<ManualSection> sections;
};

// The page in the man(7) macros, section 1, dated by the version it documents.
std::string RenderManPage(const ManualPage& page, std::string_view version);

// The page as --help shows it: usage, description and the sections that have
// a help title, wrapped at 79 columns.
std::string RenderHelpText(const ManualPage& page);

// Text wrapped to lines of at most width characters (UTF-8 letters count as
// one), each line indented by indent spaces. A word longer than a line stays whole.
std::string WrapText(std::string_view text, std::size_t indent, std::size_t width);

}  // namespace gestalia
