#pragma once

#include <windows.h>

#include <cstdint>

namespace drive {

// A 32-bit top-down bitmap with a memory DC, to copy the screen into or draw into.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return m_dc; }
    // What the display shows at (left, top), as a user sees it.
    void CopyFromScreen(int left, int top);
    std::uint32_t Pixel(int x, int y) const;
    void Fill(std::uint32_t rgb);
    // Summed colour difference; 0 when both show the same.
    long long Distance(const Canvas& other) const;
    // A short fingerprint of the pixels, to tell whether two looks differ.
    std::uint64_t Hash() const;

private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    std::uint32_t* m_bits = nullptr;
};

}  // namespace drive
