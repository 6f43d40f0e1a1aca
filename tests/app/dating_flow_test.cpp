// The "Datación" dialog from the main window: dating by the first scan, going
// back to the last period, the birth, and a damaged extension block.

#include "content/week_tips.h"
#include "model/crc32.h"
#include "resources/dialog_templates.h"
#include "tests/app/main_window_fixture.h"

namespace gestalia::test {
namespace {

// Today is 15 March 2027; her last period 1 January (10+3). The scan of 26
// February (8+0 by the last period) measured 20 mm: 8+6, beyond the margin
// of 5 days, so by the scan her last period stands on 26 December 2026.
class DatingFlow : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        path = WriteAgenda("ana.gst", CDateValue(2027, 1, 1), {"Eco"});
        Start(path);
    }

    void RunDating(const DialogScript& script) {
        ui.QueueDialog(script);
        window.Click(IDC_DATING_BUTTON);
    }

    static void EnterScan(CFakeDialogWindow& w) {
        w.ChangeDate(IDC_DATING_SCAN_DATE, CDateValue(2027, 2, 26));
        w.SetControlText(IDC_DATING_CRL, "20");
    }

    std::vector<std::string> StatusTexts() const {
        return {Text(IDC_DUE_DATE), Text(IDC_DAYS_LEFT), Text(IDC_WEEKS)};
    }

    std::string path;
};

TEST_F(DatingFlow, TheWindowFollowsTheScanWhileSheDatesByIt) {
    RunDating([](CFakeDialogWindow& w, IDialogHandler&) {
        EXPECT_TRUE(w.GetCheck(IDC_DATING_BY_PERIOD));
        EnterScan(w);
        w.Click(IDC_DATING_COMPARE);
        EXPECT_EQ(w.GetControlText(IDC_DATING_RESULT),
                  "Edad por la última regla: 8+0; por la ecografía: 8+6 (semanas+días)\n"
                  "Diferencia: 6 días; margen: 5 días\n"
                  "Recomendación: fechar por la ecografía\n"
                  "Parto: 08/10/2027 por la última regla; 02/10/2027 por la ecografía");
        w.Click(IDC_DATING_BY_SCAN);
        w.Click(IDOK);
    });
    EXPECT_EQ(StatusTexts(), (std::vector<std::string>{"Parto: 02/10/2027 (por ecografía)",
                                                       "Quedan 201 días para ver a tu bebé",
                                                       "Estás de 11 semanas y 2 días"}));
    EXPECT_EQ(window.GetDate(IDC_LAST_PERIOD), CDateValue(2027, 1, 1));
    EXPECT_EQ(Text(IDC_TIP_TEXT), std::string(*GetWeekTip(11)));
    const CAgendaData saved = ReadAgenda(path);
    EXPECT_EQ(saved.dtLastPeriod, CDateValue(2027, 1, 1));
    ASSERT_TRUE(saved.extension.Scan().has_value());
    EXPECT_TRUE(saved.extension.Scan()->bChosen);
    EXPECT_EQ(saved.items.size(), 1u);

    // Back to the last period: the scan stays, not chosen.
    RunDating([](CFakeDialogWindow& w, IDialogHandler&) {
        EXPECT_TRUE(w.GetCheck(IDC_DATING_BY_SCAN));
        EXPECT_EQ(w.GetControlText(IDC_DATING_CRL), "20");
        w.Click(IDC_DATING_BY_PERIOD);
        w.Click(IDOK);
    });
    EXPECT_EQ(StatusTexts(), (std::vector<std::string>{"Fecha probable de parto: 08/10/2027",
                                                       "Quedan 207 días para ver a tu bebé",
                                                       "Estás de 10 semanas y 3 días"}));
    ASSERT_TRUE(ReadAgenda(path).extension.Scan().has_value());
    EXPECT_FALSE(ReadAgenda(path).extension.Scan()->bChosen);
}

