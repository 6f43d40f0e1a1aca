// CGdiDrawSurface on a DIB section: exact fills, one-pixel lines without their
// end point, framed rectangles, fonts at the dpi's size in an installed face
// or the desktop's, text inside its rectangle, the program's bitmaps with
// their green transparent, and the device context left as it was found.

#include "platform/win32/gdi_draw_surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <string>

#include "model/win32_text.h"
#include "platform/win32/dialog_scaling.h"
#include "resources/dialog_templates.h"
#include "tests/win32/dib_section.h"

namespace gestalia::win32 {
namespace {

using test::CDibSection;

constexpr Colour kWhite = RGB(255, 255, 255);
constexpr Colour kGreen = RGB(0, 255, 0);

// Every pixel of the rectangle that is not the background.
int InkIn(const CDibSection& dib, const Rect& rc, Colour background = kWhite) {
    int ink = 0;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) {
            ink += dib.At(x, y) != background ? 1 : 0;
        }
    }
    return ink;
}

TEST(GdiSurface, FillCoversExactlyTheRectangle) {
    CDibSection dib(40, 30);
    {
        CGdiDrawSurface surface(dib.Dc(), 96);
        surface.FillRect({2, 3, 5, 7}, RGB(10, 20, 30));
    }
    EXPECT_EQ(dib.At(2, 3), RGB(10, 20, 30));
    EXPECT_EQ(dib.At(4, 6), RGB(10, 20, 30));
    EXPECT_EQ(InkIn(dib, {0, 0, 40, 30}), 3 * 4);
}

TEST(GdiSurface, LinesLeaveOutTheirEndPoint) {
    CDibSection dib(40, 30);
    {
        CGdiDrawSurface surface(dib.Dc(), 96);
        surface.Line({2, 5}, {6, 5}, RGB(255, 0, 0));
        surface.Line({10, 8}, {10, 2}, RGB(0, 0, 255));  // upwards
        surface.Line({20, 20}, {20, 20}, RGB(0, 0, 255));
        surface.Line({30, 10}, {34, 14}, RGB(0, 0, 255));  // a slope
    }
    EXPECT_EQ(InkIn(dib, {2, 5, 6, 6}), 4);
    EXPECT_EQ(dib.At(6, 5), kWhite);
    EXPECT_EQ(InkIn(dib, {10, 3, 11, 9}), 6);
    EXPECT_EQ(dib.At(10, 2), kWhite);
    EXPECT_EQ(dib.At(20, 20), kWhite) << "a line of no length draws nothing";
    EXPECT_EQ(dib.At(30, 10), RGB(0, 0, 255));
    EXPECT_EQ(dib.At(34, 14), kWhite);
    EXPECT_EQ(InkIn(dib, {0, 0, 40, 30}), 4 + 6 + 4);
}

TEST(GdiSurface, RectangleHasOnePixelFrameAndEllipseStaysInItsBox) {
    CDibSection dib(40, 30);
    {
        CGdiDrawSurface surface(dib.Dc(), 96);
        surface.Rectangle({5, 5, 12, 10}, RGB(0, 0, 0), RGB(0, 0, 255));
        surface.Ellipse({20, 5, 36, 21}, RGB(255, 0, 0), 2, RGB(0, 0, 255));
    }
    EXPECT_EQ(dib.At(5, 5), RGB(0, 0, 0));
    EXPECT_EQ(dib.At(11, 9), RGB(0, 0, 0));
    EXPECT_EQ(InkIn(dib, {6, 6, 11, 9}, RGB(0, 0, 255)), 0);
    EXPECT_EQ(dib.At(12, 9), kWhite);
    EXPECT_EQ(dib.At(28, 13), RGB(0, 0, 255)) << "filled";
    EXPECT_EQ(dib.At(20, 13), RGB(255, 0, 0)) << "outlined";
    EXPECT_EQ(dib.At(20, 5), kWhite) << "round";
    EXPECT_EQ(InkIn(dib, {36, 0, 40, 30}) + InkIn(dib, {0, 21, 40, 30}), 0);
}

struct FontCase {
    CFontSpec spec;
    int dpi;
    LONG height;  // the character height asked for, in pixels
};

class GdiSurfaceFonts : public ::testing::TestWithParam<FontCase> {};

TEST_P(GdiSurfaceFonts, SizeFollowsTheDpi) {
    CDibSection dib(10, 10);
    CGdiDrawSurface surface(dib.Dc(), GetParam().dpi);
    EXPECT_EQ(surface.DpiY(), GetParam().dpi);
    surface.SetFont(GetParam().spec);
    LOGFONTW font{};
    ASSERT_NE(::GetObjectW(::GetCurrentObject(dib.Dc(), OBJ_FONT), sizeof font, &font), 0);
    EXPECT_EQ(font.lfHeight, -GetParam().height);
    EXPECT_EQ(font.lfWeight, GetParam().spec.nWeight);
    EXPECT_EQ(font.lfFaceName, ResolveFontFace(dib.Dc(), GetParam().spec.strFace));
}

