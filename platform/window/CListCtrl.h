#pragma once

#include "platform/window/CWnd.h"

// A list-view control in report view. The dialog template sets its styles.
class CListCtrl : public CWnd {
public:
    // A left-aligned column with a header text and a width in pixels; returns its index or -1.
    int InsertColumn(int column, const CString& heading, int width) const;
    // An item at index item (the items from there move down); returns its index or -1.
    int InsertItem(int item, const CString& text) const;
    BOOL SetItemText(int item, int subItem, const CString& text) const;
    // Every column's width from one DPI to another, so that widths the user dragged keep their
    // proportion.
    void ScaleColumns(UINT fromDpi, UINT toDpi) const;
};
