#include "platform/qt/qt_images.h"

#include <QBitmap>
#include <QColor>
#include <QImageReader>
#include <QString>

namespace gestalia {

namespace {
constexpr int kProgramIcon = 138;
}

QPixmap BitmapPixmap(int bitmapId) {
    // Every picture is a PNG: read by Qt's own reader, without loading and
    // asking each image plug-in whether it knows the file first.
    QImageReader reader(QStringLiteral(":/images/%1.png").arg(bitmapId), "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImageReader(&reader);
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
