#pragma once

#include <optional>
#include <string>
#include <string_view>

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
    // The item the control asks its owner to find, as the user types its first letters.
    struct Find {
        int start;
        std::wstring_view text;
        bool partial;  // the item's text need only begin with text
        bool wrap;     // past the last item the search goes on from the first
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
    // The search notification asks for, when it is this list's LVN_ODFINDITEMW for a text.
    std::optional<Find> GetRequestedFind(const NMHDR& notification) const;
    // Whether an item whose text is text answers find; letters compare regardless of case.
    static bool Matches(const Find& find, const CString& text);
    // Every column's width from one DPI to another, so that widths the user dragged keep their
    // proportion.
    void ScaleColumns(UINT fromDpi, UINT toDpi) const;

private:
    std::wstring m_requestedText;
};
