#include "ui/CDlgList.h"

#include "platform/runtime/AfxMessageBox.h"
#include "platform/runtime/CFileException.h"
#include "score/DataFilePath.h"
#include "score/ListFile.h"

namespace {

// Draws the list once, after its rows are in, instead of once for every row: a long file would
// otherwise keep the program busy for many seconds.
class RedrawOnceAfter {
public:
    explicit RedrawOnceAfter(const CWnd& window) : m_window(window) { m_window.SetRedraw(FALSE); }
    ~RedrawOnceAfter() {
        m_window.SetRedraw(TRUE);
        m_window.Invalidate();
    }
    RedrawOnceAfter(const RedrawOnceAfter&) = delete;
    RedrawOnceAfter& operator=(const RedrawOnceAfter&) = delete;

private:
    const CWnd& m_window;
};

}  // namespace

void CDlgList::DoDataExchange(CDataExchange& dx) {
    DDX_Control(dx, IDC_LIST, m_list);
}

BOOL CDlgList::OnInitDialog() {
    CDialog::OnInitDialog();
    const CString path = DataFilePath();
    // Pixels at 96 DPI: the dialog grows with the DPI, and so must the columns.
    m_list.InsertColumn(0, "\x96\xbc\x91\x4f", m_list.ScaleByDpi(170));          // 名前
    m_list.InsertColumn(1, "\x83\x70\x83\x8f\x81\x5b", m_list.ScaleByDpi(110));  // パワー
    try {
        const RedrawOnceAfter redraw(m_list);
        ListFile file(path);
        // Each row goes to the top, so the file's last line is shown first.
        while (const auto row = file.Next()) {
            m_list.InsertItem(0, row->name);
            m_list.SetItemText(0, 1, row->power);
        }
    } catch (const CFileException& e) {
        AfxMessageBox(CString("file:") + e.m_strFileName);
        return FALSE;
    }
    return TRUE;
}
