// What the Windows message boxes, file dialogs and dialogs are told, worked
// out without showing them: button texts, filter lists and flags, and the
// scaling between the window logic's pixels and the screen's.

#include "platform/win32/modal_choices.h"

#include <gtest/gtest.h>

#include "platform/win32/dialog_scaling.h"

namespace gestalia::win32 {
namespace {

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
