#include "platform/window/CListCtrl.h"

#include <commctrl.h>

#include "platform/os/win32/Encoding.h"

int CListCtrl::InsertColumn(int column, const CString& heading, int width) const {
    std::wstring text = kiv::Widen(heading);
    LVCOLUMNW lvc{};
    lvc.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH;
    lvc.fmt = LVCFMT_LEFT;
    lvc.cx = width;
    lvc.pszText = text.data();
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(column),
                                        reinterpret_cast<LPARAM>(&lvc)));
}

BOOL CListCtrl::SetItemCount(int count) const {
    return static_cast<BOOL>(SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(count), 0));
}

std::optional<CListCtrl::Cell> CListCtrl::GetRequestedCell(const NMHDR& notification) const {
    if (notification.hwndFrom != m_hWnd || notification.code != LVN_GETDISPINFOW)
        return std::nullopt;
    const auto& item = reinterpret_cast<const NMLVDISPINFOW&>(notification).item;
    if (!(item.mask & LVIF_TEXT)) return std::nullopt;
    return Cell{item.iItem, item.iSubItem};
}

void CListCtrl::SetRequestedText(NMHDR& notification, const CString& text) {
    m_requestedText = kiv::Widen(text);
    reinterpret_cast<NMLVDISPINFOW&>(notification).item.pszText = m_requestedText.data();
}

std::optional<CListCtrl::Find> CListCtrl::GetRequestedFind(const NMHDR& notification) const {
    if (notification.hwndFrom != m_hWnd || notification.code != LVN_ODFINDITEMW)
        return std::nullopt;
    const auto& request = reinterpret_cast<const NMLVFINDITEMW&>(notification);
    const LVFINDINFOW& info = request.lvfi;
    if (!(info.flags & (LVFI_STRING | LVFI_PARTIAL)) || !info.psz) return std::nullopt;
    return Find{request.iStart, info.psz, (info.flags & LVFI_PARTIAL) != 0,
                (info.flags & LVFI_WRAP) != 0};
}

bool CListCtrl::Matches(const Find& find, const CString& text) {
    const std::wstring wide = kiv::Widen(text);
    if (find.partial ? wide.size() < find.text.size() : wide.size() != find.text.size())
        return false;
    return ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wide.data(),
                            static_cast<int>(find.text.size()), find.text.data(),
                            static_cast<int>(find.text.size())) == CSTR_EQUAL;
}

void CListCtrl::ScaleColumns(UINT fromDpi, UINT toDpi) const {
    const HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    const int count = header ? static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int column = 0; column < count; ++column) {
        const int width = static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, column));
        SendMessage(LVM_SETCOLUMNWIDTH, column,
                    ::MulDiv(width, static_cast<int>(toDpi), static_cast<int>(fromDpi)));
    }
}
