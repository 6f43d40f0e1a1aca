// "Informe" and "Exportar calendario" from the main window: the files they
// write, the address handed to the browser, and what she is told when a
// place cannot be written or she changes her mind.

#include <filesystem>

#include "platform/file_url.h"
#include "platform/openable_url.h"
#include "tests/app/main_window_fixture.h"

namespace gestalia::test {
namespace {

class ReportFlow : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        path = WriteAgenda("ana.gst", CDateValue(2027, 1, 1), {"Control, semana 10"});
        Start(path);
    }

    // A folder where a file should go: nothing can be written there.
    void BlockWith(const std::string& file) {
        ASSERT_TRUE(std::filesystem::create_directory(file));
    }

    std::string path;
    const std::string beside = tmp.File("ana - informe.html");
};

TEST_F(ReportFlow, InformeWritesThePageBesideTheAgendaAndOpensIt) {
    window.Click(IDC_REPORT_BUTTON);
    const std::string page = ReadAll(beside);
    EXPECT_NE(page.find("<html"), std::string::npos);
    EXPECT_NE(page.find("Control, semana 10"), std::string::npos);
    ASSERT_EQ(ui.OpenedUrls().size(), 1u);
    EXPECT_EQ(ui.OpenedUrls()[0], FileUrlOf(beside));
    EXPECT_EQ(ui.OpenedUrls()[0].rfind("file://", 0), 0u);
    // The opener takes exactly this address, as the file it names.
    const std::optional<COpenTarget> target = OpenTargetOf(ui.OpenedUrls()[0], CacheFolder());
    ASSERT_TRUE(target.has_value());
    EXPECT_TRUE(target->bLocalFile);
    EXPECT_TRUE(std::filesystem::equivalent(target->strTarget, beside));
    EXPECT_TRUE(ui.MessageBoxes().empty());
}

TEST_F(ReportFlow, WhereTheAgendaIsNotWritableSheChoosesAnotherPlace) {
    BlockWith(beside);
    ui.QueueMessageBox(IDOK);
    ui.QueueSaveFile(tmp.File("para la matrona.html"));
    window.Click(IDC_REPORT_BUTTON);
    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    EXPECT_NE(ui.MessageBoxes()[0].strText.find("Elige dónde guardarlo"), std::string::npos);
    ASSERT_EQ(ui.SaveDialogs().size(), 1u);
    EXPECT_EQ(ui.SaveDialogs()[0].filters[0].strPattern, "*.html");
    const std::string chosen = tmp.File("para la matrona - informe.html");
    EXPECT_NE(ReadAll(chosen).find("Control, semana 10"), std::string::npos);
    ASSERT_EQ(ui.OpenedUrls().size(), 1u);
    EXPECT_EQ(ui.OpenedUrls()[0], FileUrlOf(chosen));
}

TEST_F(ReportFlow, ACancelledChoiceWritesAndOpensNothing) {
    BlockWith(beside);
    ui.QueueMessageBox(IDOK);
    ui.QueueSaveFile(std::nullopt);
    window.Click(IDC_REPORT_BUTTON);
    EXPECT_TRUE(ui.OpenedUrls().empty());
    for (const auto& entry : std::filesystem::directory_iterator(tmp.File(""))) {
        EXPECT_FALSE(entry.is_regular_file() && entry.path().extension() == ".html")
            << entry.path();
    }
}

TEST_F(ReportFlow, ABrowserThatDoesNotOpenIsToldWithWhereThePageIs) {
    ui.SetOpenUrlResult(false);
    ui.QueueMessageBox(IDOK);
    window.Click(IDC_REPORT_BUTTON);
    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    EXPECT_NE(ui.MessageBoxes()[0].strText.find("He guardado el informe en " + beside),
              std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(beside));
}

TEST_F(ReportFlow, ExportarCalendarioWritesTheIcsWhereSheChooses) {
    ui.QueueSaveFile(tmp.File("mi calendario"));
    ui.QueueMessageBox(IDOK);
    window.Click(IDC_EXPORT_BUTTON);
    ASSERT_EQ(ui.SaveDialogs().size(), 1u);
    EXPECT_EQ(ui.SaveDialogs()[0].filters.size(), 1u);
    EXPECT_EQ(ui.SaveDialogs()[0].filters[0].strPattern, "*.ics");
    EXPECT_TRUE(ui.SaveDialogs()[0].bConfirmOverwrite);
    const std::string ics = ReadAll(tmp.File("mi calendario.ics"));
    EXPECT_EQ(ics.rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
    EXPECT_NE(ics.find("SUMMARY:Control\\, semana 10"), std::string::npos);
    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    EXPECT_NE(ui.MessageBoxes()[0].strText.find("He guardado tu calendario"), std::string::npos);
}

TEST_F(ReportFlow, ACancelledExportWritesNothingAndAnUnwritablePlaceIsTold) {
    const std::string before = ReadAll(path);
    ui.QueueSaveFile(std::nullopt);
    window.Click(IDC_EXPORT_BUTTON);
    EXPECT_TRUE(ui.MessageBoxes().empty());

    BlockWith(tmp.File("bloqueado.ics"));
    ui.QueueSaveFile(tmp.File("bloqueado.ics"));
    ui.QueueMessageBox(IDOK);
    window.Click(IDC_EXPORT_BUTTON);
    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    EXPECT_NE(ui.MessageBoxes()[0].strText.find("No puedo guardar el calendario"),
              std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(tmp.File("bloqueado.ics")));
    EXPECT_EQ(ReadAll(path), before);
}

struct PathRow {
    const char* given;
    const char* report;    // AsReportPath
    const char* calendar;  // WithCalendarExtension
};

class ExportPaths : public ::testing::TestWithParam<PathRow> {};

TEST_P(ExportPaths, EndAsTheOpenerAndCalendarProgramsExpect) {
    EXPECT_EQ(AsReportPath(GetParam().given), GetParam().report);
    EXPECT_EQ(WithCalendarExtension(GetParam().given), GetParam().calendar);
    EXPECT_TRUE(IsReportPagePath(AsReportPath(GetParam().given)));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ExportPaths,
    ::testing::Values(PathRow{"/a/ana", "/a/ana - informe.html", "/a/ana.ics"},
                      PathRow{"/a/ana.html", "/a/ana - informe.html", "/a/ana.html.ics"},
                      PathRow{"/a/ana.HTM", "/a/ana - informe.html", "/a/ana.HTM.ics"},
                      PathRow{"/a/Informe.HTML", "/a/Informe.HTML", "/a/Informe.HTML.ics"},
                      PathRow{"/a/cal.ICS", "/a/cal.ICS - informe.html", "/a/cal.ICS"}));

TEST(ReportPathBeside, IsNamedAfterTheAgenda) {
    EXPECT_EQ(ReportPathBeside("/home/ana/Ana.gst"), "/home/ana/Ana - informe.html");
    EXPECT_EQ(ReportPathBeside("/home/ana/agenda"), "/home/ana/agenda - informe.html");
}

}  // namespace
}  // namespace gestalia::test
