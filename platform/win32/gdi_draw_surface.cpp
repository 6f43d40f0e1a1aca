#include "platform/win32/gdi_draw_surface.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "model/win32_text.h"
#include "platform/surface_rules.h"
#include "platform/win32/dialog_scaling.h"
#include "platform/win32/win32_images.h"

namespace gestalia::win32 {

namespace {

constexpr COLORREF kTransparentGreen = ToColorRef(RGB(0, 255, 0));

// The text flags are DrawTextW's own.
static_assert(kTextLeft == DT_LEFT && kTextCentre == DT_CENTER && kTextRight == DT_RIGHT &&
              kTextVCentre == DT_VCENTER && kTextBottom == DT_BOTTOM &&
              kTextSingleLine == DT_SINGLELINE && kTextEndEllipsis == DT_END_ELLIPSIS);
constexpr std::uint32_t kKnownTextFlags =
    kTextCentre | kTextRight | kTextVCentre | kTextBottom | kTextSingleLine | kTextEndEllipsis;

int TextWidth(HDC hdc, std::wstring_view line) {
    SIZE size{};
    if (line.empty() ||
        !::GetTextExtentPoint32W(hdc, line.data(), static_cast<int>(line.size()), &size)) {
        return 0;
    }
    return size.cx;
}

int CALLBACK OnFace(const LOGFONTW* font, const TEXTMETRICW* /*metrics*/, DWORD /*type*/,
                    LPARAM found) {
    *reinterpret_cast<std::wstring*>(found) = font->lfFaceName;
    return 0;  // the first is enough
}

// A brush or pen selected into a device context for one call, then the old
// one put back. A made object is declared before its CSelected, so it is
// deselected before it is deleted.
class CSelected {
  public:
    CSelected(HDC hdc, HGDIOBJ object) : m_hdc(hdc), m_old(::SelectObject(hdc, object)) {}
    ~CSelected() { ::SelectObject(m_hdc, m_old); }
    CSelected(const CSelected&) = delete;
    CSelected& operator=(const CSelected&) = delete;

  private:
    HDC m_hdc;
    HGDIOBJ m_old;
};

}  // namespace

std::wstring MessageFontFace() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) &&
        metrics.lfMessageFont.lfFaceName[0] != L'\0') {
        return metrics.lfMessageFont.lfFaceName;
    }
    return L"MS Shell Dlg 2";
}

std::wstring ResolveFontFace(HDC hdc, const std::string& requested) {
    const std::wstring wide = Utf16FromUtf8(requested);
    std::wstring found;
    if (!wide.empty() && wide.size() < LF_FACESIZE) {
        LOGFONTW query{};
        query.lfCharSet = DEFAULT_CHARSET;
        wide.copy(query.lfFaceName, wide.size());
        ::EnumFontFamiliesExW(hdc, &query, &OnFace, reinterpret_cast<LPARAM>(&found), 0);
    }
    return found.empty() ? MessageFontFace() : found;
}

void CGdiFontCache::Clear() {
    m_fonts.clear();
    m_faces.clear();
}

const std::wstring& CGdiFontCache::Face(HDC hdc, const std::string& requested) {
    for (const CFace& face : m_faces) {
        if (face.requested == requested) {
            return face.installed;
        }
    }
    m_faces.push_back({requested, ResolveFontFace(hdc, requested)});
    return m_faces.back().installed;
}

HFONT CGdiFontCache::Font(HDC hdc, const CFontSpec& spec, int dpi) {
    for (const CFont& made : m_fonts) {
        if (made.dpi == dpi && made.spec == spec) {
            return made.font.get();
        }
    }
    const std::wstring& face = Face(hdc, spec.strFace);
    GdiObject<HFONT> font =
        MakeGdiFont(-FontPixelHeight(spec, dpi), FontWeight(spec.nWeight), face, FF_DONTCARE);
    if (font == nullptr) {
        return nullptr;
    }
    m_fonts.push_back({spec, dpi, std::move(font)});
    return m_fonts.back().font.get();
}

