// CQtDrawSurface on a QImage: exact fills, one-pixel lines without their end
// point, framed rectangles, the font size from the device's dpi and images
// from a registry with their mask.

#include "platform/qt/qt_draw_surface.h"

#include <gtest/gtest.h>

#include <QBitmap>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>

#include "platform/qt/qt_image_registry.h"

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

}  // namespace
}  // namespace gestalia
