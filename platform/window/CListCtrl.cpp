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
