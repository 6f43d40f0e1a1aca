#pragma once
// CGdiDrawSurface: IDrawSurface on a GDI device context. Lines are one pixel
// wide with the end point left out, fills are exact, text is drawn with the
// TextFlags (DrawTextW: line breaks ignored on a single line, cut with "..."
// at the end when asked), transparent background, in the font face when it is
// installed, else the desktop's message font face, at a height of
// tenths-of-a-point x dpi / 720 pixels. Images come from the program's
// bitmap resources: the strip of a CImageList handle is the bitmap of that
// resource id, pure green (RGB 0, 255, 0) transparent.
//
// The device context is borrowed and must outlive the surface; the surface
// restores it (font, colours, pen, brush) when it ends. Fonts it creates are
// its own and freed with it.
//
// CBufferedPaint paints a window without flicker: it begins the paint,
// hands out a memory device context of the client size, and on destruction
// copies it to the window in one BitBlt and ends the paint.

#include "calendar/draw_surface.h"
#include "platform/win32/win32_api.h"

namespace gestalia::win32 {

class CGdiDrawSurface final : public IDrawSurface {
  public:
    // dpi: the window's (GetDpiForWindow), 96 at 100 %.
    CGdiDrawSurface(HDC hdc, int dpi);
    ~CGdiDrawSurface() override;
    CGdiDrawSurface(const CGdiDrawSurface&) = delete;
    CGdiDrawSurface& operator=(const CGdiDrawSurface&) = delete;

    int DpiY() const override;
    void FillRect(const Rect& rc, Colour colour) override;
    void Line(Point from, Point to, Colour colour) override;
    void Rectangle(const Rect& rc, Colour frame, Colour fill) override;
    void Ellipse(const Rect& box, Colour pen, int penWidth, Colour fill) override;
    void SetFont(const CFontSpec& font) override;
    void SetTextColour(Colour colour) override;
    void DrawText(std::string_view text, const Rect& rc, std::uint32_t flags) override;
    Size MeasureText(std::string_view text, bool singleLine) const override;
    bool DrawImage(const CImageList& list, int index, Point at) override;

  private:
    // (the implementation's members)
};

class CBufferedPaint {
  public:
    explicit CBufferedPaint(HWND hwnd);
    ~CBufferedPaint();
    CBufferedPaint(const CBufferedPaint&) = delete;
    CBufferedPaint& operator=(const CBufferedPaint&) = delete;

    // The memory device context to paint on, client coordinates.
    HDC Dc() const;

  private:
    // (the implementation's members)
};

}  // namespace gestalia::win32
