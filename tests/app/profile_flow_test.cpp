// The "Perfil" dialog from the main window: set, kept, refused and cleared.

#include "tests/app/main_window_fixture.h"

namespace gestalia::test {
namespace {

class ProfileFlow : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        path = WriteAgenda("ana.gst", CDateValue(2027, 1, 1), {"Eco"});
        Start(path);
    }

    void RunProfile(const DialogScript& script) {
        ui.QueueDialog(script);
        window.Click(IDC_PROFILE_BUTTON);
    }

    std::string path;
};

TEST_F(ProfileFlow, IsSavedAtOnceAndShownAgain) {
    RunProfile([](CFakeDialogWindow& w, IDialogHandler&) {
        EXPECT_EQ(w.GetControlText(IDC_PROFILE_HEIGHT), "");
        EXPECT_TRUE(w.GetCheck(IDC_PROFILE_SINGLE));
        w.SetControlText(IDC_PROFILE_HEIGHT, "163");
        w.SetControlText(IDC_PROFILE_WEIGHT, "58,5");
        w.Click(IDC_PROFILE_TWINS);
        w.Click(IDOK);
    });
    const CProfile expected{163, 58.5, true};
    EXPECT_EQ(ReadAgenda(path).extension.Profile(), expected);
    EXPECT_EQ(globals.extension.Profile(), expected);

    RunProfile([](CFakeDialogWindow& w, IDialogHandler&) {
        EXPECT_EQ(w.GetControlText(IDC_PROFILE_HEIGHT), "163");
        EXPECT_EQ(w.GetControlText(IDC_PROFILE_WEIGHT), "58,5");
        EXPECT_TRUE(w.GetCheck(IDC_PROFILE_TWINS));
        w.Click(IDCANCEL);
    });
    EXPECT_EQ(ReadAgenda(path).extension.Profile(), expected);
}

TEST_F(ProfileFlow, BadInputIsToldTheDialogKeepsWhatSheTypedAndNothingIsStored) {
    const std::string before = ReadAll(path);
    ui.QueueMessageBox(IDOK);
    ui.QueueMessageBox(IDOK);
    RunProfile([](CFakeDialogWindow& w, IDialogHandler&) {
        w.SetControlText(IDC_PROFILE_HEIGHT, "1,63");
        w.SetControlText(IDC_PROFILE_WEIGHT, "58");
        w.Click(IDOK);
        EXPECT_FALSE(w.Result().has_value());
        EXPECT_EQ(w.GetControlText(IDC_PROFILE_HEIGHT), "1,63");
        w.SetControlText(IDC_PROFILE_HEIGHT, "163");
        w.SetControlText(IDC_PROFILE_WEIGHT, "cincuenta");
        w.Click(IDOK);
        EXPECT_EQ(w.GetControlText(IDC_PROFILE_WEIGHT), "cincuenta");
        w.Click(IDCANCEL);
    });
    ASSERT_EQ(ui.MessageBoxes().size(), 2u);
    EXPECT_NE(ui.MessageBoxes()[0].strText.find("de 100 a 230"), std::string::npos);
    EXPECT_NE(ui.MessageBoxes()[1].strText.find("de 30 a 250"), std::string::npos);
    EXPECT_EQ(ui.MessageBoxes()[1].strCaption, "Perfil");
    EXPECT_EQ(ReadAll(path), before);
}

TEST_F(ProfileFlow, BorrarPerfilLeavesTheFileAsItWasWithout) {
    const std::string before = ReadAll(path);
    RunProfile([](CFakeDialogWindow& w, IDialogHandler&) {
        w.SetControlText(IDC_PROFILE_HEIGHT, "163");
        w.SetControlText(IDC_PROFILE_WEIGHT, "58");
        w.Click(IDOK);
    });
    EXPECT_NE(ReadAll(path), before);
    RunProfile([](CFakeDialogWindow& w, IDialogHandler&) {
        w.Click(IDC_PROFILE_CLEAR);
        EXPECT_EQ(w.GetControlText(IDC_PROFILE_HEIGHT), "");
        EXPECT_EQ(w.GetControlText(IDC_PROFILE_WEIGHT), "");
        w.Click(IDOK);
    });
    EXPECT_FALSE(globals.extension.Profile().has_value());
    EXPECT_EQ(ReadAll(path), before);
}

}  // namespace
}  // namespace gestalia::test
