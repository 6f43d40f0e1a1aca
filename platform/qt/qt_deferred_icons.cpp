#include "platform/qt/qt_deferred_icons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <cmath>
#include <memory>
#include <utility>

namespace gestalia {

namespace {

// The icon a style gives for one standard picture, asked for once, the first
// time it is needed; the copies of an icon share it.
class CDeferredIcon {
  public:
    CDeferredIcon(const QStyle* style, QStyle::StandardPixmap icon, const QWidget* widget)
        : m_style(style), m_icon(icon), m_widget(const_cast<QWidget*>(widget)) {}

    const QIcon& Icon() {
        if (!m_bLookedUp) {
            m_bLookedUp = true;
            // A style or widget gone by then leaves the application's style
            // to answer, for no widget in particular.
            const QStyle* style = m_style != nullptr ? m_style.data() : QApplication::style();
            m_resolved = style->standardIcon(m_icon, nullptr, m_widget.data());
        }
        return m_resolved;
    }

  private:
    QPointer<const QStyle> m_style;
    QStyle::StandardPixmap m_icon;
    QPointer<QWidget> m_widget;
    bool m_bLookedUp = false;
    QIcon m_resolved;
};

class CDeferredIconEngine final : public QIconEngine {
  public:
    explicit CDeferredIconEngine(std::shared_ptr<CDeferredIcon> icon) : m_icon(std::move(icon)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        m_icon->Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return m_icon->Icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return m_icon->Icon().pixmap(size, 1.0, mode, state);
    }
    // `size` is in device pixels already; QIcon takes it in logical ones.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        const QSize logical(static_cast<int>(std::lround(size.width() / scale)),
                            static_cast<int>(std::lround(size.height() / scale)));
        return m_icon->Icon().pixmap(logical, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return m_icon->Icon().availableSizes(mode, state);
    }
    QString iconName() override { return m_icon->Icon().name(); }
    bool isNull() override { return m_icon->Icon().isNull(); }
    QString key() const override { return QStringLiteral("gestalia-deferred"); }
    QIconEngine* clone() const override { return new CDeferredIconEngine(m_icon); }

  private:
    std::shared_ptr<CDeferredIcon> m_icon;
};

// The month arrows of the pop-up calendar (both, for either writing direction).
bool IsDeferred(QStyle::StandardPixmap icon) {
    return icon == QStyle::SP_ArrowLeft || icon == QStyle::SP_ArrowRight;
}

}  // namespace

CDeferredIconStyle::CDeferredIconStyle(QStyle* base) : QProxyStyle(base) {}

QIcon CDeferredIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                       const QWidget* widget) const {
    // An option describes one drawing and cannot be kept for later.
    if (option != nullptr || !IsDeferred(icon)) {
        return QProxyStyle::standardIcon(icon, option, widget);
    }
    return QIcon(
        new CDeferredIconEngine(std::make_shared<CDeferredIcon>(baseStyle(), icon, widget)));
}

}  // namespace gestalia
