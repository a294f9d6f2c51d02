#pragma once

#include <windows.h>

#include "platform/window/CWnd.h"

// BeginPaint and EndPaint around one WM_PAINT.
class CPaintDC {
public:
    explicit CPaintDC(const CWnd& wnd) : m_hWnd(wnd.m_hWnd), m_hDC(::BeginPaint(m_hWnd, &m_ps)) {}
    ~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HWND m_hWnd;
    PAINTSTRUCT m_ps{};
    HDC m_hDC;
};
