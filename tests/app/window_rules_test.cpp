// The window layer's rules that hold whatever the toolkit, on the fake that
// shares them with Qt and Win32: a picker's value, Enter, Escape and the close
// box, the hand over links; line breaks between the program and the controls;
// a surface's text lines and font sizes; the words and answers of the
// platform's own windows.

#include <gtest/gtest.h>

#include "platform/dialog.h"
#include "platform/line_breaks.h"
#include "platform/modal_choices.h"
#include "platform/surface_rules.h"
#include "platform/ui_services_base.h"
#include "tests/support/fake_ui.h"

namespace gestalia {
namespace {

using test::CFakeDialogWindow;

const CDateValue kInvalid = CDateValue::FromRaw(7.5, DateStatus::invalid);

struct PickerCase {
    const char* name;
    ControlKind kind;
    CDateValue set;
    CDateValue shown;
    CDateValue value;
};

class PickerMerge : public ::testing::TestWithParam<PickerCase> {};

TEST_P(PickerMerge, KeepsThePartThePickerDoesNotEdit) {
    const PickerCase& c = GetParam();
    EXPECT_EQ(PickerValue(c.kind, c.set, c.shown), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Pickers, PickerMerge,
    ::testing::Values(
        PickerCase{"DateKeepsTime", ControlKind::DatePicker, CDateValue(2027, 3, 12, 9, 30, 5),
                   CDateValue(2027, 4, 1), CDateValue(2027, 4, 1, 9, 30, 5)},
        PickerCase{"DateAfterInvalidIsMidnight", ControlKind::DatePicker, kInvalid,
                   CDateValue(2027, 4, 1, 8, 0, 0), CDateValue(2027, 4, 1)},
        PickerCase{"TimeKeepsDate", ControlKind::TimePicker, CDateValue(2027, 3, 12, 9, 0, 0),
                   CDateValue(2000, 1, 1, 17, 45, 10), CDateValue(2027, 3, 12, 17, 45, 10)},
        PickerCase{"TimeAfterInvalidIsOnTheEpoch", ControlKind::TimePicker, kInvalid,
                   CDateValue(2000, 1, 1, 17, 45, 0), CDateValue(1899, 12, 30, 17, 45, 0)}),
    [](const auto& info) { return std::string(info.param.name); });

CDialogTemplate ButtonsTemplate(bool bCloseOnEscape) {
    CDialogTemplate t;
    t.id = 9;
    t.cx = 200;
    t.cy = 100;
    t.bCloseOnEscape = bCloseOnEscape;
    t.controls = {
        {30, ControlKind::PushButton, "Otro", kStyleNone, {10, 10, 40, 14}},
        {31, ControlKind::PushButton, "Guardar", kStyleDefault, {60, 10, 40, 14}},
        {32, ControlKind::Edit, "", kStyleMultiLine, {10, 30, 80, 30}},
        {33, ControlKind::Static, "Ver", kStyleLink, {10, 70, 40, 10}},
    };
    return t;
}

// Records the commands and close requests; ends the run on the close box
// only when told to.
class Commands : public CDialog {
  public:
    void OnCommand(int id) override { ids.push_back(id); }
    void OnClose() override {
        ++nCloseAsked;
        if (bEndOnClose) {
            EndDialog(IDCANCEL);
        }
    }
    std::vector<int> ids;
    int nCloseAsked = 0;
    bool bEndOnClose = false;
};

TEST(EnterRule, FocusedButtonThenVisibleEnabledDefaultThenOk) {
    CFakeDialogWindow w(ButtonsTemplate(true));
    Commands h;
    w.Init(h);
    w.PressEnter();  // no focus yet
    w.SetFocus(30);
    w.PressEnter();
    w.SetFocus(32);  // an edit: the default button
    w.PressEnter();
    w.EnableControl(31, false);
    w.PressEnter();
    w.EnableControl(31, true);
    w.ShowControl(31, false);
    w.PressEnter();
    EXPECT_EQ(h.ids, (std::vector<int>{31, 30, 31, IDOK, IDOK}));
}

TEST(EnterRule, OnlyAMultiLineEditThatWantsReturnKeepsEnter) {
    CControlTemplate edit{32, ControlKind::Edit, "", kStyleMultiLine, {}};
    EXPECT_FALSE(EnterBreaksLine(edit));
    edit.style |= kStyleWantReturn;
    EXPECT_TRUE(EnterBreaksLine(edit));
    edit.kind = ControlKind::Static;
    EXPECT_FALSE(EnterBreaksLine(edit));
}

TEST(EscapeRule, CancelsOnlyWhereTheTemplateLetsIt) {
    for (const bool bCloseOnEscape : {true, false}) {
        CFakeDialogWindow w(ButtonsTemplate(bCloseOnEscape));
        Commands h;
        w.Init(h);
        w.PressEscape();
        EXPECT_EQ(h.ids, bCloseOnEscape ? std::vector<int>{IDCANCEL} : std::vector<int>{});
    }
}

TEST(CloseBoxRule, ClosesOnlyOnceTheHandlerEndedTheRun) {
    CFakeDialogWindow w(ButtonsTemplate(true));
    Commands h;
    w.Init(h);
    w.PressCloseBox();
    EXPECT_EQ(h.nCloseAsked, 1);
    EXPECT_FALSE(w.Result().has_value()) << "she stays: the window stays open";
    h.bEndOnClose = true;
    w.PressCloseBox();
    EXPECT_EQ(w.Result(), IDCANCEL);
    w.PressCloseBox();
    EXPECT_EQ(h.nCloseAsked, 2) << "an ended run is not asked again";
}

TEST(LinkRule, TheHandShowsOverAVisibleLinkStaticOnly) {
    CFakeDialogWindow w(ButtonsTemplate(true));
    const Rect link = w.GetControlRect(33);
    const Point inside{link.left + 1, link.top + 1};
    EXPECT_TRUE(w.LinkStaticAt(inside));
    EXPECT_FALSE(w.LinkStaticAt(Point{link.right + 1, link.top + 1}));
    const Rect button = w.GetControlRect(31);
    EXPECT_FALSE(w.LinkStaticAt(Point{button.left + 1, button.top + 1}));
    w.ShowControl(33, false);
    EXPECT_FALSE(w.LinkStaticAt(inside));
}

struct LineCase {
    const char* windows;  // as the program keeps it
    const char* unix;     // as Qt's editors give it
};

class LineBreaks : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineBreaks, ConvertBothWays) {
    EXPECT_EQ(WindowsLineBreaks(GetParam().unix), GetParam().windows);
    EXPECT_EQ(UnixLineBreaks(GetParam().windows), GetParam().unix);
    EXPECT_EQ(WindowsLineBreaks(GetParam().windows), GetParam().windows);
}

INSTANTIATE_TEST_SUITE_P(Texts, LineBreaks,
                         ::testing::Values(LineCase{"", ""}, LineCase{"a\r\nb", "a\nb"},
                                           LineCase{"\r\n\r\n", "\n\n"},
                                           LineCase{"a\rb\r\n", "a\rb\n"},
                                           LineCase{"Eco\r\n12 semanas\r\n", "Eco\n12 semanas\n"}));

// How a surface keeps a text on one line, splits it into lines and measures
// it, here with one pixel a byte and lines 10 pixels high.
struct SurfaceTextCase {
    const char* text;
    const char* singleLine;
    std::vector<std::string> lines;
    Size size;  // of the text as lines
};

class SurfaceText : public ::testing::TestWithParam<SurfaceTextCase> {};

TEST_P(SurfaceText, OneLineAndLines) {
    const SurfaceTextCase& c = GetParam();
    const auto bytes = [](const std::string& line) { return static_cast<int>(line.size()); };
    EXPECT_EQ(SingleLineText(c.text), c.singleLine);
    EXPECT_EQ(TextLines(c.text), c.lines);
    EXPECT_EQ(MeasureTextLines(c.text, false, 10, bytes), c.size);
    const Size one{static_cast<int>(std::string_view(c.singleLine).size()), 10};
    EXPECT_EQ(MeasureTextLines(c.text, true, 10, bytes), one);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SurfaceText,
    ::testing::Values(SurfaceTextCase{"", "", {""}, {0, 10}},
                      SurfaceTextCase{"Eco", "Eco", {"Eco"}, {3, 10}},
                      SurfaceTextCase{
                          "Eco\r\n12 semanas", "Eco 12 semanas", {"Eco", "12 semanas"}, {10, 20}},
                      SurfaceTextCase{"a\rb\n\n", "ab  ", {"ab", "", ""}, {2, 30}},
                      SurfaceTextCase{"\r\n", " ", {"", ""}, {0, 20}}));

// A level or upright line is one rectangle of pixels, its end point left
// out, whichever way it runs.
TEST(SurfaceLine, StraightLinesAreOneRectangle) {
    struct {
        Point from;
        Point to;
        std::optional<Rect> pixels;
    } const lines[] = {
        {{2, 5}, {6, 5}, Rect{2, 5, 6, 6}}, {{6, 5}, {2, 5}, Rect{3, 5, 7, 6}},
        {{4, 1}, {4, 4}, Rect{4, 1, 5, 4}}, {{4, 4}, {4, 1}, Rect{4, 2, 5, 5}},
        {{3, 3}, {3, 3}, Rect{}},           {{0, 0}, {3, 2}, std::nullopt},
    };
    for (const auto& line : lines) {
        const std::optional<Rect> pixels = StraightLinePixels(line.from, line.to);
        ASSERT_EQ(pixels.has_value(), line.pixels.has_value());
        if (pixels) {
            EXPECT_EQ(*pixels, *line.pixels)
                << line.from.x << "," << line.from.y << " to " << line.to.x << "," << line.to.y;
        }
    }
}

TEST(SurfaceFont, PixelHeightAndWeight) {
    struct {
        int tenths;
        int dpi;
        int pixels;
    } const heights[] = {{85, 96, 11}, {85, 144, 17}, {90, 96, 12},
                         {1, 96, 1},   {0, 96, 1},    {-80, 96, 1}};
    for (const auto& h : heights) {
        CFontSpec spec;
        spec.nTenthsOfPoint = h.tenths;
        EXPECT_EQ(FontPixelHeight(spec, h.dpi), h.pixels) << h.tenths << " at " << h.dpi;
    }
    EXPECT_EQ(FontWeight(0), 100);
    EXPECT_EQ(FontWeight(700), 700);
    EXPECT_EQ(FontWeight(1000), 900);
}

struct MessageCase {
    MbButtons buttons;
    MbDefault defaultButton;
    std::vector<int> answers;
    int nDefault;
    int nEscape;
};

class MessageAnswers : public ::testing::TestWithParam<MessageCase> {};

TEST_P(MessageAnswers, InOrderWithTheirDefaultAndEscape) {
    const MessageCase& c = GetParam();
    std::vector<int> answers;
    for (const CChoice& choice : MessageChoices(c.buttons)) {
        answers.push_back(choice.nAnswer);
    }
    EXPECT_EQ(answers, c.answers);
    EXPECT_EQ(DefaultAnswer(c.buttons, c.defaultButton), c.nDefault);
    EXPECT_EQ(EscapeAnswer(c.buttons), c.nEscape);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, MessageAnswers,
    ::testing::Values(
        MessageCase{MbButtons::Ok, MbDefault::First, {IDOK}, IDOK, IDOK},
        MessageCase{MbButtons::Ok, MbDefault::Third, {IDOK}, IDOK, IDOK},
        MessageCase{MbButtons::YesNo, MbDefault::Second, {IDYES, IDNO}, IDNO, IDNO},
        MessageCase{
            MbButtons::YesNoCancel, MbDefault::First, {IDYES, IDNO, IDCANCEL}, IDYES, IDCANCEL},
        MessageCase{MbButtons::YesNoCancel,
                    MbDefault::Third,
                    {IDYES, IDNO, IDCANCEL},
                    IDCANCEL,
                    IDCANCEL}));

TEST(FileFilters, AreLabelledByDescriptionAndPattern) {
    EXPECT_EQ(FilterLabel({"Agendas Brotela", "*.gst"}), "Agendas Brotela (*.gst)");
    EXPECT_EQ(FilterLabel({"Calendario", "*.ics"}), "Calendario (*.ics)");
}

// A toolkit that shows nothing: it answers what it is told to and records
// what reached it.
class CScriptedServices final : public CUiServicesBase {
  public:
    CScriptedServices() : CUiServicesBase(std::nullopt) {}
    int RunModal(const CDialogTemplate&, IDialogHandler&) override { return IDCANCEL; }
    std::optional<int> pressed;
    std::optional<CMessageBoxSpec> shownBox;
    std::vector<bool> fileDialogs;  // bSave of each
    std::vector<std::string> targets;

