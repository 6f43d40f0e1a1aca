#pragma once
// The program's pictures, embedded from resources/images/ (":/images/<id>.png"):
// the bitmaps and the icon by resource id, and the calendar's image list strip.

#include <QIcon>
#include <QPixmap>

namespace gestalia {

// The bitmap of a resource id (131, 132, 139, 195 ...); a null pixmap if none.
QPixmap BitmapPixmap(int bitmapId);
// The program icon (138).
QIcon ProgramIcon();
// A strip of images as an image list holds it: the bitmap with pure green
// (RGB 0, 255, 0) made transparent.
QPixmap MaskedStrip(int bitmapId);

}  // namespace gestalia
