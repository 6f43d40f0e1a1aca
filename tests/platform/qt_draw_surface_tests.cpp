// CQtDrawSurface on a QImage: exact fills, one-pixel lines without their end
// point, framed rectangles, the font size from the device's dpi and images
// from a registry with their mask.

#include "platform/qt/qt_draw_surface.h"

#include <gtest/gtest.h>

#include <QBitmap>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "platform/qt/qt_image_registry.h"
#include "platform/qt/qt_text_cache.h"

namespace gestalia {
namespace {

constexpr int kDotsPerMetreAt96Dpi = 3780;

QRgb Rgb(Colour c) {
    return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
}

class QtSurface : public ::testing::Test {
  protected:
    QtSurface() : image(40, 30, QImage::Format_RGB32) {
        image.fill(Qt::white);
        image.setDotsPerMeterX(kDotsPerMetreAt96Dpi);
        image.setDotsPerMeterY(kDotsPerMetreAt96Dpi);
    }
    QRgb At(int x, int y) const { return image.pixel(x, y); }

    QImage image;
    CQtImageRegistry registry;
};

TEST_F(QtSurface, FillCoversExactlyTheRectangle) {
    {
        QPainter painter(&image);
        CQtDrawSurface surface(painter);
        surface.FillRect({2, 3, 5, 7}, RGB(10, 20, 30));
    }
    EXPECT_EQ(At(2, 3), Rgb(RGB(10, 20, 30)));
    EXPECT_EQ(At(4, 6), Rgb(RGB(10, 20, 30)));
    EXPECT_EQ(At(5, 6), qRgb(255, 255, 255));
    EXPECT_EQ(At(4, 7), qRgb(255, 255, 255));
    EXPECT_EQ(At(1, 3), qRgb(255, 255, 255));
}

TEST_F(QtSurface, LinesLeaveOutTheirEndPoint) {
    {
        QPainter painter(&image);
        CQtDrawSurface surface(painter);
        surface.Line({2, 5}, {6, 5}, RGB(255, 0, 0));
        surface.Line({10, 8}, {10, 2}, RGB(0, 0, 255));  // upwards
        surface.Line({20, 20}, {20, 20}, RGB(0, 0, 255));
    }
    for (int x = 2; x < 6; ++x) {
        EXPECT_EQ(At(x, 5), qRgb(255, 0, 0)) << x;
    }
    EXPECT_EQ(At(6, 5), qRgb(255, 255, 255));
    EXPECT_EQ(At(1, 5), qRgb(255, 255, 255));
    EXPECT_EQ(At(2, 4), qRgb(255, 255, 255));
    for (int y = 3; y <= 8; ++y) {
        EXPECT_EQ(At(10, y), qRgb(0, 0, 255)) << y;
    }
    EXPECT_EQ(At(10, 2), qRgb(255, 255, 255));
    EXPECT_EQ(At(20, 20), qRgb(255, 255, 255)) << "a line of no length draws nothing";
}

TEST_F(QtSurface, RectangleHasOnePixelFrame) {
    {
        QPainter painter(&image);
        CQtDrawSurface surface(painter);
        surface.Rectangle({5, 5, 12, 10}, RGB(0, 0, 0), RGB(0, 255, 0));
    }
    EXPECT_EQ(At(5, 5), qRgb(0, 0, 0));
    EXPECT_EQ(At(11, 9), qRgb(0, 0, 0));
    EXPECT_EQ(At(6, 6), qRgb(0, 255, 0));
    EXPECT_EQ(At(10, 8), qRgb(0, 255, 0));
    EXPECT_EQ(At(12, 9), qRgb(255, 255, 255));
}

TEST_F(QtSurface, FontSizeFollowsTheDevicesDpi) {
    QPainter painter(&image);
    CQtDrawSurface surface(painter);
    EXPECT_EQ(surface.DpiY(), 96);
    surface.SetFont(CFontSpec{"TAHOMA", 85, 400});
    EXPECT_EQ(surface.CurrentFont().pixelSize(), 11);  // 8.5 pt at 96 dpi
    EXPECT_EQ(surface.CurrentFont().family(), ResolveFontFamily("TAHOMA"));
    surface.SetFont(CFontSpec{"TAHOMA", 120, 700});
    EXPECT_EQ(surface.CurrentFont().pixelSize(), 16);
    EXPECT_EQ(surface.CurrentFont().weight(), QFont::Bold);
}

TEST_F(QtSurface, UnknownFaceFallsBackToTheDesktopFont) {
    EXPECT_EQ(ResolveFontFamily("No Such Face 123"),
              QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    const QStringList families = QFontDatabase::families();
    if (!families.isEmpty()) {
        EXPECT_EQ(ResolveFontFamily(families.first().toUpper()), families.first());
    }
}

TEST_F(QtSurface, MeasuresOneLineHeightPerLine) {
    QPainter painter(&image);
    CQtDrawSurface surface(painter);
    surface.SetFont(CFontSpec{});
    const Size one = surface.MeasureText("abc", true);
    const Size two = surface.MeasureText("abc\r\ndef", false);
    EXPECT_GT(one.cx, 0);
    EXPECT_EQ(two.cy, 2 * one.cy);
    EXPECT_GT(surface.MeasureText("abcdef", true).cx, one.cx);
}

TEST_F(QtSurface, ImagesComeFromTheRegistryWithTheirMask) {
    QPixmap strip(8, 4);  // two images of 4 x 4: red, then green (transparent)
    strip.fill(QColor(255, 0, 0));
    {
        QPainter p(&strip);
        p.fillRect(QRect(4, 0, 4, 4), QColor(0, 255, 0));
    }
    strip.setMask(strip.createMaskFromColor(QColor(0, 255, 0), Qt::MaskInColor));
    registry.Register(7, strip);
    const CImageList list(7, {4, 4}, 2);
    const CImageList unknown(8, {4, 4}, 2);
    {
        QPainter painter(&image);
        CQtDrawSurface surface(painter, &registry);
        EXPECT_TRUE(surface.DrawImage(list, 0, {1, 1}));
        EXPECT_TRUE(surface.DrawImage(list, 1, {10, 1}));
        EXPECT_FALSE(surface.DrawImage(list, 2, {20, 1}));
        EXPECT_FALSE(surface.DrawImage(list, -1, {20, 1}));
        EXPECT_FALSE(surface.DrawImage(unknown, 0, {20, 1}));
    }
    EXPECT_EQ(At(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(At(4, 4), qRgb(255, 0, 0));
    EXPECT_EQ(At(5, 5), qRgb(255, 255, 255));
    EXPECT_EQ(At(11, 2), qRgb(255, 255, 255)) << "masked out";
}

TEST_F(QtSurface, RegistryLoaderIsAskedOnceAndNullMeansNone) {
    int calls = 0;
    CQtImageRegistry loading([&calls](int handle) {
        ++calls;
        return handle == 1 ? QPixmap(4, 4) : QPixmap();
    });
    EXPECT_NE(loading.Find(1), nullptr);
    EXPECT_NE(loading.Find(1), nullptr);
    EXPECT_EQ(loading.Find(2), nullptr);
    EXPECT_EQ(calls, 2);
}

// A text drawn from the cache's laid-out line gives the pixels QPainter's own
// drawText gives in the same clipped box, for every alignment the calendar
// uses, cut with "..." or not, in a box larger and smaller than the text.
struct CachedTextCase {
    const char* text;
    std::uint32_t flags;
    Rect box;
};

class CachedText : public ::testing::TestWithParam<CachedTextCase> {};

TEST_P(CachedText, DrawsWhatQPainterDraws) {
    const CachedTextCase& c = GetParam();
    const auto paint = [&](bool cached) {
        QImage image(120, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        image.setDotsPerMeterX(kDotsPerMetreAt96Dpi);
        image.setDotsPerMeterY(kDotsPerMetreAt96Dpi);
        QPainter painter(&image);
        CQtTextCache texts;
        CQtDrawSurface surface(painter, nullptr, &texts);
        surface.SetFont(CFontSpec{});
        surface.SetTextColour(RGB(238, 62, 115));
        if (cached) {
            surface.DrawText(c.text, c.box, c.flags);
            surface.DrawText(c.text, c.box, c.flags);  // the second from the cache
            EXPECT_EQ(texts.TextCount(), 2u) << "one shown form, one laid-out line";
            return image;
        }
        const QRect box(c.box.left, c.box.top, c.box.Width(), c.box.Height());
        QString shown = QString::fromUtf8(c.text).replace(QLatin1Char('\n'), QLatin1Char(' '));
        if ((c.flags & kTextEndEllipsis) != 0) {
            shown = QFontMetrics(surface.CurrentFont(), &image)
                        .elidedText(shown, Qt::ElideRight, box.width());
        }
        int align = (c.flags & kTextRight) != 0    ? Qt::AlignRight
                    : (c.flags & kTextCentre) != 0 ? Qt::AlignHCenter
                                                   : Qt::AlignLeft;
        align |= (c.flags & kTextBottom) != 0    ? Qt::AlignBottom
                 : (c.flags & kTextVCentre) != 0 ? Qt::AlignVCenter
                                                 : Qt::AlignTop;
        painter.setFont(surface.CurrentFont());
        painter.setPen(QColor(238, 62, 115));
        painter.setClipRect(box);
        painter.drawText(box, align, shown);
        painter.drawText(box, align, shown);
        return image;
    };
    EXPECT_EQ(paint(true), paint(false));
}

constexpr std::uint32_t kOneLine = kTextSingleLine | kTextEndEllipsis;

INSTANTIATE_TEST_SUITE_P(
    QtSurface, CachedText,
    ::testing::Values(
        CachedTextCase{"(Semana 3)  4", kTextRight | kTextBottom | kOneLine, {2, 3, 100, 20}},
        CachedTextCase{"(Semana 3)  4", kTextRight | kTextBottom | kOneLine, {2, 3, 40, 20}},
        CachedTextCase{"Miércoles", kTextCentre | kTextVCentre | kOneLine, {5, 2, 80, 17}},
        CachedTextCase{"Sáb/Dom", kTextCentre | kTextBottom | kOneLine, {0, 2, 77, 16}},
        CachedTextCase{"0930  Consulta\ncon la matrona ",
                       kTextLeft | kTextVCentre | kOneLine,
                       {21, 4, 110, 36}},
        CachedTextCase{"Nota número 7 · análisis y peso",
                       kTextLeft | kTextVCentre | kOneLine,
                       {1, 10, 60, 26}},
        CachedTextCase{"Sin cortar", kTextLeft | kTextSingleLine, {1, 10, 30, 26}}));

}  // namespace
}  // namespace gestalia