INSTANTIATE_TEST_SUITE_P(Sizes, GdiSurfaceFonts,
                         ::testing::Values(FontCase{{"TAHOMA", 85, 400}, 96, 11},
                                           FontCase{{"TAHOMA", 120, 700}, 96, 16},
                                           FontCase{{"TAHOMA", 85, 400}, 144, 17},
                                           FontCase{{"No Such Face", 100, 400}, 120, 17}));

TEST(GdiSurface, FontsOfTheOwnersCacheServeTheNextPaint) {
    CDibSection dib(10, 10);
    CGdiFontCache fonts;
    const auto paint = [&](int dpi, const CFontSpec& spec) {
        CGdiDrawSurface surface(dib.Dc(), dpi, &fonts);
        surface.SetFont(spec);
        return ::GetCurrentObject(dib.Dc(), OBJ_FONT);
    };
    const HGDIOBJ first = paint(96, CFontSpec{});
    LOGFONTW font{};
    EXPECT_NE(::GetObjectW(first, sizeof font, &font), 0) << "kept after the paint";
    EXPECT_EQ(paint(96, CFontSpec{}), first);
    EXPECT_NE(paint(96, CFontSpec{"TAHOMA", 85, 700}), first);
    EXPECT_NE(paint(144, CFontSpec{}), first);
    EXPECT_EQ(fonts.Count(), 3u);
    fonts.Clear();
    EXPECT_EQ(fonts.Count(), 0u);
}

int CALLBACK TakeFirstFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM first) {
    *reinterpret_cast<std::wstring*>(first) = font->lfFaceName;
    return 0;
}

TEST(GdiSurface, UnknownFaceFallsBackToTheMessageFont) {
    CDibSection dib(10, 10);
    EXPECT_EQ(ResolveFontFace(dib.Dc(), "No Such Face 123"), MessageFontFace());
    EXPECT_FALSE(MessageFontFace().empty());
    LOGFONTW any{};
    any.lfCharSet = DEFAULT_CHARSET;
    std::wstring first;
    ::EnumFontFamiliesExW(dib.Dc(), &any, &TakeFirstFace, reinterpret_cast<LPARAM>(&first), 0);
    ASSERT_FALSE(first.empty()) << "no font installed";
    std::wstring upper = first;
    for (wchar_t& c : upper) {
        c = static_cast<wchar_t>(std::towupper(c));
    }
    EXPECT_EQ(ResolveFontFace(dib.Dc(), Utf8FromUtf16(upper)), first);
}

TEST(GdiSurface, MeasuresOneLineHeightPerLine) {
    CDibSection dib(10, 10);
    CGdiDrawSurface surface(dib.Dc(), 96);
    surface.SetFont(CFontSpec{});
    const Size one = surface.MeasureText("abc", true);
    EXPECT_GT(one.cx, 0);
    EXPECT_EQ(surface.MeasureText("abc\r\ndef", false).cy, 2 * one.cy);
    EXPECT_EQ(surface.MeasureText("abc\r\ndef", true).cy, one.cy);
    EXPECT_GT(surface.MeasureText("abcdef", true).cx, one.cx);
    EXPECT_EQ(surface.MeasureText("", true).cx, 0);
}

struct TextCase {
    const char* text;
    std::uint32_t flags;
};

class GdiSurfaceText : public ::testing::TestWithParam<TextCase> {};

TEST_P(GdiSurfaceText, StaysInsideItsRectangle) {
    CDibSection dib(120, 40);
    const Rect box{10, 8, 60, 30};
    {
        CGdiDrawSurface surface(dib.Dc(), 96);
        surface.SetFont(CFontSpec{});
        surface.SetTextColour(RGB(238, 62, 115));
        surface.DrawText(GetParam().text, box, GetParam().flags);
    }
    EXPECT_GT(InkIn(dib, box), 0);
    EXPECT_EQ(InkIn(dib, {0, 0, 120, 40}), InkIn(dib, box)) << "nothing outside the box";
}

INSTANTIATE_TEST_SUITE_P(
    Flags, GdiSurfaceText,
    ::testing::Values(TextCase{"Consulta con la matrona", kTextSingleLine | kTextEndEllipsis},
                      TextCase{"Ecografía de la semana veinte", kTextSingleLine},
                      TextCase{"uno\r\ndos\r\ntres", kTextCentre | kTextVCentre},
                      TextCase{"uno\r\ndos", kTextRight | kTextBottom},
                      TextCase{"a la derecha", kTextRight | kTextVCentre | kTextSingleLine}));

