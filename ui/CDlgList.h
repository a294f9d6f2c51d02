#pragma once

#include <windows.h>

#include "platform/window/CDialog.h"
#include "platform/window/CListCtrl.h"
#include "resources/resource.h"
#include "ui/ListRows.h"

// Lists the data file as it is on disk now, one row per line, the last line first.
class CDlgList : public CDialog, private CListCtrl::Rows {
public:
    explicit CDlgList(HWND parent = nullptr) : CDialog(IDD_LIST, parent) {}

protected:
    void DoDataExchange(CDataExchange& dx) override;
    // FALSE after a file error, which has been reported; the dialog then opens with no rows.
    BOOL OnInitDialog() override;
    // The list view asks for the texts of the rows it shows, and for the row the user types.
    bool OnNotify(NMHDR& notification, LRESULT& result) override;

private:
    int GetCount() const override { return m_rows.GetCount(); }
    // The one place where a cell's bytes become text.
    CString GetText(int item, int column) const override;

    CListCtrl m_list;
    ListRows m_rows;
};
