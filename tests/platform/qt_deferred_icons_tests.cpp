// CDeferredIconStyle: the month arrows are looked up in the base style only
// when first drawn, once for all copies, and come out as the base style draws
// them; every other icon, and any asked for with an option, comes at once.

#include "platform/qt/qt_deferred_icons.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QStyleFactory>
#include <QStyleOption>
#include <memory>

namespace gestalia {
namespace {

// Fusion, counting the icons asked of it.
class CCountingStyle final : public QProxyStyle {
  public:
    explicit CCountingStyle(int& count)
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))), m_count(count) {}
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override {
        ++m_count;
        return QProxyStyle::standardIcon(icon, option, widget);
    }

  private:
    int& m_count;
};

QImage Drawn(const QIcon& icon) {
    return icon.pixmap(QSize(16, 16)).toImage();
}

class DeferredIcons : public ::testing::TestWithParam<QStyle::StandardPixmap> {
  protected:
    int lookups = 0;
    CDeferredIconStyle style{new CCountingStyle(lookups)};
    std::unique_ptr<QStyle> fusion{QStyleFactory::create(QStringLiteral("Fusion"))};
};

TEST_P(DeferredIcons, AnArrowIsLookedUpOnceWhenFirstDrawnAndDrawnAsTheBaseStyleDrawsIt) {
    const QIcon icon = style.standardIcon(GetParam());
    const QIcon copy = icon;  // NOLINT(performance-unnecessary-copy-initialization)
    EXPECT_EQ(lookups, 0);

    EXPECT_FALSE(icon.isNull());
    EXPECT_EQ(Drawn(icon), Drawn(fusion->standardIcon(GetParam())));
    EXPECT_EQ(Drawn(copy), Drawn(icon));
    EXPECT_EQ(icon.actualSize(QSize(16, 16)),
              fusion->standardIcon(GetParam()).actualSize(QSize(16, 16)));
    EXPECT_EQ(lookups, 1);
}

INSTANTIATE_TEST_SUITE_P(MonthArrows, DeferredIcons,
                         ::testing::Values(QStyle::SP_ArrowLeft, QStyle::SP_ArrowRight));

TEST(DeferredIconStyle, OtherIconsAndIconsForAnOptionAreLookedUpAtOnce) {
    int lookups = 0;
    const CDeferredIconStyle style(new CCountingStyle(lookups));
    const QIcon warning = style.standardIcon(QStyle::SP_MessageBoxWarning);
    EXPECT_EQ(lookups, 1);
    const QStyleOption option;
    const QIcon arrow = style.standardIcon(QStyle::SP_ArrowLeft, &option);
    EXPECT_EQ(lookups, 2);
    EXPECT_FALSE(warning.isNull());
    EXPECT_FALSE(arrow.isNull());
}

}  // namespace
}  // namespace gestalia
