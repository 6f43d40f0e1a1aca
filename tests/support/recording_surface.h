#pragma once
// CRecordingSurface: a drawing surface that paints nothing and records every
// call as a value, for tests of anything that paints on an IDrawSurface.
// Text is measured with a fixed metric: 6 pixels per character (UTF-8 code
// point) and 13 pixels per line.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/draw_surface.h"

namespace gestalia::test {

struct DrawCall {
    enum class Kind { Fill, Line, Rectangle, Ellipse, Text, Image };

    Kind kind = Kind::Fill;
    Rect rc;                  // Fill, Rectangle, Ellipse box, Text box
    Point from;               // Line start; Image top-left
    Point to;                 // Line end (not drawn)
    Colour colour = 0;        // Fill, Line, Rectangle frame, Ellipse pen, Text colour
    Colour fill = 0;          // Rectangle and Ellipse inside
    int penWidth = 0;         // Ellipse
    std::string text;         // Text
    std::uint32_t flags = 0;  // Text
    CFontSpec font;           // Text: the font selected when it was drawn
    int imageHandle = 0;      // Image
    int imageIndex = 0;       // Image
};

class CRecordingSurface : public IDrawSurface {
  public:
    static constexpr int kCharWidth = 6;
    static constexpr int kLineHeight = 13;

    int DpiY() const override { return m_dpiY; }
    void SetDpiY(int dpi) { m_dpiY = dpi; }

    void FillRect(const Rect& rc, Colour colour) override;
    void Line(Point from, Point to, Colour colour) override;
    void Rectangle(const Rect& rc, Colour frame, Colour fill) override;
    void Ellipse(const Rect& box, Colour pen, int penWidth, Colour fill) override;
    void SetFont(const CFontSpec& font) override;
    void SetTextColour(Colour colour) override;
    void DrawText(std::string_view text, const Rect& rc, std::uint32_t flags) override;
    Size MeasureText(std::string_view text, bool singleLine) const override;
    // Draws nothing; false for an index outside the list.
    bool DrawImage(const CImageList& list, int index, Point at) override;

    const std::vector<DrawCall>& Calls() const { return m_calls; }
    void Clear() { m_calls.clear(); }

    std::vector<DrawCall> OfKind(DrawCall::Kind kind) const;
    std::vector<DrawCall> Fills() const { return OfKind(DrawCall::Kind::Fill); }
    std::vector<DrawCall> Lines() const { return OfKind(DrawCall::Kind::Line); }
    std::vector<DrawCall> Texts() const { return OfKind(DrawCall::Kind::Text); }
    std::vector<DrawCall> Rectangles() const { return OfKind(DrawCall::Kind::Rectangle); }
    std::vector<DrawCall> Images() const { return OfKind(DrawCall::Kind::Image); }

    // The first text drawn with exactly this content; none when there is none.
    std::optional<DrawCall> FindText(std::string_view text) const;
    // Every text drawn into exactly this rectangle.
    std::vector<DrawCall> TextsIn(const Rect& rc) const;
    bool HasFill(const Rect& rc, Colour colour) const;
    bool HasLine(Point from, Point to, Colour colour) const;
    // The colour of the last fill whose rectangle holds the point; none if no fill does.
    std::optional<Colour> LastFillAt(Point p) const;
    // Index in Calls() of the first call matching, or -1.
    int IndexOfFill(const Rect& rc, Colour colour) const;
    int IndexOfText(std::string_view text) const;

    // UTF-8 code points in the text.
    static int CharCount(std::string_view text);

  private:
    std::vector<DrawCall> m_calls;
    CFontSpec m_font;
    Colour m_textColour = 0;
    int m_dpiY = 96;
};

}  // namespace gestalia::test
