// The window layer's rules that hold whatever the toolkit: line breaks
// between the program and the controls, and the words and answers of the
// platform's own windows.

#include <gtest/gtest.h>

#include "platform/line_breaks.h"
#include "platform/modal_choices.h"

namespace gestalia {
namespace {

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

}  // namespace
}  // namespace gestalia
