#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "score/ListFile.h"

// The list's rows in two blocks: every cell's bytes back to back, and where each cell ends. Two
// million rows cost their bytes and 8 bytes each, not two strings and their heap blocks each.
class ListRows {
public:
    // Adds row after the rows already kept.
    void Add(const ListRow& row);
    int GetCount() const { return static_cast<int>(m_ends.size() / kColumns); }
    // The code page of every cell: the file's lines all come in one.
    CodePage GetCodePage() const { return m_codePage; }
    // The bytes of one cell as the list shows it: item 0 is the row added last, column 0 the
    // name and column 1 the power. Valid until the next Add.
    std::string_view Cell(int item, int column) const;

private:
    static constexpr int kColumns = 2;

    void Append(std::string_view cell);

    std::string m_bytes;
    // The end of each cell in m_bytes, two a row; the data file's limits keep them within 32 bits.
    std::vector<std::uint32_t> m_ends;
    CodePage m_codePage = CodePage::ShiftJis;
};
