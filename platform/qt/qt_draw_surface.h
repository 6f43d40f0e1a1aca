#pragma once
// CQtDrawSurface: IDrawSurface on a QPainter, drawn without antialiasing so
// that lines and fills cover exactly the pixels the contract names.
//
// Faces, fonts, metrics and the shown forms of texts come from a text cache:
// the owner's, kept from one paint to the next, or else one of the surface's
// own. The painter's font, pen and background mode are set when a text needs
// them rather than saved and restored around every text; the surface saves the
// painter once when it starts and restores it when it ends.
//
// The painter, the registry and the cache are borrowed and must outlive the
// surface.

#include <QColor>
#include <QFont>
#include <string_view>

#include "calendar/draw_surface.h"
#include "platform/qt/qt_text_cache.h"

class QPainter;

namespace gestalia {

class CQtImageRegistry;

class CQtDrawSurface final : public IDrawSurface {
  public:
    explicit CQtDrawSurface(QPainter& painter, const CQtImageRegistry* images = nullptr,
                            CQtTextCache* texts = nullptr);
    ~CQtDrawSurface() override;
    CQtDrawSurface(const CQtDrawSurface&) = delete;
    CQtDrawSurface& operator=(const CQtDrawSurface&) = delete;

    // The painter's device's logical dpi.
    int DpiY() const override;
    void FillRect(const Rect& rc, Colour colour) override;
    void Line(Point from, Point to, Colour colour) override;
    void Ellipse(const Rect& box, Colour pen, int penWidth, Colour fill) override;
    // The face if it is installed, else the desktop's sans-serif, at a pixel
    // height of tenths-of-a-point x logical dpi / 720.
    void SetFont(const CFontSpec& font) override;
    void SetTextColour(Colour colour) override;
    void DrawText(std::string_view text, const Rect& rc, std::uint32_t flags) override;
    Size MeasureText(std::string_view text, bool singleLine) const override;
    // From the list's strip in the image registry; false without one.
    bool DrawImage(const CImageList& list, int index, Point at) override;

    const QFont& CurrentFont() const { return m_font; }

  private:
    int TextFont() const;

    QPainter& m_painter;
    const CQtImageRegistry* m_pImages;
    CQtTextCache m_ownTexts;
    CQtTextCache* m_pTexts;
    QFont m_font;
    int m_nFont = -1;  // m_font's index in the text cache; -1 before SetFont
    QColor m_textColour{Qt::black};
    // What the painter holds now for text: the font index and pen colour last
    // set (-1 and invalid before the first text), and whether it clipped
    // before the surface began (then each text clips inside that clip).
    int m_nPainterFont = -1;
    QColor m_painterPen;
    bool m_bOuterClip = false;
};

// The face to use for a requested one: itself when installed (any letter
// case), else the desktop's general sans-serif family.
QString ResolveFontFamily(const QString& requested);

}  // namespace gestalia
