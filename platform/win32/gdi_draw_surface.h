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

#include <string>
#include <vector>

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
    struct CFont {
        CFontSpec spec;
        HFONT hFont = nullptr;
    };
    struct CFace {
        std::string requested;
        std::wstring installed;
    };
    const std::wstring& Face(const std::string& requested);

    HDC m_hdc;
    int m_dpi;
    int m_nSavedDc;  // SaveDC's number, for RestoreDC at the end
    std::vector<CFace> m_faces;
    std::vector<CFont> m_fonts;  // a paint asks for two or three
    HFONT m_hFont = nullptr;     // selected now; nullptr: the DC's own
};

// The face to use for a requested one: its installed name when there is such
// a face (any letter case), else the desktop's message font face.
std::wstring ResolveFontFace(HDC hdc, const std::string& requested);
// The desktop's message font face (the one dialogs and message boxes use).
std::wstring MessageFontFace();

class CBufferedPaint {
  public:
    explicit CBufferedPaint(HWND hwnd);
    ~CBufferedPaint();
    CBufferedPaint(const CBufferedPaint&) = delete;
    CBufferedPaint& operator=(const CBufferedPaint&) = delete;

    // The memory device context to paint on, client coordinates.
    HDC Dc() const { return m_hMemDc != nullptr ? m_hMemDc : m_ps.hdc; }

  private:
    HWND m_hwnd;
    PAINTSTRUCT m_ps{};
    SIZE m_size{};
    // The memory device context and its bitmap; none when they could not be
    // made, and then the paint goes straight to the window.
    HDC m_hMemDc = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
};

}  // namespace gestalia::win32
