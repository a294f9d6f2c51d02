#include "ui/ListRows.h"

#include <limits>
#include <stdexcept>

void ListRows::Add(const ListRow& row) {
    m_codePage = row.name.GetCodePage();
    Append(row.name.View());
    Append(row.power.View());
}

void ListRows::Append(std::string_view cell) {
    if (cell.size() > std::numeric_limits<std::uint32_t>::max() - m_bytes.size())
        throw std::length_error("list rows past 4 GiB");
    m_bytes += cell;
    m_ends.push_back(static_cast<std::uint32_t>(m_bytes.size()));
}

std::string_view ListRows::Cell(int item, int column) const {
    // The list view asks with its own numbers: one past the rows gets nothing rather than a crash.
    if (item < 0 || item >= GetCount() || column < 0 || column >= kColumns) return {};
    const auto index = static_cast<size_t>(GetCount() - 1 - item) * kColumns + column;
    const std::uint32_t begin = index ? m_ends[index - 1] : 0;
    return std::string_view(m_bytes).substr(begin, m_ends[index] - begin);
}
