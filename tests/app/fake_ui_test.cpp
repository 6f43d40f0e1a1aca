// The fake window layer itself: what tests of window logic rely on.

#include <gtest/gtest-spi.h>

#include "platform/dialog.h"
#include "tests/support/fake_ui.h"

namespace gestalia::test {
namespace {

CDialogTemplate SmallTemplate() {
    CDialogTemplate t;
    t.id = 7;
    t.strCaption = "Prueba";
    t.cx = 100;
    t.cy = 50;
    t.controls = {
        {IDOK, ControlKind::PushButton, "OK", kStyleDefault, {10, 10, 40, 14}},
        {IDCANCEL, ControlKind::PushButton, "Cancelar", kStyleHidden, {60, 10, 40, 14}},
        {20, ControlKind::Edit, "texto", kStyleDisabled, {10, 30, 80, 12}},
        {21, ControlKind::DatePicker, "", kStyleNone, {10, 44, 80, 12}},
    };
    return t;
}

// Records the calls the window makes.
class Recorder : public CDialog {
  public:
    bool OnInitDialog(IDialogWindow& w) override {
        ++nInits;
        return CDialog::OnInitDialog(w);
    }
    void OnDateChanged(int id) override { changed.push_back(id); }
    int nInits = 0;
    std::vector<int> changed;
};

TEST(FakeDialogWindowTest, StartsAsTheTemplateSays) {
    CFakeDialogWindow w(SmallTemplate());
    EXPECT_TRUE(w.IsControlVisible(IDOK));
    EXPECT_FALSE(w.IsControlVisible(IDCANCEL));
    EXPECT_FALSE(w.IsControlEnabled(20));
    EXPECT_EQ(w.GetControlText(20), "texto");
    EXPECT_EQ(w.GetControlRect(IDOK), (Rect{15, 16, 75, 39}));
    EXPECT_EQ(w.GetClientSize(), (Size{150, 81}));
    EXPECT_EQ(w.Caption(), "Prueba");
}

TEST(FakeDialogWindowTest, UnknownControlFailsTheTest) {
    CFakeDialogWindow w(SmallTemplate());
    EXPECT_NONFATAL_FAILURE(w.SetControlText(99, "x"), "has no control 99");
}

TEST(FakeDialogWindowTest, ClickOnAHiddenControlFailsTheTest) {
    CFakeDialogWindow w(SmallTemplate());
    Recorder r;
    w.Init(r);
    EXPECT_NONFATAL_FAILURE(w.Click(IDCANCEL), "hidden");
    EXPECT_FALSE(w.Result().has_value());
}

TEST(FakeDialogWindowTest, ChangeDateSetsAndNotifiesButSetDateDoesNotNotify) {
    CFakeDialogWindow w(SmallTemplate());
    Recorder r;
    w.Init(r);
    w.SetDate(21, CDateValue(2027, 1, 1));
    EXPECT_TRUE(r.changed.empty());
    w.ChangeDate(21, CDateValue(2027, 2, 1));
    EXPECT_EQ(r.changed, std::vector<int>{21});
    EXPECT_EQ(w.GetDate(21), CDateValue(2027, 2, 1));
}

TEST(DialogTest, ForgetsOnlyTheWindowThatGoesAway) {
    CFakeDialogWindow first(SmallTemplate());
    CFakeDialogWindow second(SmallTemplate());
    Recorder r;
    first.Init(r);
    second.Init(r);
    r.OnDestroy(first);
    EXPECT_EQ(r.Window(), &second);
    r.OnDestroy(second);
    EXPECT_EQ(r.Window(), nullptr);
}

TEST(FakeUiServicesTest, RunModalInitialisesRunsTheScriptAndGivesTheResult) {
    CFakeUiServices ui;
    Recorder r;
    ui.QueueDialog([](CFakeDialogWindow& w, IDialogHandler&) { w.Click(IDOK); });
    EXPECT_EQ(ui.RunModal(SmallTemplate(), r), IDOK);
    EXPECT_EQ(r.nInits, 1);
    EXPECT_EQ(r.Window(), nullptr);  // detached when the window went away
    ASSERT_EQ(ui.Dialogs().size(), 1u);
    EXPECT_EQ(ui.Dialogs()[0].nTemplateId, 7);
}

TEST(FakeUiServicesTest, ScriptThatEndsNothingGivesCancel) {
    CFakeUiServices ui;
    Recorder r;
    ui.QueueDialog([](CFakeDialogWindow&, IDialogHandler&) {});
    EXPECT_EQ(ui.RunModal(SmallTemplate(), r), IDCANCEL);
}

TEST(FakeUiServicesTest, UnscriptedQuestionsFailAndAreCancelled) {
    CFakeUiServices ui;
    Recorder r;
    int result = 0;
    EXPECT_NONFATAL_FAILURE(result = ui.RunModal(SmallTemplate(), r), "no scripted answer");
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_NONFATAL_FAILURE(result = ui.MessageBox("¿Seguro?", "Borrar", MbButtons::YesNo,
                                                   MbIcon::Question, MbDefault::Second),
                            "no scripted answer");
    EXPECT_EQ(result, IDNO);
    std::optional<std::string> path = "x";
    EXPECT_NONFATAL_FAILURE(path = ui.GetOpenFileName({}), "no scripted answer");
    EXPECT_FALSE(path.has_value());
    // An OK box has nothing to decide.
    EXPECT_EQ(ui.MessageBox("Hecho", "Aviso", MbButtons::Ok, MbIcon::None, MbDefault::First), IDOK);
    EXPECT_EQ(ui.MessageBoxes().size(), 2u);
}

TEST(FakeUiServicesTest, AnswersAreUsedInOrderAndRecorded) {
    CFakeUiServices ui;
    ui.QueueMessageBox(IDYES);
    ui.QueueMessageBox(IDNO);
    ui.QueueSaveFile("/tmp/a.gst");
    EXPECT_EQ(ui.MessageBox("1", "c", MbButtons::YesNo, MbIcon::Question, MbDefault::Second),
              IDYES);
    EXPECT_EQ(ui.MessageBox("2", "c", MbButtons::YesNo, MbIcon::Question, MbDefault::Second), IDNO);
    CFileDialogSpec spec;
    spec.nFilterIndex = 2;
    EXPECT_EQ(ui.GetSaveFileName(spec), "/tmp/a.gst");
    ASSERT_EQ(ui.SaveDialogs().size(), 1u);
    EXPECT_EQ(ui.SaveDialogs()[0].nFilterIndex, 2);
    EXPECT_EQ(ui.MessageBoxes()[1].strText, "2");
    EXPECT_TRUE(ui.AllAnswersUsed());
    EXPECT_TRUE(ui.OpenUrl("https://x.example/"));
    EXPECT_EQ(ui.OpenedUrls(), std::vector<std::string>{"https://x.example/"});
    const CFakeUiMetrics metrics;
    EXPECT_EQ(metrics.ScrollBarWidth(), 17);
}

TEST(FakeUiServicesTest, UnusedAnswersFailTheTest) {
    EXPECT_NONFATAL_FAILURE(
        {
            CFakeUiServices ui;
            ui.QueueMessageBox(IDYES);
        },
        "answers left unused");
}

}  // namespace
}  // namespace gestalia::test
