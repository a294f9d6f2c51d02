#include "Screen.h"

#include <cstdlib>
#include <stdexcept>

namespace drive {

Canvas::Canvas(int width, int height) : m_width(width), m_height(height) {
    HDC screen = GetDC(nullptr);
    m_dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!m_bitmap) {
        DeleteDC(m_dc);
        throw std::runtime_error("cannot create a bitmap");
    }
    m_bits = static_cast<std::uint32_t*>(bits);
    m_old = SelectObject(m_dc, m_bitmap);
}

Canvas::~Canvas() {
    SelectObject(m_dc, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

void Canvas::CopyFromScreen(int left, int top) {
    HDC screen = GetDC(nullptr);
    BitBlt(m_dc, 0, 0, m_width, m_height, screen, left, top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    GdiFlush();
}

std::uint32_t Canvas::Pixel(int x, int y) const {
    GdiFlush();
    return m_bits[y * m_width + x] & 0xFFFFFF;
}

void Canvas::Fill(std::uint32_t rgb) {
    for (int i = 0; i < m_width * m_height; ++i) m_bits[i] = rgb;
}

long long Canvas::Distance(const Canvas& other) const {
    GdiFlush();
    long long sum = 0;
    for (int i = 0; i < m_width * m_height; ++i) {
        for (int shift = 0; shift < 24; shift += 8) {
            sum +=
                std::abs(int((m_bits[i] >> shift) & 0xFF) - int((other.m_bits[i] >> shift) & 0xFF));
        }
    }
    return sum;
}

std::uint64_t Canvas::Hash() const {
    GdiFlush();
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (int i = 0; i < m_width * m_height; ++i) {
        hash = (hash ^ (m_bits[i] & 0xFFFFFF)) * 1099511628211ull;
    }
    return hash;
}

}  // namespace drive
