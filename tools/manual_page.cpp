#include "tools/manual_page.h"

namespace gestalia {

namespace {

constexpr std::size_t kHelpWidth = 79;
constexpr std::size_t kTermIndent = 2;
constexpr std::size_t kTextIndent = 6;

std::size_t Letters(std::string_view text) {
    std::size_t n = 0;
    for (const char c : text) {
        // Continuation bytes of a UTF-8 sequence do not start a letter.
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++n;
        }
    }
    return n;
}

std::vector<std::string_view> Paragraphs(std::string_view text) {
    std::vector<std::string_view> paragraphs;
    while (!text.empty()) {
        const std::size_t end = text.find("\n\n");
        paragraphs.push_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 2);
    }
    return paragraphs;
}

// Text for troff: a backslash is written \e, every hyphen \- (the page names
// commands and options that are typed as they stand) and a line may not start
// with a control character.
std::string ManEscape(std::string_view text) {
    std::string out;
    bool lineStart = true;
    for (const char c : text) {
        if (lineStart && (c == '.' || c == '\'')) {
            out += "\\&";
        }
        if (c == '\\') {
            out += "\\e";
        } else if (c == '-') {
            out += "\\-";
        } else {
            out += c;
        }
        lineStart = c == '\n';
    }
    return out;
}

std::string ManParagraphs(std::string_view text) {
    std::string out;
    bool first = true;
    for (const std::string_view paragraph : Paragraphs(text)) {
        if (!first) {
            out += ".PP\n";
        }
        out += ManEscape(paragraph) + '\n';
        first = false;
    }
    return out;
}

std::string UpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

std::string HelpParagraphs(std::string_view text, std::size_t indent) {
    std::string out;
    for (const std::string_view paragraph : Paragraphs(text)) {
        if (!out.empty()) {
            out += '\n';
        }
        out += WrapText(paragraph, indent, kHelpWidth);
    }
    return out;
}

}  // namespace

std::string WrapText(std::string_view text, std::size_t indent, std::size_t width) {
    const std::string margin(indent, ' ');
    std::string out;
    std::string line;
    std::size_t lineLetters = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view word = text.substr(start, end - start);
        start = end + 1;
        if (word.empty()) {
            continue;
        }
        const std::size_t wordLetters = Letters(word);
        if (!line.empty() && indent + lineLetters + 1 + wordLetters > width) {
            out += margin + line + '\n';
            line.clear();
            lineLetters = 0;
        }
        if (!line.empty()) {
            line += ' ';
            ++lineLetters;
        }
        line += word;
        lineLetters += wordLetters;
    }
    if (!line.empty()) {
        out += margin + line + '\n';
    }
    return out;
}

std::string RenderManPage(const ManualPage& page, std::string_view version) {
    std::string out = ".TH " + ManEscape(UpperAscii(page.name)) + " 1 \"\" \"Gestalia " +
                      ManEscape(version) + "\" \"Órdenes de usuario\"\n";
    out += ".SH NOMBRE\n" + ManEscape(page.name) + " \\- " + ManEscape(page.summary) + '\n';
    out += ".SH SINOPSIS\n.nf\n";
    for (const std::string& line : page.synopsis) {
        const std::size_t space = line.find(' ');
        out += "\\fB" + ManEscape(line.substr(0, space)) + "\\fR";
        if (space != std::string::npos) {
            out += ManEscape(line.substr(space));
        }
        out += '\n';
    }
    out += ".fi\n.SH DESCRIPCIÓN\n" + ManParagraphs(page.description);
    for (const ManualSection& section : page.sections) {
        out += ".SH " + ManEscape(section.manTitle) + '\n';
        if (!section.text.empty()) {
            out += ManParagraphs(section.text);
        }
        for (const ManualItem& item : section.items) {
            out += ".TP\n\\fB" + ManEscape(item.term) + "\\fR\n" + ManParagraphs(item.text);
        }
    }
    return out;
}

std::string RenderHelpText(const ManualPage& page) {
    std::string out;
    bool first = true;
    for (const std::string& line : page.synopsis) {
        out += (first ? "Uso: " : "     ") + line + '\n';
        first = false;
    }
    out += '\n' + HelpParagraphs(page.description, 0);
    for (const ManualSection& section : page.sections) {
        if (section.helpTitle.empty()) {
            continue;
        }
        out += '\n' + section.helpTitle + ":\n";
        if (!section.text.empty()) {
            out += HelpParagraphs(section.text, kTermIndent);
        }
        for (const ManualItem& item : section.items) {
            // A short term (an exit code) shares its line with the text.
            if (Letters(item.term) + kTermIndent < kTextIndent) {
                const std::string text = WrapText(item.text, kTextIndent, kHelpWidth);
                const std::string term = std::string(kTermIndent, ' ') + item.term;
                out += term + text.substr(term.size());
            } else {
                out += std::string(kTermIndent, ' ') + item.term + '\n' +
                       HelpParagraphs(item.text, kTextIndent);
            }
        }
    }
    return out;
}

}  // namespace gestalia
