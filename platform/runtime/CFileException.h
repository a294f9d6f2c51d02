#pragma once

#include <stdexcept>

#include "platform/runtime/CString.h"

// A file operation failed. Carries the file's path and what went wrong.
class CFileException : public std::runtime_error {
public:
    enum Cause {
        genericException,
        fileNotFound,  // the file (or its folder) does not exist
        accessDenied,  // exists but may not be opened this way (also: it is a folder)
        sharingViolation,
        diskFull,
        badPath,
        fileExists,  // a new file was asked for and the name is taken
        tooLarge,    // the file, or one of its lines, is past what the reader takes
    };

    CFileException(Cause cause, const CString& fileName)
        : std::runtime_error("file error"), m_cause(cause), m_strFileName(fileName) {}

    Cause m_cause;
    CString m_strFileName;
};
