#pragma once

#include <optional>

#include "platform/os/CStdioFile.h"
#include "platform/runtime/CString.h"

// One line of the data file as the list shows it: split at its first TAB, nothing converted
// (the texts are in the file's code page, as the reader decodes it).
struct ListRow {
    CString name;   // the text after the first TAB
    CString power;  // the text before it, as written
};

// Splits line at its first TAB; nothing when it has none.
std::optional<ListRow> SplitListLine(const CString& line);

// Reads the data file for the list, line by line, up to the first line without a TAB.
class ListFile {
public:
    // Throws CFileException when the file cannot be opened; the data file's limits apply.
    explicit ListFile(const CString& path);

    // The next row; nothing at the end of the file or at a line without a TAB, which ends the
    // listing. A read failure throws CFileException.
    std::optional<ListRow> Next();

private:
    CStdioFile m_file;
    bool m_done = false;
};
