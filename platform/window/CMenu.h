#pragma once

#include <windows.h>

#include "platform/runtime/CString.h"

// A window's system menu (or any menu): appends only.
class CMenu {
public:
    explicit CMenu(HMENU hMenu) : m_hMenu(hMenu) {}

    explicit operator bool() const { return m_hMenu != nullptr; }
    BOOL AppendSeparator() const { return ::AppendMenuW(m_hMenu, MF_SEPARATOR, 0, nullptr); }
    BOOL AppendItem(UINT_PTR id, const CString& text) const;

    HMENU m_hMenu;
};
