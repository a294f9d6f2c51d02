#pragma once

#include "platform/CArray.h"
#include "platform/CString.h"
#include "score/CScore.h"

// The reference rows in file order, and the data file they come from. Filled once, at
// construction, from the data file or the built-in defaults; read-only afterwards.
class ArrScore : public CArray<CScore, CScore> {
public:
    // Locates the data file from the command line and loads it.
    ArrScore();
    // Loads the data file at path.
    explicit ArrScore(const CString& path);

    void LoadFile();
    void SaveFile();
    void LoadDefaults();

    CString m_strPath;
};
