#include "platform/qt/qt_text_cache.h"

#include <QPaintDevice>
#include <QTextLine>
#include <QTextOption>
#include <algorithm>
#include <functional>

#include "platform/qt/qt_convert.h"
#include "platform/qt/qt_draw_surface.h"
#include "platform/surface_rules.h"

namespace gestalia {

namespace {

constexpr std::size_t kMaxTexts = 4096;
constexpr int kSingleLine = 0;
constexpr int kElided = 1;
constexpr int kMeasured = 2;
constexpr int kMeasuredSingleLine = 3;
constexpr int kLaidOut = 4;

}  // namespace

std::size_t CQtTextCache::Hash::operator()(const KeyView& k) const {
    std::size_t h = std::hash<std::string_view>{}(k.text);
    for (const int part : {k.font, k.width, k.mode, k.height}) {
        h ^= std::hash<int>{}(part) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    }
    return h;
}

int CQtTextCache::Font(const CFontSpec& spec, int dpi, const QPaintDevice* device) {
    for (std::size_t i = 0; i < m_fonts.size(); ++i) {
        if (m_fonts[i].dpi == dpi && m_fonts[i].spec == spec) {
            return static_cast<int>(i);
        }
    }
    auto family = m_families.find(spec.strFace);
    if (family == m_families.end()) {
        family = m_families
                     .emplace(spec.strFace, ResolveFontFamily(QString::fromStdString(spec.strFace)))
                     .first;
    }
    QFont qf(family->second);
    qf.setPixelSize(FontPixelHeight(spec, dpi));
    qf.setWeight(static_cast<QFont::Weight>(FontWeight(spec.nWeight)));
    // QFontMetrics takes a non-const device but only reads its resolution.
    m_fonts.push_back(CFont{spec, dpi, qf, QFontMetrics(qf, const_cast<QPaintDevice*>(device))});
    return static_cast<int>(m_fonts.size() - 1);
}

int CQtTextCache::PainterFont(const QFont& font, const QPaintDevice* device) {
    for (std::size_t i = 0; i < m_fonts.size(); ++i) {
        if (m_fonts[i].dpi == -1 && m_fonts[i].font == font) {
            return static_cast<int>(i);
        }
    }
    m_fonts.push_back(
        CFont{CFontSpec{}, -1, font, QFontMetrics(font, const_cast<QPaintDevice*>(device))});
    return static_cast<int>(m_fonts.size() - 1);
}

const QString& CQtTextCache::SingleLine(int font, std::string_view text, int width, bool elide) {
    const KeyView key{text, font, elide ? width : 0, elide ? kElided : kSingleLine};
    if (const auto found = m_shown.find(key); found != m_shown.end()) {
        return found->second;
    }
    MakeRoom();
    QString shown = ToQString(SingleLineText(text));
    if (elide) {
        shown = FontAt(font).metrics.elidedText(shown, Qt::ElideRight, width);
    }
    return m_shown.emplace(Key{std::string(text), key.font, key.width, key.mode}, std::move(shown))
        .first->second;
}

const CQtTextCache::CLaidOut& CQtTextCache::LaidOut(int font, std::string_view text, QSize box,
                                                    int alignment, bool elide) {
    const KeyView key{text, font, box.width(), 2 * (kLaidOut + alignment) + (elide ? 1 : 0),
                      box.height()};
    if (const auto found = m_laidOut.find(key); found != m_laidOut.end()) {
        return found->second;
    }
    const QString shown = SingleLine(font, text, box.width(), elide);
    MakeRoom();
    // As QPainter::drawText(rect, flags, text) lays out one line without word
    // wrap: trailing spaces count, the line starts at the top, and the
    // alignment moves it within the box.
    auto layout = std::make_unique<QTextLayout>(shown, FontAt(font).font);
    QTextOption option;
    option.setWrapMode(QTextOption::ManualWrap);
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout->setTextOption(option);
    layout->setCacheEnabled(true);
    layout->beginLayout();
    QTextLine line = layout->createLine();
    QPointF offset;
    if (line.isValid()) {
        line.setLineWidth(box.width());
        line.setPosition(QPointF(0.0, 0.0));
        const qreal height = line.height();
        const qreal advance = line.horizontalAdvance();
        if ((alignment & Qt::AlignBottom) != 0) {
            offset.setY(box.height() - height);
        } else if ((alignment & Qt::AlignVCenter) != 0) {
            offset.setY((box.height() - height) / 2);
        }
        if ((alignment & Qt::AlignRight) != 0) {
            offset.setX(box.width() - advance);
        } else if ((alignment & Qt::AlignHCenter) != 0) {
            offset.setX((box.width() - advance) / 2);
        }
    }
    layout->endLayout();
    return m_laidOut
        .emplace(Key{std::string(text), key.font, key.width, key.mode, key.height},
                 CLaidOut{std::move(layout), offset})
        .first->second;
}

Size CQtTextCache::Measure(int font, std::string_view text, bool singleLine) {
    const KeyView key{text, font, -1, singleLine ? kMeasuredSingleLine : kMeasured};
    if (const auto found = m_measured.find(key); found != m_measured.end()) {
        return found->second;
    }
    MakeRoom();
    const QFontMetrics& fm = FontAt(font).metrics;
    const Size size = MeasureTextLines(
        text, singleLine, fm.height(),
        [&fm](const std::string& line) { return fm.horizontalAdvance(ToQString(line)); });
    m_measured.emplace(Key{std::string(text), key.font, key.width, key.mode}, size);
    return size;
}

void CQtTextCache::MakeRoom() {
    // Fonts stay: the surface that asked for one holds its index.
    if (TextCount() >= kMaxTexts) {
        m_shown.clear();
        m_measured.clear();
        m_laidOut.clear();
    }
}

void CQtTextCache::Clear() {
    m_families.clear();
    m_fonts.clear();
    m_shown.clear();
    m_measured.clear();
    m_laidOut.clear();
}

}  // namespace gestalia
