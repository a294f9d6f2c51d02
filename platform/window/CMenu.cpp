#include "platform/window/CMenu.h"

#include "platform/os/win32/Encoding.h"

BOOL CMenu::AppendItem(UINT_PTR id, const CString& text) const {
    return ::AppendMenuW(m_hMenu, MF_STRING, id, kiv::Widen(text).c_str());
}
