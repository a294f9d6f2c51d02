#include "score/ListFile.h"

#include "score/DataFileLimits.h"

std::optional<ListRow> SplitListLine(const CString& line) {
    const int tab = line.Find("\t");
    if (tab < 0) return std::nullopt;
    return ListRow{line.Mid(tab + 1), line.Left(tab)};
}

ListFile::ListFile(const CString& path)
    : m_file(path, CStdioFile::modeRead | CStdioFile::typeText | CStdioFile::shareDenyWrite,
             kDataFileLimits) {}

std::optional<ListRow> ListFile::Next() {
    if (m_done) return std::nullopt;
    CString line;
    std::optional<ListRow> row;
    if (m_file.ReadString(line)) row = SplitListLine(line);
    m_done = !row;
    return row;
}