  private:
    std::optional<int> ShowMessageBox(const CMessageBoxSpec& box) override {
        shownBox = box;
        return pressed;
    }
    std::optional<std::string> ChooseFile(const CFileDialogSpec&, bool bSave) override {
        fileDialogs.push_back(bSave);
        return std::nullopt;
    }
    bool OpenTarget(const COpenTarget& target) override {
        targets.push_back(target.strTarget);
        return true;
    }
};

struct BoxAnswerCase {
    MbButtons buttons;
    std::optional<int> pressed;
    int nAnswer;
};

class MessageBoxAnswer : public ::testing::TestWithParam<BoxAnswerCase> {};

TEST_P(MessageBoxAnswer, IsTheButtonPressedOrElseTheEscapeAnswer) {
    CScriptedServices ui;
    ui.pressed = GetParam().pressed;
    EXPECT_EQ(ui.MessageBox("¿Guardar?", "Gestalia", GetParam().buttons, MbIcon::Question,
                            MbDefault::Second),
              GetParam().nAnswer);
    ASSERT_TRUE(ui.shownBox.has_value());
    EXPECT_EQ(ui.shownBox->nDefault, DefaultAnswer(GetParam().buttons, MbDefault::Second));
}

INSTANTIATE_TEST_SUITE_P(Boxes, MessageBoxAnswer,
                         ::testing::Values(BoxAnswerCase{MbButtons::YesNo, IDYES, IDYES},
                                           BoxAnswerCase{MbButtons::YesNo, std::nullopt, IDNO},
                                           BoxAnswerCase{MbButtons::YesNo, IDCANCEL, IDNO},
                                           BoxAnswerCase{MbButtons::YesNoCancel, IDCANCEL,
                                                         IDCANCEL},
                                           BoxAnswerCase{MbButtons::Ok, std::nullopt, IDOK}));

TEST(UiServices, FileDialogsSayWhichAndAddressesAreCheckedFirst) {
    CScriptedServices ui;
    EXPECT_FALSE(ui.GetSaveFileName({}).has_value());
    EXPECT_FALSE(ui.GetOpenFileName({}).has_value());
    EXPECT_EQ(ui.fileDialogs, (std::vector<bool>{true, false}));
    EXPECT_FALSE(ui.OpenUrl("javascript:alert(1)"));
    EXPECT_TRUE(ui.OpenUrl("https://www.who.int/"));
    EXPECT_EQ(ui.targets, std::vector<std::string>{"https://www.who.int/"});
}

}  // namespace
}  // namespace gestalia
