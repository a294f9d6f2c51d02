#include "ui/CDlgList.h"

#include <optional>

#include "platform/runtime/AfxMessageBox.h"
#include "platform/runtime/CFileException.h"
#include "score/DataFilePath.h"
#include "score/ListFile.h"

void CDlgList::DoDataExchange(CDataExchange& dx) {
    DDX_Control(dx, IDC_LIST, m_list);
}

BOOL CDlgList::OnInitDialog() {
    CDialog::OnInitDialog();
    const CString path = DataFilePath();
    // Pixels at 96 DPI: the dialog grows with the DPI, and so must the columns.
    m_list.InsertColumn(0, "\x96\xbc\x91\x4f", m_list.ScaleByDpi(170));          // 名前
    m_list.InsertColumn(1, "\x83\x70\x83\x8f\x81\x5b", m_list.ScaleByDpi(110));  // パワー
    m_rows = ListRows();  // the file as it is now, also when this dialog opens again
    std::optional<CString> unreadable;
    try {
        ListFile file(path);
        while (const auto row = file.Next()) m_rows.Add(*row);
    } catch (const CFileException& e) {
        unreadable = e.m_strFileName;
    }
    // Rows read before a read failure stay listed behind its message.
    m_list.SetItemCount(m_rows.GetCount());
    if (unreadable) {
        AfxMessageBox(CString("file:") + *unreadable);
        return FALSE;
    }
    return TRUE;
}

bool CDlgList::OnNotify(NMHDR& notification, LRESULT& result) {
    if (const auto cell = m_list.GetRequestedCell(notification)) {
        m_list.SetRequestedText(notification, CellText(cell->item, cell->subItem));
        return true;
    }
    if (const auto find = m_list.GetRequestedFind(notification)) {
        result = FindItem(*find);
        return true;
    }
    return false;
}

CString CDlgList::CellText(int item, int column) const {
    return CString(m_rows.Cell(item, column), m_rows.GetCodePage());
}

int CDlgList::FindItem(const CListCtrl::Find& find) const {
    const int count = m_rows.GetCount();
    const int start = find.start >= 0 && find.start < count ? find.start : 0;
    const int end = find.wrap ? start + count : count;
    for (int i = start; i < end; ++i) {
        const int item = i % count;
        if (CListCtrl::Matches(find, CellText(item, 0))) return item;
    }
    return -1;
}
