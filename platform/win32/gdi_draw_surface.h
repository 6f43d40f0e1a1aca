#pragma once
// CGdiDrawSurface: IDrawSurface on a GDI device context.
//
// The device context is borrowed and must outlive the surface; the surface
// restores it (font, colours, pen, brush) when it ends. Fonts come from the
// owner's CGdiFontCache, which must outlive the surface, else from one of the
// surface's own, freed with it.
//
// CBufferedPaint paints a window without flicker: it begins the paint,
// hands out a memory device context of the client size, and on destruction
// copies it to the window in one BitBlt and ends the paint.

#include <string>
#include <vector>

#include "calendar/draw_surface.h"
#include "platform/win32/gdi_object.h"
#include "platform/win32/win32_api.h"

namespace gestalia::win32 {

// CGdiFontCache: the fonts of the paints of one window, kept from one paint to
// the next: each made once per spec and dpi, each face name resolved once.
// The fonts are the cache's and freed with it or by Clear(), which the owner
// calls when the desktop's fonts change and never while a surface uses them.
class CGdiFontCache {
  public:
    CGdiFontCache() = default;
    CGdiFontCache(const CGdiFontCache&) = delete;
    CGdiFontCache& operator=(const CGdiFontCache&) = delete;

    // The font for a spec at a dpi, in its installed face or the desktop's
    // message font face; nullptr when GDI cannot make it.
    HFONT Font(HDC hdc, const CFontSpec& spec, int dpi);
    std::size_t Count() const { return m_fonts.size(); }
    void Clear();

  private:
    struct CFont {
        CFontSpec spec;
        int dpi = 0;
        GdiObject<HFONT> font;
    };
    struct CFace {
        std::string requested;
        std::wstring installed;
    };
    const std::wstring& Face(HDC hdc, const std::string& requested);

    std::vector<CFace> m_faces;
    std::vector<CFont> m_fonts;  // a window asks for two or three
};

class CGdiDrawSurface final : public IDrawSurface {
  public:
    // dpi: the window's (GetDpiForWindow), 96 at 100 %. fonts: the owner's
    // cache, kept from one paint to the next; else the surface keeps its own.
    CGdiDrawSurface(HDC hdc, int dpi, CGdiFontCache* fonts = nullptr);
    ~CGdiDrawSurface() override;
    CGdiDrawSurface(const CGdiDrawSurface&) = delete;
    CGdiDrawSurface& operator=(const CGdiDrawSurface&) = delete;

    int DpiY() const override;
    void FillRect(const Rect& rc, Colour colour) override;
    void Line(Point from, Point to, Colour colour) override;
    void Ellipse(const Rect& box, Colour pen, int penWidth, Colour fill) override;
    // The face when it is installed, else the desktop's message font face, at
    // a height of tenths-of-a-point x dpi / 720 pixels.
    void SetFont(const CFontSpec& font) override;
    void SetTextColour(Colour colour) override;
    // DrawTextW, on a transparent background.
    void DrawText(std::string_view text, const Rect& rc, std::uint32_t flags) override;
    Size MeasureText(std::string_view text, bool singleLine) const override;
    // The strip of a CImageList handle is the program's bitmap resource of
    // that id, pure green (RGB 0, 255, 0) transparent.
    bool DrawImage(const CImageList& list, int index, Point at) override;

  private:
    HDC m_hdc;
    int m_dpi;
    CGdiFontCache m_ownFonts;  // freed after RestoreDC has put the DC's own font back
    CGdiFontCache* m_pFonts;
    int m_nSavedDc;            // SaveDC's number, for RestoreDC at the end
    HFONT m_hFont = nullptr;   // selected now; nullptr: the DC's own
    HDC m_hImageDc = nullptr;  // the images' source, made at the first image
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
    GdiObject<HBITMAP> m_bitmap;
    HGDIOBJ m_hOldBitmap = nullptr;
};

}  // namespace gestalia::win32
