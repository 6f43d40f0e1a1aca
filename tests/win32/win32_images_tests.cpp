// The pictures and the manifest linked in as resources: each bitmap at its
// size in 24 bits, the program icon at every size asked for, the manifest
// with the visual styles and the dpi awareness.

#include "platform/win32/win32_images.h"

#include <gtest/gtest.h>

#include <string_view>

#include "platform/win32/gdi_object.h"
#include "resources/dialog_templates.h"

namespace gestalia::win32 {
namespace {

struct BitmapCase {
    int id;
    LONG width;
    LONG height;
};

class BitmapResources : public ::testing::TestWithParam<BitmapCase> {};

TEST_P(BitmapResources, AreTheArtworkInTwentyFourBits) {
    const HBITMAP bitmap = BitmapResource(GetParam().id);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(BitmapResource(GetParam().id), bitmap) << "loaded once";
    BITMAP info{};
    ASSERT_NE(::GetObjectW(bitmap, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, GetParam().width);
    EXPECT_EQ(info.bmHeight, GetParam().height);
    EXPECT_EQ(info.bmBitsPixel, 24);
}

INSTANTIATE_TEST_SUITE_P(Ids, BitmapResources,
                         ::testing::Values(BitmapCase{IDB_PREVIOUS, 48, 48},
                                           BitmapCase{IDB_NEXT, 48, 48},
                                           BitmapCase{IDB_LOGO, 100, 100},
                                           BitmapCase{IDB_ITEM_ICONS, 32, 16}));

TEST(BitmapResource, UnknownIdIsNone) {
    EXPECT_EQ(BitmapResource(4321), nullptr);
}

class ProgramIcons : public ::testing::TestWithParam<int> {};

TEST_P(ProgramIcons, ComeAtTheSizeAskedFor) {
    const HICON icon = ProgramIcon(GetParam());
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(icon, &info));
    // GetIconInfo makes copies of the icon's bitmaps for the caller.
    const GdiObject<HBITMAP> colourBitmap(info.hbmColor);
    const GdiObject<HBITMAP> maskBitmap(info.hbmMask);
    BITMAP colour{};
    ::GetObjectW(colourBitmap.get(), sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Sizes, ProgramIcons, ::testing::Values(16, 24, 32, 48, 256));

TEST(Manifest, AsksForVisualStylesAndPerMonitorDpi) {
    // RT_MANIFEST 24, id 1: the process's own.
    HRSRC found = ::FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr);
    const std::string_view text(
        static_cast<const char*>(::LockResource(::LoadResource(nullptr, found))),
        ::SizeofResource(nullptr, found));
    EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string_view::npos);
    EXPECT_NE(text.find("PerMonitorV2"), std::string_view::npos);
    EXPECT_NE(text.find("true/pm"), std::string_view::npos);
    EXPECT_EQ(text.find("activeCodePage"), std::string_view::npos) << "the program converts itself";
}

}  // namespace
}  // namespace gestalia::win32
