#pragma once

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <cstddef>
#include <string>

#include "platform/window/CWnd.h"

// Windows Vista's name for LVFI_PARTIAL, which the mingw-w64 headers lack. Its type-ahead asks
// with LVFI_STRING | LVFI_SUBSTRING | LVFI_WRAP.
#ifndef LVFI_SUBSTRING
#define LVFI_SUBSTRING 0x0004
#endif

// A list-view control in report view. The dialog template sets its styles.
//
// With owner data (LVS_OWNERDATA) the control holds only the number of items and asks its owner
// for each text it shows, so a list of any length costs what its visible rows cost. This class
// answers those requests; the owner only keeps the rows.
class CListCtrl : public CWnd {
public:
    // The rows an owner-data list shows.
    class Rows {
    public:
        virtual int GetCount() const = 0;
        // Column 0 is the name that typing finds a row by.
        virtual CString GetText(int item, int column) const = 0;

    protected:
        ~Rows() = default;
    };

    // A left-aligned column with a header text and a width in pixels; returns its index or -1.
    int InsertColumn(int column, const CString& heading, int width) const;
    // Shows rows, which must outlive the control: their number now, their texts as the control
    // asks for them. Again whenever their number changes.
    void SetRows(const Rows& rows);
    // Answers this list's requests from its rows: a cell's text (LVN_GETDISPINFOW) and the row a
    // search finds (LVN_ODFINDITEMW), -1 for none. False for any other notification.
    bool OnNotify(NMHDR& notification, LRESULT& result);
    // Every column's width from one DPI to another, so that widths the user dragged keep their
    // proportion.
    void ScaleColumns(UINT fromDpi, UINT toDpi) const;

private:
    const Rows* m_rows = nullptr;
    // The control, and an accessibility client through it, may read an answer's text until two
    // more requests have come: the last three answers are kept.
    std::array<std::wstring, 3> m_texts;
    std::size_t m_nextText = 0;
};
