// The Qt implementation's conversions: texts, line breaks, colours,
// rectangles and points, each way.

#include "platform/qt/qt_convert.h"

#include <gtest/gtest.h>

namespace gestalia {
namespace {

TEST(QtConvertTest, TextsKeepEveryCharacterBothWays) {
    const std::string text = "Añadir anotación ✓ 65,5 kg";
    const QString q = ToQString(text);
    ASSERT_EQ(q.size(), 26);  // characters, not bytes
    EXPECT_EQ(q.at(1), QChar(0x00F1));
    EXPECT_EQ(q.at(17), QChar(0x2713));
    EXPECT_EQ(ToUtf8(q), text);
    EXPECT_EQ(ToUtf8(ToQString("")), "");
}

TEST(QtConvertTest, LineBreaksAreTheProgramsOutsideAndQtsInside) {
    EXPECT_EQ(ToQtLines("Eco\r\n12 semanas\r\n"), QStringLiteral("Eco\n12 semanas\n"));
    EXPECT_EQ(FromQtLines(QStringLiteral("Eco\n12 semanas")), "Eco\r\n12 semanas");
    EXPECT_EQ(FromQtLines(ToQtLines("a\r\nb")), "a\r\nb");
}

TEST(QtConvertTest, ColoursKeepRedGreenAndBlue) {
    const Colour pink = RGB(238, 62, 115);
    EXPECT_EQ(ToQColor(pink), QColor(238, 62, 115));
    EXPECT_EQ(FromQColor(QColor(238, 62, 115)), pink);
    EXPECT_EQ(FromQColor(ToQColor(RGB(0, 120, 215))), RGB(0, 120, 215));
}

struct RectCase {
    Rect rc;
    QRect expected;
};

class QtRectTest : public ::testing::TestWithParam<RectCase> {};

TEST_P(QtRectTest, KeepsTheCornersAndEmptiesAnInvertedOne) {
    const RectCase& c = GetParam();
    EXPECT_EQ(ToQRect(c.rc), c.expected);
    if (!c.rc.IsEmpty()) {
        EXPECT_EQ(FromQRect(ToQRect(c.rc)), c.rc);
    }
}

INSTANTIATE_TEST_SUITE_P(Rects, QtRectTest,
                         ::testing::Values(RectCase{{10, 20, 40, 60}, QRect(10, 20, 30, 40)},
                                           RectCase{{-5, 0, 5, 1}, QRect(-5, 0, 10, 1)},
                                           RectCase{{10, 20, 10, 25}, QRect(10, 20, 0, 5)},
                                           RectCase{{10, 20, 4, 12}, QRect(10, 20, 0, 0)}));

TEST(QtConvertTest, PointsKeepTheirCoordinates) {
    EXPECT_EQ(FromQPoint(QPoint(7, -3)), (Point{7, -3}));
}

}  // namespace
}  // namespace gestalia
