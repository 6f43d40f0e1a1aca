// What the Windows message boxes, file dialogs and dialogs are told, worked
// out without showing them: buttons and answers, filter lists and flags, line
// breaks, and the scaling between the window logic's pixels and the screen's.

#include "platform/win32/modal_choices.h"

#include <gtest/gtest.h>

#include "platform/win32/dialog_scaling.h"
#include "platform/win32/dialog_template_bytes.h"

namespace gestalia::win32 {
namespace {

struct MessageCase {
    MbButtons buttons;
    MbDefault defaultButton;
    std::vector<int> answers;
    int nDefault;
    int nEscape;
};

class MessageButtonsTest : public ::testing::TestWithParam<MessageCase> {};

TEST_P(MessageButtonsTest, InOrderWithTheirAnswers) {
    const MessageCase& c = GetParam();
    std::vector<int> answers;
    for (const CMessageButton& b : MessageButtons(c.buttons)) {
        answers.push_back(b.nAnswer);
    }
    EXPECT_EQ(answers, c.answers);
    EXPECT_EQ(DefaultAnswer(c.buttons, c.defaultButton), c.nDefault);
    EXPECT_EQ(EscapeAnswer(c.buttons), c.nEscape);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, MessageButtonsTest,
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

TEST(MessageButtonsTest, SpeakSpanish) {
    const std::vector<CMessageButton> buttons = MessageButtons(MbButtons::YesNoCancel);
    EXPECT_EQ(buttons[0].strText, L"S\u00ed");
    EXPECT_EQ(buttons[2].strText, L"Cancelar");
    EXPECT_EQ(MessageButtons(MbButtons::Ok)[0].strText, L"Aceptar");
}

TEST(FileDialogTest, FilterListIsDescriptionWithPatternThenPattern) {
    const std::wstring list = FileFilterList({{"Agendas Brotela", "*.gst"}, {"Text", "*.TXT"}});
    EXPECT_EQ(list, std::wstring(L"Agendas Brotela (*.gst)\0*.gst\0Text (*.TXT)\0*.TXT\0\0", 50));
}

TEST(FileDialogTest, FlagsAskOnlyWhatTheSpecAsks) {
    CFileDialogSpec spec;
    EXPECT_EQ(FileDialogFlags(spec, false) & (OFN_FILEMUSTEXIST | OFN_OVERWRITEPROMPT), 0u);
    EXPECT_EQ(FileDialogFlags(spec, true) & (OFN_FILEMUSTEXIST | OFN_OVERWRITEPROMPT), 0u);
    spec.bFileMustExist = true;
    spec.bConfirmOverwrite = true;
    EXPECT_EQ(FileDialogFlags(spec, false) & (OFN_FILEMUSTEXIST | OFN_OVERWRITEPROMPT),
              static_cast<DWORD>(OFN_FILEMUSTEXIST));
    EXPECT_EQ(FileDialogFlags(spec, true) & (OFN_FILEMUSTEXIST | OFN_OVERWRITEPROMPT),
              static_cast<DWORD>(OFN_OVERWRITEPROMPT));
    EXPECT_NE(FileDialogFlags(spec, true) & OFN_NOCHANGEDIR, 0u);
}

struct LineCase {
    const char* in;
    const char* out;
};

class LineBreaksTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineBreaksTest, EveryLineEndsWithCarriageReturnAndLineFeed) {
    EXPECT_EQ(WindowsLineBreaks(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Texts, LineBreaksTest,
                         ::testing::Values(LineCase{"", ""}, LineCase{"a\nb", "a\r\nb"},
                                           LineCase{"a\r\nb", "a\r\nb"},
                                           LineCase{"\n\n", "\r\n\r\n"},
                                           LineCase{"a\rb\n", "a\rb\r\n"}));

class DpiScalingTest : public ::testing::TestWithParam<int> {};

TEST_P(DpiScalingTest, UnscaleIsTheInverseOfScale) {
    const int dpi = GetParam();
    for (int x = -300; x <= 3000; ++x) {
        ASSERT_EQ(UnscaleForDpi(ScaleForDpi(x, dpi), dpi), x) << x << " at " << dpi;
    }
    EXPECT_EQ(ScaleForDpi(Rect{10, 20, 110, 45}, dpi).right, ScaleForDpi(110, dpi));
}

INSTANTIATE_TEST_SUITE_P(Resolutions, DpiScalingTest, ::testing::Values(96, 120, 144, 192, 288));

TEST(DpiScalingTest, OneAndAHalfTimesAt144) {
    EXPECT_EQ(ScaleForDpi(15, 144), 23);  // 22.5 rounds up, as MulDiv does
    EXPECT_EQ(ScaleForDpi(Size{750, 534}, 144), (Size{1125, 801}));
    EXPECT_EQ(ScaleForDpi(-3, 144), -5);
}

}  // namespace
}  // namespace gestalia::win32
