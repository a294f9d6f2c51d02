#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Reads a list view that lives in another process: the messages carry pointers, so their
// structures and text buffers are placed in that process's memory and read back from there.
namespace drive {

struct ListColumn {
    std::wstring header;
    int width = 0;
    int format = 0;  // LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_CENTER
};

struct ListContents {
    std::vector<ListColumn> columns;
    std::vector<std::vector<std::wstring>> rows;  // rows[item][column]
};

// The columns and count rows from first on (to the end when count is negative). Throws
// std::runtime_error when the other process cannot be reached.
ListContents ReadListView(HWND list, int first = 0, int count = -1);

}  // namespace drive
