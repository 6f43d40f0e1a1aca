#pragma once
// IDrawSurface: the 2-D surface the calendar and the weight chart paint on.
// Rectangles are (left, top, right, bottom) with right and bottom exclusive;
// lines are one pixel wide and include their start point, not their end point.

#include <cstdint>
#include <string>
#include <string_view>

#include "model/colour.h"

namespace gestalia {

class CImageList;

// Text placement flags, combined with |.
enum TextFlags : std::uint32_t {
    kTextLeft = 0x0000,
    kTextCentre = 0x0001,
    kTextRight = 0x0002,
    kTextVCentre = 0x0004,
    kTextBottom = 0x0008,
    kTextSingleLine = 0x0020,
    kTextEndEllipsis = 0x8000,
};

struct CFontSpec {
    std::string strFace = "TAHOMA";
    std::int32_t nTenthsOfPoint = 85;  // 8.5 points
    std::int32_t nWeight = 400;        // 400 normal, 700 bold

    friend bool operator==(const CFontSpec&, const CFontSpec&) = default;
};

class IDrawSurface {
  public:
    virtual ~IDrawSurface() = default;

    // Pixels per inch, vertical; 96 where the surface has none.
    virtual int DpiY() const { return 96; }

    virtual void FillRect(const Rect& rc, Colour colour) = 0;
    // One-pixel line from `from` (drawn) to `to` (not drawn).
    virtual void Line(Point from, Point to, Colour colour) = 0;
    // One-pixel outline in `frame`, inside filled with `fill`: two fills,
    // unless a surface has a better way.
    virtual void Rectangle(const Rect& rc, Colour frame, Colour fill) {
        if (rc.IsEmpty()) {
            return;
        }
        FillRect(rc, frame);
        FillRect({rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1}, fill);
    }
    // Ellipse in the bounding box, outline pen of `penWidth` pixels, filled.
    virtual void Ellipse(const Rect& box, Colour pen, int penWidth, Colour fill) = 0;

    virtual void SetFont(const CFontSpec& font) = 0;
    virtual void SetTextColour(Colour colour) = 0;
    // Text (UTF-8) in a rectangle with the TextFlags; the background stays.
    virtual void DrawText(std::string_view text, const Rect& rc, std::uint32_t flags) = 0;
    // Width and height the text takes in the current font; with line breaks
    // honoured the height is one line height per line.
    virtual Size MeasureText(std::string_view text, bool singleLine) const = 0;

    // Draws image `index` of the list with its top-left corner at `at`,
    // transparent where the list's mask says so. False when there is no such image.
    virtual bool DrawImage(const CImageList& list, int index, Point at) = 0;
};

// An image list as the window logic knows it: a handle the platform resolves,
// the size of one image and how many there are. A small value: the program's
// list is a constexpr object, so it outlives every note that points at it.
class CImageList {
  public:
    constexpr CImageList(int handle, Size imageSize, int count)
        : m_handle(handle), m_size(imageSize), m_count(count) {}
    constexpr int Handle() const { return m_handle; }
    constexpr Size ImageSize() const { return m_size; }
    constexpr int Count() const { return m_count; }

  private:
    int m_handle;
    Size m_size;
    int m_count;
};

}  // namespace gestalia
