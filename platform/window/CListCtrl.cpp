#include "platform/window/CListCtrl.h"

#include <commctrl.h>

#include <algorithm>
#include <string_view>

#include "platform/os/win32/Encoding.h"

namespace {

// Whether name is text, or with prefix begins with it; letters compare regardless of case.
bool Matches(const std::wstring& name, std::wstring_view text, bool prefix) {
    if (prefix ? name.size() < text.size() : name.size() != text.size()) return false;
    const int length = static_cast<int>(text.size());
    return ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, name.data(), length, text.data(),
                            length) == CSTR_EQUAL;
}

// The row whose name answers the search, from iStart on, or -1. Owner data keeps neither item
// data (LVFI_PARAM) nor positions (LVFI_NEARESTXY); LVFI_WRAP alone searches for a whole name.
int FindRow(const CListCtrl::Rows& rows, const NMLVFINDITEMW& request) {
    const LVFINDINFOW& find = request.lvfi;
    const UINT byText = LVFI_STRING | LVFI_PARTIAL | LVFI_SUBSTRING | LVFI_WRAP;
    if ((find.flags & (LVFI_PARAM | LVFI_NEARESTXY)) || !(find.flags & byText) || !find.psz)
        return -1;
    const bool prefix = (find.flags & (LVFI_PARTIAL | LVFI_SUBSTRING)) != 0;
    const bool wrap = (find.flags & LVFI_WRAP) != 0;
    const int count = rows.GetCount();
    // Past the last row the search goes on from the first only with LVFI_WRAP.
    int start = std::max(request.iStart, 0);
    if (start >= count) {
        if (!wrap) return -1;
        start = 0;
    }
    const int end = wrap ? start + count : count;
    for (int i = start; i < end; ++i) {
        const int row = i % count;
        if (Matches(kiv::Widen(rows.GetText(row, 0)), find.psz, prefix)) return row;
    }
    return -1;
}

}  // namespace

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

void CListCtrl::SetRows(const Rows& rows) {
    m_rows = &rows;
    SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(rows.GetCount()), 0);
}

bool CListCtrl::OnNotify(NMHDR& notification, LRESULT& result) {
    if (notification.hwndFrom != m_hWnd || !m_rows) return false;
    switch (notification.code) {
        case LVN_GETDISPINFOW: {
            LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(notification).item;
            if (!(item.mask & LVIF_TEXT)) return true;
            // The oldest of the three answers kept is the one the control may no longer read.
            std::wstring& text = m_texts[m_nextText];
            m_nextText = (m_nextText + 1) % m_texts.size();
            text = kiv::Widen(m_rows->GetText(item.iItem, item.iSubItem));
            item.pszText = text.data();
            return true;
        }
        case LVN_ODFINDITEMW:
            // Answered even when nothing is found: the dialog manager's default 0 is the first
            // row.
            result = FindRow(*m_rows, reinterpret_cast<const NMLVFINDITEMW&>(notification));
            return true;
        default:
            return false;
    }
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
