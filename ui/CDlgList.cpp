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
    m_list.SetRows(*this);
    if (unreadable) {
        AfxMessageBox(CString("file:") + *unreadable);
        return FALSE;
    }
    return TRUE;
}

bool CDlgList::OnNotify(NMHDR& notification, LRESULT& result) {
    return m_list.OnNotify(notification, result);
}

CString CDlgList::GetText(int item, int column) const {
    return CString(m_rows.Cell(item, column), m_rows.GetCodePage());
}
