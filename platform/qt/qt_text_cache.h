#pragma once
// CQtTextCache: what drawing text on a QPainter works out again at every
// paint, kept from one paint to the next by the widget that paints: the
// installed face a requested face name resolves to, the QFont and metrics of
// each font the control asks for, and each text as it is shown in a box (one
// line, cut with "..." to the box's width) and as it measures. Everything is
// keyed by what it depends on; the owner clears it when the desktop's fonts
// or the widget's size change, and it clears itself when it grows past a few
// thousand texts (a month shows a few hundred).

#include <QFont>
#include <QFontMetrics>
#include <QPointF>
#include <QSize>
#include <QString>
#include <QTextLayout>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "calendar/draw_surface.h"

class QPaintDevice;

namespace gestalia {

class CQtTextCache {
  public:
    struct CFont {
        CFontSpec spec;
        int dpi = 0;  // -1: a QFont given as it is
        QFont font;
        QFontMetrics metrics;
    };

    CQtTextCache() = default;
    CQtTextCache(const CQtTextCache&) = delete;
    CQtTextCache& operator=(const CQtTextCache&) = delete;

    // The font for a spec at a device's dpi; its index names it to the calls
    // below and stays valid until Clear().
    int Font(const CFontSpec& spec, int dpi, const QPaintDevice* device);
    // The same for a QFont that came from elsewhere (a painter's own font).
    int PainterFont(const QFont& font, const QPaintDevice* device);
    const CFont& FontAt(int index) const { return m_fonts[static_cast<std::size_t>(index)]; }

    // The text as DrawText shows it on one line in a box `width` pixels wide,
    // cut with "..." at the end when `elide` is set and it does not fit.
    const QString& SingleLine(int font, std::string_view text, int width, bool elide);

    // One line of text laid out once, as QPainter::drawText lays it out in a
    // box of that size with those alignment flags; drawn at the box's
    // top-left corner plus `offset`.
    struct CLaidOut {
        std::unique_ptr<QTextLayout> layout;
        QPointF offset;
    };
    const CLaidOut& LaidOut(int font, std::string_view text, QSize box, int alignment, bool elide);
    // MeasureText's answer: width and height of the text in the font.
    Size Measure(int font, std::string_view text, bool singleLine);

    void Clear();
    std::size_t TextCount() const { return m_shown.size() + m_measured.size() + m_laidOut.size(); }

  private:
    struct Key {
        std::string text;
        int font = 0;
        int width = 0;  // the box width, or -1 for a measure
        // 0 single line, 1 elided single line, 2 measured, 3 measured single
        // line, 4 and more laid out (4 + alignment flags, x2 + 1 when elided)
        int mode = 0;
        int height = 0;  // the box height of a laid-out text
        friend bool operator==(const Key&, const Key&) = default;
    };
    struct KeyView {
        std::string_view text;
        int font;
        int width;
        int mode;
        int height = 0;
    };
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(const KeyView& k) const;
        std::size_t operator()(const Key& k) const {
            return (*this)(KeyView{k.text, k.font, k.width, k.mode, k.height});
        }
    };
    struct Equal {
        using is_transparent = void;
        static KeyView View(const Key& k) { return {k.text, k.font, k.width, k.mode, k.height}; }
        static KeyView View(const KeyView& k) { return k; }
        template <class A, class B>
        bool operator()(const A& a, const B& b) const {
            const KeyView x = View(a);
            const KeyView y = View(b);
            return x.font == y.font && x.width == y.width && x.mode == y.mode &&
                   x.height == y.height && x.text == y.text;
        }
    };
    void MakeRoom();

    std::unordered_map<std::string, QString> m_families;
    std::vector<CFont> m_fonts;
    std::unordered_map<Key, QString, Hash, Equal> m_shown;
    std::unordered_map<Key, Size, Hash, Equal> m_measured;
    std::unordered_map<Key, CLaidOut, Hash, Equal> m_laidOut;
};

}  // namespace gestalia
