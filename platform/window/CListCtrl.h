#pragma once

#include <optional>
#include <string>

#include "platform/window/CWnd.h"

// A list-view control in report view. The dialog template sets its styles.
//
// With owner data (LVS_OWNERDATA) the control holds only the number of items and asks its owner
// for each text it shows, so a list of any length costs what its visible rows cost.
class CListCtrl : public CWnd {
public:
    // One cell the control asks its owner for.
    struct Cell {
        int item;
        int subItem;
    };

    // A left-aligned column with a header text and a width in pixels; returns its index or -1.
    int InsertColumn(int column, const CString& heading, int width) const;
    // The number of items of an owner-data list; the control asks for their texts when it shows
    // them.
    BOOL SetItemCount(int count) const;
    // The cell whose text notification asks for, when it is this list's LVN_GETDISPINFOW for a
    // text; nothing for any other notification.
    std::optional<Cell> GetRequestedCell(const NMHDR& notification) const;
    // Answers that request. The control reads the text after the notification returns, so it is
    // kept here until the next answer.
    void SetRequestedText(NMHDR& notification, const CString& text);

private:
    std::wstring m_requestedText;
};
