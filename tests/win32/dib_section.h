#pragma once
// CDibSection: a 32-bit top-down bitmap selected into a memory device
// context, for drawing with GDI and reading the pixels back.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/colour.h"
#include "platform/win32/gdi_object.h"
#include "platform/win32/win32_api.h"

namespace gestalia::test {

class CDibSection {
  public:
    CDibSection(int width, int height, Colour background = RGB(255, 255, 255))
        : m_width(width), m_height(height), m_hdc(::CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap.reset(::CreateDIBSection(m_hdc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_pBits = static_cast<std::uint32_t*>(bits);
        m_hOld = ::SelectObject(m_hdc, m_bitmap.get());
        const RECT all{0, 0, width, height};
        ::SetBkColor(m_hdc, win32::ToColorRef(background));
        ::ExtTextOutW(m_hdc, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    }
    ~CDibSection() {
        ::SelectObject(m_hdc, m_hOld);
        m_bitmap.reset();
        ::DeleteDC(m_hdc);
    }
    CDibSection(const CDibSection&) = delete;
    CDibSection& operator=(const CDibSection&) = delete;

    HDC Dc() const { return m_hdc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The pixel's colour, GDI's work finished first; kNoPixel outside.
    static constexpr Colour kNoPixel = 0xFF000000;
    Colour At(int x, int y) const {
        if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
            return kNoPixel;
        }
        ::GdiFlush();
        const std::uint32_t bgr = m_pBits[static_cast<std::size_t>(y) * m_width + x];
        return RGB(static_cast<std::uint8_t>(bgr >> 16), static_cast<std::uint8_t>(bgr >> 8),
                   static_cast<std::uint8_t>(bgr));
    }
    Colour At(Point p) const { return At(p.x, p.y); }

    // Writes the picture as NAME.bmp into the folder GESTALIA_PICTURE_DIR
    // names, when it is set: to look at what a test painted.
    void SaveIfAsked(const char* name) const {
        const char* folder = std::getenv("GESTALIA_PICTURE_DIR");
        if (folder == nullptr) {
            return;
        }
        ::GdiFlush();
        const std::string path = std::string(folder) + "/" + name + ".bmp";
        const std::uint32_t pixels = static_cast<std::uint32_t>(m_width * m_height * 4);
        BITMAPFILEHEADER file{};
        BITMAPINFOHEADER info{};
        file.bfType = 0x4D42;  // "BM"
        file.bfOffBits = sizeof file + sizeof info;
        file.bfSize = file.bfOffBits + pixels;
        info.biSize = sizeof info;
        info.biWidth = m_width;
        info.biHeight = -m_height;
        info.biPlanes = 1;
        info.biBitCount = 32;
        if (std::FILE* out = std::fopen(path.c_str(), "wb")) {
            std::fwrite(&file, sizeof file, 1, out);
            std::fwrite(&info, sizeof info, 1, out);
            std::fwrite(m_pBits, pixels, 1, out);
            std::fclose(out);
        }
    }

  private:
    int m_width;
    int m_height;
    HDC m_hdc;
    win32::GdiObject<HBITMAP> m_bitmap;
    HGDIOBJ m_hOld = nullptr;
    std::uint32_t* m_pBits = nullptr;
};

}  // namespace gestalia::test
