#include "platform/qt/qt_images.h"

#include <QBitmap>
#include <QColor>
#include <QString>

namespace gestalia {

namespace {
constexpr int kProgramIcon = 138;
}

QPixmap BitmapPixmap(int bitmapId) {
    return QPixmap(QStringLiteral(":/images/%1.png").arg(bitmapId));
}

QIcon ProgramIcon() {
    return QIcon(BitmapPixmap(kProgramIcon));
}

QPixmap MaskedStrip(int bitmapId) {
    QPixmap strip = BitmapPixmap(bitmapId);
    if (!strip.isNull()) {
        strip.setMask(strip.createMaskFromColor(QColor(0, 255, 0), Qt::MaskInColor));
    }
    return strip;
}

}  // namespace gestalia
