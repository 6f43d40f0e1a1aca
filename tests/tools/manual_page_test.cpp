// The manual pages and the help: one data source, two renderings.

#include "tools/manual_page.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "tools/manual_pages.h"

namespace gestalia {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

struct WrapCase {
    const char* text;
    std::size_t indent;
    std::size_t width;
    const char* wrapped;
};

class WrapsText : public ::testing::TestWithParam<WrapCase> {};

TEST_P(WrapsText, AtWordsWithinTheWidth) {
    const WrapCase& c = GetParam();
    EXPECT_EQ(WrapText(c.text, c.indent, c.width), c.wrapped);
}

INSTANTIATE_TEST_SUITE_P(Manual, WrapsText,
                         ::testing::Values(WrapCase{"uno dos tres", 0, 7, "uno dos\ntres\n"},
                                           WrapCase{"uno dos tres", 2, 9, "  uno dos\n  tres\n"},
                                           // Accented letters are one column each, not two bytes.
                                           WrapCase{"día más ñú", 0, 7, "día más\nñú\n"},
                                           WrapCase{"palabralarga y", 0, 5, "palabralarga\ny\n"},
                                           WrapCase{"  dos  espacios ", 0, 79, "dos espacios\n"},
                                           WrapCase{"", 4, 79, ""}));

ManualPage SmallPage() {
    ManualPage page;
    page.name = "prueba-x";
    page.summary = "una página";
    page.synopsis = {"prueba-x --uno [A]"};
    page.description = "Primer párrafo.\n\n.Empieza por punto y lleva \\barra.";
    page.sections = {{"ESTADO DE SALIDA", "Estado de salida", "", {{"0", "Bien."}}},
                     {"VÉASE TAMBIÉN", "", "otra(1)", {}}};
    return page;
}

TEST(ManPage, EscapesHyphensBackslashesAndLeadingDots) {
    EXPECT_EQ(RenderManPage(SmallPage(), "2.5"),
              ".TH PRUEBA\\-X 1 \"\" \"Gestalia 2.5\" \"Órdenes de usuario\"\n"
              ".SH NOMBRE\nprueba\\-x \\- una página\n"
              ".SH SINOPSIS\n.nf\n\\fBprueba\\-x\\fR \\-\\-uno [A]\n.fi\n"
              ".SH DESCRIPCIÓN\nPrimer párrafo.\n.PP\n\\&.Empieza por punto y lleva \\ebarra.\n"
              ".SH ESTADO DE SALIDA\n.TP\n\\fB0\\fR\nBien.\n"
              ".SH VÉASE TAMBIÉN\notra(1)\n");
}

TEST(HelpText, LeavesOutSectionsWithoutAHelpTitle) {
    EXPECT_EQ(RenderHelpText(SmallPage()),
              "Uso: prueba-x --uno [A]\n\n"
              "Primer párrafo.\n\n.Empieza por punto y lleva \\barra.\n\n"
              "Estado de salida:\n  0   Bien.\n");
}

TEST(ToolManual, ListsEveryCommandAndExitCodeInBothRenderings) {
    const ManualPage page = ToolManual();
    const std::string man = RenderManPage(page, "1.0");
    const std::string help = RenderHelpText(page);
    for (const ToolCommandDoc& command : kToolCommands) {
        EXPECT_THAT(help, HasSubstr("  " + std::string(command.name) + ' ')) << command.name;
        std::string manName;
        for (const char c : command.name) {
            manName += c == '-' ? std::string("\\-") : std::string(1, c);
        }
        EXPECT_THAT(man, HasSubstr(".TP\n\\fB" + manName + ' ')) << command.name;
    }
    for (const char* code : {"0", "1", "2"}) {
        EXPECT_THAT(man, HasSubstr(std::string(".TP\n\\fB") + code + "\\fR\n"));
        EXPECT_THAT(help, HasSubstr(std::string("  ") + code + "   "));
    }
    EXPECT_THAT(man, HasSubstr("gestalia(1)"));
    EXPECT_THAT(help, Not(HasSubstr("gestalia(1)")));
}

TEST(ProgramManual, NamesTheArgumentTheFilesAndTheCompanion) {
    const std::string man = RenderManPage(ProgramManual(), "1.0");
    EXPECT_THAT(man, HasSubstr(".TH GESTALIA 1 "));
    EXPECT_THAT(man, HasSubstr("\\fBgestalia\\fR [AGENDA]\n"));
    EXPECT_THAT(man, HasSubstr(".SH FICHEROS\n"));
    EXPECT_THAT(man, HasSubstr("gestalia\\-tool(1)"));
}

}  // namespace
}  // namespace gestalia