TEST_F(DatingFlow, BadInputIsToldAndNothingIsStored) {
    const std::string before = ReadAll(path);
    ui.QueueMessageBox(IDOK);
    ui.QueueMessageBox(IDOK);
    ui.QueueMessageBox(IDOK);
    RunDating([](CFakeDialogWindow& w, IDialogHandler&) {
        w.SetControlText(IDC_DATING_CRL, "100");
        w.Click(IDOK);  // refused: the dialog stays
        w.SetControlText(IDC_DATING_CRL, "");
        w.Click(IDC_DATING_BY_SCAN);
        w.Click(IDOK);  // by the scan without one
        w.ChangeDate(IDC_BIRTH_DATE, CDateValue(2027, 3, 16));
        w.Click(IDC_BIRTH_SET);
        EXPECT_EQ(w.GetControlText(IDC_BIRTH_STATE), "Nacimiento: sin anotar");
        EXPECT_FALSE(w.Result().has_value());
        w.Click(IDCANCEL);
    });
    ASSERT_EQ(ui.MessageBoxes().size(), 3u);
    EXPECT_NE(ui.MessageBoxes()[0].strText.find("15 a 95 mm"), std::string::npos);
    EXPECT_NE(ui.MessageBoxes()[1].strText.find("Para fechar por la ecografía"), std::string::npos);
    EXPECT_NE(ui.MessageBoxes()[2].strText.find("posterior a hoy"), std::string::npos);
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_TRUE(globals.extension.empty());
}

TEST_F(DatingFlow, TheBirthEndsThePregnancyCountUntilItIsCleared) {
    RunDating([](CFakeDialogWindow& w, IDialogHandler&) {
        w.ChangeDate(IDC_BIRTH_DATE, CDateValue(2027, 3, 10));
        w.Click(IDC_BIRTH_SET);
        EXPECT_EQ(w.GetControlText(IDC_BIRTH_STATE), "Ya ha nacido: 10/03/2027");
        w.Click(IDOK);
    });
    EXPECT_EQ(StatusTexts(),
              (std::vector<std::string>{"Nació el 10/03/2027", "Tu bebé tiene 5 días",
                                        "Nació con 9 semanas y 5 días"}));
    EXPECT_EQ(Text(IDC_TIP_TEXT), "");
    EXPECT_EQ(Text(IDC_TIP_TITLE), "");
    EXPECT_TRUE(globals.szLinkUrl.empty());
    EXPECT_EQ(ReadAgenda(path).extension.Birth(), CDateValue(2027, 3, 10));

    RunDating([](CFakeDialogWindow& w, IDialogHandler&) {
        w.Click(IDC_BIRTH_CLEAR);
        w.Click(IDOK);
    });
    EXPECT_EQ(Text(IDC_DUE_DATE), "Fecha probable de parto: 08/10/2027");
    EXPECT_EQ(Text(IDC_TIP_TEXT), std::string(*GetWeekTip(10)));
    // Nothing left in the extension: the file is as it was before.
    EXPECT_EQ(ReadAll(path), ReadAll(WriteAgenda("same.gst", CDateValue(2027, 1, 1), {"Eco"})));
}

TEST_F(DatingFlow, ADamagedBlockThroughAbrirIsRefusedWithItsOffset) {
    CAgendaData data = ReadAgenda(path);
    data.extension.SetBirth(CDateValue(2027, 3, 10));
    std::string bytes = SerializeAgenda(data).value();
    bytes[bytes.size() - 1] = static_cast<char>(bytes.back() ^ 1);
    const std::string damaged = tmp.File("damaged.gst");
    WriteAll(damaged, bytes);

    ui.QueueOpenFile(damaged);
    ui.QueueMessageBox(IDOK);
    window.Click(IDC_OPEN_AGENDA);
    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    EXPECT_NE(
        ui.MessageBoxes()[0].strText.find("a partir del byte " + std::to_string(bytes.size() - 4)),
        std::string::npos)
        << ui.MessageBoxes()[0].strText;
    EXPECT_EQ(globals.szAgendaPath, path);
    EXPECT_TRUE(globals.extension.empty());
    EXPECT_EQ(Text(IDC_DUE_DATE), "Fecha probable de parto: 08/10/2027");
}

}  // namespace
}  // namespace gestalia::test
