// The dialog font: eight points at the window's dpi in the dialog face, and
// the same face and size in the templates the dialog manager reads.

#include "platform/win32/dialog_font.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/win32_text.h"
#include "platform/win32/dialog_template_bytes.h"

namespace gestalia::win32 {
namespace {

struct DialogFontCase {
    int dpi;
    LONG height;  // negative: the character height, as a point size gives
};

class DialogFont : public ::testing::TestWithParam<DialogFontCase> {};

TEST_P(DialogFont, IsEightPointsAtTheDpi) {
    const GdiObject<HFONT> font = MakeDialogFont(GetParam().dpi);
    ASSERT_NE(font, nullptr);
    LOGFONTW info{};
    ASSERT_EQ(::GetObjectW(font.get(), sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.lfHeight, GetParam().height);
    EXPECT_EQ(std::wstring(info.lfFaceName), Utf16FromUtf8(kDialogFontFace));
}

// 8 points of 1/72 inch: 10.7 pixels at 96 dpi, 16 at 144, 21.3 at 192.
INSTANTIATE_TEST_SUITE_P(Dpis, DialogFont,
                         ::testing::Values(DialogFontCase{96, -11}, DialogFontCase{144, -16},
                                           DialogFontCase{192, -21}));

TEST(DialogTemplateBytes, NameTheDialogFontAfterTheCaption) {
    CDialogTemplate tmpl;
    tmpl.strCaption = "Ab";
    const std::vector<DWORD> bytes = DialogTemplateBytes(tmpl);
    const auto* words = reinterpret_cast<const WORD*>(bytes.data());
    // The fixed header is 15 words; the caption and its end follow.
    constexpr std::size_t kFont = 15 + 3;
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(words + 15)), L"Ab");
    EXPECT_EQ(words[kFont], kDialogFontPoints);
    EXPECT_EQ(words[kFont + 1], FW_NORMAL);
    // Then italic and charset in one word, and the face.
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(words + kFont + 3)),
              Utf16FromUtf8(kDialogFontFace));
}

}  // namespace
}  // namespace gestalia::win32
