#include "IconKind.h"

#include <cstdint>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <vector>

namespace drive {

namespace {

// A 32-bit top-down bitmap with a memory DC to draw into it.
class Canvas {
public:
    Canvas(int width, int height) : m_width(width), m_height(height) {
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
        if (!m_bitmap) throw std::runtime_error("cannot create a bitmap");
        m_bits = static_cast<std::uint32_t*>(bits);
        m_old = SelectObject(m_dc, m_bitmap);
    }
    ~Canvas() {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return m_dc; }
    std::uint32_t Pixel(int x, int y) const {
        GdiFlush();
        return m_bits[y * m_width + x] & 0xFFFFFF;
    }
    void Fill(std::uint32_t rgb) {
        for (int i = 0; i < m_width * m_height; ++i) m_bits[i] = rgb;
    }
    long long Distance(const Canvas& other) const {
        GdiFlush();
        long long sum = 0;
        for (int i = 0; i < m_width * m_height; ++i) {
            for (int shift = 0; shift < 24; shift += 8) {
                sum += std::abs(int((m_bits[i] >> shift) & 0xFF) -
                                int((other.m_bits[i] >> shift) & 0xFF));
            }
        }
        return sum;
    }

private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    std::uint32_t* m_bits = nullptr;
};

// The colour that occurs most often along the edge: the background around a shaped icon.
std::uint32_t EdgeColour(const Canvas& canvas, int width, int height) {
    std::map<std::uint32_t, int> counts;
    for (int x = 0; x < width; ++x) {
        ++counts[canvas.Pixel(x, 0)];
        ++counts[canvas.Pixel(x, height - 1)];
    }
    for (int y = 0; y < height; ++y) {
        ++counts[canvas.Pixel(0, y)];
        ++counts[canvas.Pixel(width - 1, y)];
    }
    std::uint32_t best = 0;
    int bestCount = -1;
    for (const auto& [colour, count] : counts) {
        if (count > bestCount) best = colour, bestCount = count;
    }
    return best;
}

}  // namespace

IconMatch ClassifyIcon(HWND iconControl) {
    DWORD_PTR icon = 0;
    if (SendMessageTimeoutW(iconControl, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 1000, &icon) && !icon)
        return {"none", 0};
    RECT rect{};
    GetWindowRect(iconControl, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) throw std::runtime_error("the icon control has no size");

    Canvas shown(width, height);
    HDC screen = GetDC(nullptr);
    BitBlt(shown.Dc(), 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    const std::uint32_t background = EdgeColour(shown, width, height);

    static const struct {
        const char* kind;
        LPCWSTR id;
    } candidates[] = {{"hand", IDI_HAND},
                      {"question", IDI_QUESTION},
                      {"exclamation", IDI_EXCLAMATION},
                      {"asterisk", IDI_ASTERISK},
                      {"application", IDI_APPLICATION}};
    // An icon control without an icon shows only its background.
    Canvas empty(width, height);
    empty.Fill(background);
    IconMatch best{"none", shown.Distance(empty)};
    for (const auto& candidate : candidates) {
        Canvas drawn(width, height);
        drawn.Fill(background);
        DrawIconEx(drawn.Dc(), 0, 0, LoadIconW(nullptr, candidate.id), 0, 0, 0, nullptr, DI_NORMAL);
        const long long distance = shown.Distance(drawn);
        if (best.distance < 0 || distance < best.distance) best = {candidate.kind, distance};
    }
    return best;
}

}  // namespace drive
