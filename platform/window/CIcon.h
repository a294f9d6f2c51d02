#pragma once

#include <windows.h>

#include <utility>

// An icon the program loaded at a size of its own, destroyed with this object. (Icons loaded
// shared, at the system's default size, belong to the system instead.)
class CIcon {
public:
    CIcon() = default;
    explicit CIcon(HICON icon) : m_hIcon(icon) {}
    ~CIcon() {
        if (m_hIcon) ::DestroyIcon(m_hIcon);
    }
    CIcon(CIcon&& other) noexcept : m_hIcon(std::exchange(other.m_hIcon, nullptr)) {}
    CIcon& operator=(CIcon&& other) noexcept {
        std::swap(m_hIcon, other.m_hIcon);
        return *this;
    }

    HICON GetSafeHandle() const { return m_hIcon; }

private:
    HICON m_hIcon = nullptr;
};

// Icon id of the program's resources at the size that metric (SM_CXICON or SM_CXSMICON) has at
// dpi: the image drawn for that size, or else one scaled down from a larger one.
CIcon LoadIconForDpi(UINT id, int metric, UINT dpi);
