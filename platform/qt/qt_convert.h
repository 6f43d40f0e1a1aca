#pragma once
// The conversions between the window layer's plain values and Qt's, written
// once for the whole Qt implementation: texts (UTF-8 and QString, and the
// program's "\r\n" line breaks against Qt's "\n"), colours, rectangles and
// points.

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>
#include <algorithm>
#include <string>
#include <string_view>

#include "model/colour.h"
#include "platform/line_breaks.h"

namespace gestalia {

inline QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string ToUtf8(const QString& s) {
    const QByteArray bytes = s.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// Line breaks: "\r\n" in the program's texts, "\n" in Qt's editors and tips.
inline QString ToQtLines(std::string_view utf8) {
    return ToQString(UnixLineBreaks(utf8));
}

inline std::string FromQtLines(const QString& text) {
    return WindowsLineBreaks(ToUtf8(text));
}

inline QColor ToQColor(Colour c) {
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

inline Colour FromQColor(const QColor& c) {
    return RGB(static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
               static_cast<std::uint8_t>(c.blue()));
}

// The same corners. An inverted rectangle (a very small window's layout can
// give one) becomes an empty one: a widget has no negative size.
inline QRect ToQRect(const Rect& rc) {
    return QRect(rc.left, rc.top, std::max(0, rc.Width()), std::max(0, rc.Height()));
}

inline Rect FromQRect(const QRect& r) {
    return Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

inline Point FromQPoint(const QPoint& p) {
    return Point{p.x(), p.y()};
}

}  // namespace gestalia
