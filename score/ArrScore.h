#pragma once

#include "platform/os/TextEncoding.h"
#include "platform/runtime/CArray.h"
#include "platform/runtime/CString.h"
#include "score/CScore.h"

// The reference rows in file order, and the data file they come from. Filled once, at
// construction, from the data file or the built-in defaults; read-only afterwards.
class ArrScore : public CArray<CScore, CScore> {
public:
    // Locates the data file from the command line and loads it.
    ArrScore();
    // Loads the data file at path.
    explicit ArrScore(const CString& path);
    // An empty table bound to path, nothing read: for callers that fill it themselves.
    static ArrScore Unloaded(const CString& path);

    // Reads the data file; falls back to the defaults when it is missing, unreadable (also when
    // it is no regular file, or past the limits of DataFileLimits.h) or holds fewer than five
    // rows. Reports through AfxMessageBox and never throws a file error.
    void LoadFile();
    // Writes the whole table to m_strPath in one step, in m_encoding: a failure leaves the old
    // file as it was. Throws CFileException.
    void SaveFile();
    // Appends the 41 built-in rows and saves. Throws CFileException.
    void LoadDefaults();
    // Appends the 41 built-in rows, without saving.
    void AppendDefaults();

    CString m_strPath;
    // The data file's encoding as read; a table completed with the defaults is written back in
    // it. Shift-JIS for a file that could not be read.
    TextEncoding m_encoding = TextEncoding::ShiftJis;

private:
    struct NoLoad {};
    ArrScore(const CString& path, NoLoad) : m_strPath(path) {}

    // Saves during the start-up load, where a failure is reported and the table kept.
    void SaveReportingFailure();
};
