#include "platform/qt/qt_draw_surface.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QString>
#include <QStringList>
#include <QTextLine>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/qt/qt_convert.h"
#include "platform/qt/qt_image_registry.h"
#include "platform/surface_rules.h"

namespace gestalia {

namespace {

constexpr int kDefaultDpi = 96;

int QtAlignment(std::uint32_t flags) {
    int align = 0;
    if ((flags & kTextRight) != 0) {
        align |= Qt::AlignRight;
    } else if ((flags & kTextCentre) != 0) {
        align |= Qt::AlignHCenter;
    } else {
        align |= Qt::AlignLeft;
    }
    if ((flags & kTextBottom) != 0) {
        align |= Qt::AlignBottom;
    } else if ((flags & kTextVCentre) != 0) {
        align |= Qt::AlignVCenter;
    } else {
        align |= Qt::AlignTop;
    }
    return align;
}

}  // namespace

QString ResolveFontFamily(const QString& requested) {
    const QStringList families = QFontDatabase::families();
    for (const QString& family : families) {
        if (family.compare(requested, Qt::CaseInsensitive) == 0) {
            return family;
        }
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

CQtDrawSurface::CQtDrawSurface(QPainter& painter, const CQtImageRegistry* images,
                               CQtTextCache* texts)
    : m_painter(painter),
      m_pImages(images),
      m_pTexts(texts != nullptr ? texts : &m_ownTexts),
      m_font(painter.font()) {
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    m_painter.setBackgroundMode(Qt::TransparentMode);
    m_bOuterClip = m_painter.hasClipping();
}

CQtDrawSurface::~CQtDrawSurface() {
    m_painter.restore();
}

int CQtDrawSurface::DpiY() const {
    const QPaintDevice* device = m_painter.device();
    return device != nullptr ? device->logicalDpiY() : kDefaultDpi;
}

void CQtDrawSurface::FillRect(const Rect& rc, Colour colour) {
    if (rc.IsEmpty()) {
        return;
    }
    m_painter.fillRect(QRect(rc.left, rc.top, rc.Width(), rc.Height()), ToQColor(colour));
}

void CQtDrawSurface::Line(Point from, Point to, Colour colour) {
    if (const std::optional<Rect> pixels = StraightLinePixels(from, to)) {
        FillRect(*pixels, colour);
        return;
    }
    const QColor qc = ToQColor(colour);
    // Any other slope: Bresenham's walk, every pixel but the last.
    m_painter.save();
    m_painter.setPen(QPen(qc, 1));
    const int dx = std::abs(to.x - from.x);
    const int dy = -std::abs(to.y - from.y);
    const int sx = from.x < to.x ? 1 : -1;
    const int sy = from.y < to.y ? 1 : -1;
    int err = dx + dy;
    int x = from.x;
    int y = from.y;
    while (x != to.x || y != to.y) {
        m_painter.drawPoint(x, y);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    m_painter.restore();
}

void CQtDrawSurface::Ellipse(const Rect& box, Colour pen, int penWidth, Colour fill) {
    if (box.IsEmpty()) {
        return;
    }
    m_painter.save();
    m_painter.setPen(penWidth > 0 ? QPen(ToQColor(pen), penWidth) : QPen(Qt::NoPen));
    m_painter.setBrush(ToQColor(fill));
    m_painter.drawEllipse(QRect(box.left, box.top, box.Width() - 1, box.Height() - 1));
    m_painter.restore();
}

void CQtDrawSurface::SetFont(const CFontSpec& font) {
    m_nFont = m_pTexts->Font(font, DpiY(), m_painter.device());
    m_font = m_pTexts->FontAt(m_nFont).font;
}

void CQtDrawSurface::SetTextColour(Colour colour) {
    m_textColour = ToQColor(colour);
}

void CQtDrawSurface::DrawText(std::string_view text, const Rect& rc, std::uint32_t flags) {
    if (rc.IsEmpty()) {
        return;
    }
    const int font = TextFont();
    const QRect box(rc.left, rc.top, rc.Width(), rc.Height());
    if (m_nPainterFont != font) {
        m_painter.setFont(m_font);
        m_nPainterFont = font;
    }
    if (m_painterPen != m_textColour) {
        m_painter.setPen(m_textColour);
        m_painterPen = m_textColour;
    }
    if (m_bOuterClip) {
        m_painter.save();
        m_painter.setClipRect(box, Qt::IntersectClip);
    } else {
        m_painter.setClipRect(box, Qt::ReplaceClip);
    }
    if ((flags & kTextSingleLine) != 0) {
        // One line is laid out once and drawn from the cache at every paint.
        const CQtTextCache::CLaidOut& laid = m_pTexts->LaidOut(
            font, text, box.size(), QtAlignment(flags), (flags & kTextEndEllipsis) != 0);
        if (laid.layout->lineCount() > 0) {
            laid.layout->lineAt(0).draw(&m_painter, QPointF(box.topLeft()) + laid.offset);
        }
    } else {
        m_painter.drawText(box, QtAlignment(flags), ToQString(text));
    }
    if (m_bOuterClip) {
        m_painter.restore();
    } else {
        m_painter.setClipping(false);
    }
}

Size CQtDrawSurface::MeasureText(std::string_view text, bool singleLine) const {
    return m_pTexts->Measure(TextFont(), text, singleLine);
}

int CQtDrawSurface::TextFont() const {
    // Before any SetFont the painter's own font is the surface's.
    return m_nFont >= 0 ? m_nFont : m_pTexts->PainterFont(m_font, m_painter.device());
}

bool CQtDrawSurface::DrawImage(const CImageList& list, int index, Point at) {
    if (m_pImages == nullptr || index < 0 || index >= list.Count()) {
        return false;
    }
    const QPixmap* strip = m_pImages->Find(list.Handle());
    const Size size = list.ImageSize();
    if (strip == nullptr || size.cx <= 0 || size.cy <= 0 ||
        (index + 1) * size.cx > strip->width() || size.cy > strip->height()) {
        return false;
    }
    m_painter.drawPixmap(QPoint(at.x, at.y), *strip, QRect(index * size.cx, 0, size.cx, size.cy));
    return true;
}

}  // namespace gestalia
