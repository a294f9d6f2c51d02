#include "platform/window/CListCtrl.h"

#include <commctrl.h>

#include <string>

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

int CListCtrl::InsertItem(int item, const CString& text) const {
    std::wstring wide = kiv::Widen(text);
    LVITEMW lvi{};
    lvi.mask = LVIF_TEXT;
    lvi.iItem = item;
    lvi.pszText = wide.data();
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&lvi)));
}

BOOL CListCtrl::SetItemText(int item, int subItem, const CString& text) const {
    std::wstring wide = kiv::Widen(text);
    LVITEMW lvi{};
    lvi.iSubItem = subItem;
    lvi.pszText = wide.data();
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi)));
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