CGdiDrawSurface::CGdiDrawSurface(HDC hdc, int dpi, CGdiFontCache* fonts)
    : m_hdc(hdc),
      m_dpi(dpi > 0 ? dpi : 96),
      m_pFonts(fonts != nullptr ? fonts : &m_ownFonts),
      m_nSavedDc(::SaveDC(hdc)) {
    ::SetBkMode(m_hdc, TRANSPARENT);
    ::SetTextColor(m_hdc, ToColorRef(RGB(0, 0, 0)));
}

CGdiDrawSurface::~CGdiDrawSurface() {
    ::RestoreDC(m_hdc, m_nSavedDc);
    if (m_hImageDc != nullptr) {
        ::DeleteDC(m_hImageDc);
    }
}

int CGdiDrawSurface::DpiY() const {
    return m_dpi;
}

void CGdiDrawSurface::FillRect(const Rect& rc, Colour colour) {
    if (rc.IsEmpty()) {
        return;
    }
    // An opaque empty text fills with the background colour, no brush needed.
    const RECT r = ToRECT(rc);
    const COLORREF old = ::SetBkColor(m_hdc, ToColorRef(colour));
    ::ExtTextOutW(m_hdc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    ::SetBkColor(m_hdc, old);
}

void CGdiDrawSurface::Line(Point from, Point to, Colour colour) {
    if (const std::optional<Rect> pixels = StraightLinePixels(from, to)) {
        FillRect(*pixels, colour);
        return;
    }
    // GDI's own lines leave out their end point too.
    const GdiObject<HPEN> pen(::CreatePen(PS_SOLID, 1, ToColorRef(colour)));
    const CSelected selected(m_hdc, pen.get());
    ::MoveToEx(m_hdc, from.x, from.y, nullptr);
    ::LineTo(m_hdc, to.x, to.y);
}

void CGdiDrawSurface::Ellipse(const Rect& box, Colour pen, int penWidth, Colour fill) {
    if (box.IsEmpty()) {
        return;
    }
    const bool outlined = penWidth > 0;
    const GdiObject<HBRUSH> brush(::CreateSolidBrush(ToColorRef(fill)));
    const GdiObject<HPEN> outline(outlined ? ::CreatePen(PS_SOLID, penWidth, ToColorRef(pen))
                                           : nullptr);
    const CSelected brushSelected(m_hdc, brush.get());
    const CSelected penSelected(m_hdc, outlined ? outline.get() : ::GetStockObject(NULL_PEN));
    // Without a pen GDI fills one pixel short on the right and at the bottom.
    const int extra = outlined ? 0 : 1;
    ::Ellipse(m_hdc, box.left, box.top, box.right + extra, box.bottom + extra);
}

void CGdiDrawSurface::SetFont(const CFontSpec& font) {
    HFONT hFont = m_pFonts->Font(m_hdc, font, m_dpi);
    if (hFont != nullptr && hFont != m_hFont) {
        ::SelectObject(m_hdc, hFont);
        m_hFont = hFont;
    }
}

void CGdiDrawSurface::SetTextColour(Colour colour) {
    ::SetTextColor(m_hdc, ToColorRef(colour));
}

void CGdiDrawSurface::DrawText(std::string_view text, const Rect& rc, std::uint32_t flags) {
    if (rc.IsEmpty()) {
        return;
    }
    const bool singleLine = (flags & kTextSingleLine) != 0;
    const std::wstring wide =
        singleLine ? Utf16FromUtf8(SingleLineText(text)) : Utf16FromUtf8(text);
    RECT box = ToRECT(rc);
    UINT format = (flags & kKnownTextFlags) | DT_NOPREFIX;
    if (!singleLine && (flags & (kTextVCentre | kTextBottom)) != 0) {
        // DrawTextW places only a single line vertically: lines are placed by hand.
        const int height = MeasureText(text, false).cy;
        const int room = rc.Height() - height;
        box.top += (flags & kTextBottom) != 0 ? room : room / 2;
        format &= ~static_cast<UINT>(kTextVCentre | kTextBottom);
        // The lines stay clipped to the rectangle asked for.
        const int saved = ::SaveDC(m_hdc);
        ::IntersectClipRect(m_hdc, rc.left, rc.top, rc.right, rc.bottom);
        box.bottom = std::max(box.bottom, box.top + height);
        ::DrawTextW(m_hdc, wide.c_str(), static_cast<int>(wide.size()), &box, format | DT_NOCLIP);
        ::RestoreDC(m_hdc, saved);
        return;
    }
    ::DrawTextW(m_hdc, wide.c_str(), static_cast<int>(wide.size()), &box, format);
}

Size CGdiDrawSurface::MeasureText(std::string_view text, bool singleLine) const {
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(m_hdc, &metrics);
    return MeasureTextLines(text, singleLine, metrics.tmHeight, [this](const std::string& line) {
        return TextWidth(m_hdc, Utf16FromUtf8(line));
    });
}

bool CGdiDrawSurface::DrawImage(const CImageList& list, int index, Point at) {
    const Size size = list.ImageSize();
    HBITMAP strip = index >= 0 && index < list.Count() ? BitmapResource(list.Handle()) : nullptr;
    BITMAP info{};
    if (strip == nullptr || ::GetObjectW(strip, sizeof info, &info) == 0 || size.cx <= 0 ||
        size.cy <= 0 || (index + 1) * size.cx > info.bmWidth || size.cy > info.bmHeight) {
        return false;
    }
    if (m_hImageDc == nullptr && (m_hImageDc = ::CreateCompatibleDC(m_hdc)) == nullptr) {
        return false;
    }
    // The strip is selected only while it is drawn: a bitmap may be in one
    // device context at a time, and other surfaces draw it too.
    // The pictures are drawn for 96 dpi and grow with the dpi, as the text does.
    const Size shown = ScaleForDpi(size, m_dpi);
    const HGDIOBJ old = ::SelectObject(m_hImageDc, strip);
    const bool drawn = ::TransparentBlt(m_hdc, at.x, at.y, shown.cx, shown.cy, m_hImageDc,
                                        index * size.cx, 0, size.cx, size.cy, kTransparentGreen);
    ::SelectObject(m_hImageDc, old);
    return drawn;
}

CBufferedPaint::CBufferedPaint(HWND hwnd) : m_hwnd(hwnd) {
    ::BeginPaint(m_hwnd, &m_ps);
    RECT client{};
    ::GetClientRect(m_hwnd, &client);
    m_size = {client.right - client.left, client.bottom - client.top};
    if (m_ps.hdc == nullptr || m_size.cx <= 0 || m_size.cy <= 0) {
        return;
    }
    m_hMemDc = ::CreateCompatibleDC(m_ps.hdc);
    m_bitmap.reset(m_hMemDc != nullptr ? ::CreateCompatibleBitmap(m_ps.hdc, m_size.cx, m_size.cy)
                                       : nullptr);
    if (m_bitmap == nullptr) {
        if (m_hMemDc != nullptr) {
            ::DeleteDC(m_hMemDc);
            m_hMemDc = nullptr;
        }
        return;
    }
    m_hOldBitmap = ::SelectObject(m_hMemDc, m_bitmap.get());
}

CBufferedPaint::~CBufferedPaint() {
    if (m_hMemDc != nullptr) {
        ::BitBlt(m_ps.hdc, 0, 0, m_size.cx, m_size.cy, m_hMemDc, 0, 0, SRCCOPY);
        ::SelectObject(m_hMemDc, m_hOldBitmap);
        m_bitmap.reset();
        ::DeleteDC(m_hMemDc);
    }
    ::EndPaint(m_hwnd, &m_ps);
}

}  // namespace gestalia::win32