TEST(GdiSurface, ShortTextIsPlacedAsTheFlagsSay) {
    CDibSection dib(120, 40);
    const Rect box{0, 0, 120, 40};
    {
        CGdiDrawSurface surface(dib.Dc(), 96);
        surface.SetFont(CFontSpec{});
        surface.SetTextColour(RGB(0, 0, 0));
        surface.DrawText("ab", box, kTextRight | kTextBottom | kTextSingleLine);
    }
    EXPECT_EQ(InkIn(dib, {0, 0, 60, 40}), 0);
    EXPECT_EQ(InkIn(dib, {0, 0, 120, 20}), 0);
    EXPECT_GT(InkIn(dib, {100, 20, 120, 40}), 0);
}

TEST(GdiSurface, ImagesComeFromTheBitmapResourcesWithGreenTransparent) {
    CDibSection dib(60, 20, RGB(255, 255, 255));
    const CImageList icons(IDB_ITEM_ICONS, {16, 16}, 2);
    const CImageList unknown(4321, {16, 16}, 2);
    {
        CGdiDrawSurface surface(dib.Dc(), 96);
        EXPECT_TRUE(surface.DrawImage(icons, 0, {1, 2}));
        EXPECT_TRUE(surface.DrawImage(icons, 1, {20, 2}));
        EXPECT_FALSE(surface.DrawImage(icons, 2, {40, 2}));
        EXPECT_FALSE(surface.DrawImage(icons, -1, {40, 2}));
        EXPECT_FALSE(surface.DrawImage(unknown, 0, {40, 2}));
    }
    for (const Rect square : {Rect{1, 2, 17, 18}, Rect{20, 2, 36, 18}}) {
        EXPECT_GT(InkIn(dib, square), 0) << "the icon is drawn";
        EXPECT_EQ(InkIn(dib, square, kGreen), 16 * 16) << "no green left";
        EXPECT_GT(InkIn(dib, square, kWhite), 0);
        EXPECT_LT(InkIn(dib, square, kWhite), 16 * 16) << "the background shows through";
    }
    EXPECT_EQ(InkIn(dib, {36, 0, 60, 20}), 0);
}

// The pixels of a picture, drawn on white: its smallest enclosing rectangle.
Rect InkBox(const CDibSection& dib) {
    Rect box{dib.Width(), dib.Height(), 0, 0};
    for (int y = 0; y < dib.Height(); ++y) {
        for (int x = 0; x < dib.Width(); ++x) {
            if (dib.At(x, y) != kWhite) {
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1)};
            }
        }
    }
    return box;
}

Rect IconInk(int dpi) {
    CDibSection dib(64, 64);
    {
        CGdiDrawSurface surface(dib.Dc(), dpi);
        EXPECT_TRUE(surface.DrawImage(CImageList(IDB_ITEM_ICONS, {16, 16}, 2), 0, {0, 0}));
    }
    return InkBox(dib);
}

// The note icons grow with the dpi as the text and the lines do.
class GdiSurfaceIcons : public ::testing::TestWithParam<int> {};

TEST_P(GdiSurfaceIcons, GrowWithTheDpi) {
    const int dpi = GetParam();
    const Rect base = IconInk(96);
    const Rect scaled = IconInk(dpi);
    ASSERT_GT(base.Width(), 8);
    EXPECT_NEAR(scaled.Width(), ScaleForDpi(base.Width(), dpi), 1);
    EXPECT_NEAR(scaled.Height(), ScaleForDpi(base.Height(), dpi), 1);
    EXPECT_LE(scaled.right, ScaleForDpi(16, dpi)) << "inside the icon's square at this dpi";
}

INSTANTIATE_TEST_SUITE_P(Dpi, GdiSurfaceIcons, ::testing::Values(96, 144, 192));

TEST(GdiSurface, LeavesTheDeviceContextAsItFoundIt) {
    CDibSection dib(10, 10);
    const HGDIOBJ font = ::GetCurrentObject(dib.Dc(), OBJ_FONT);
    const COLORREF text = ::GetTextColor(dib.Dc());
    const int mode = ::GetBkMode(dib.Dc());
    {
        CGdiDrawSurface surface(dib.Dc(), 96);
        surface.SetFont(CFontSpec{"TAHOMA", 100, 700});
        surface.SetTextColour(RGB(1, 2, 3));
        surface.DrawText("x", {0, 0, 10, 10}, kTextSingleLine);
    }
    EXPECT_EQ(::GetCurrentObject(dib.Dc(), OBJ_FONT), font);
    EXPECT_EQ(::GetTextColor(dib.Dc()), text);
    EXPECT_EQ(::GetBkMode(dib.Dc()), mode);
}

}  // namespace
}  // namespace gestalia::win32
