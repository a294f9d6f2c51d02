#include "score/ArrScore.h"

#include <cmath>
#include <optional>

#include "platform/os/CStdioFile.h"
#include "platform/os/Encoding.h"
#include "platform/runtime/AfxMessageBox.h"
#include "platform/runtime/CFileException.h"
#include "platform/runtime/Runtime.h"
#include "score/DataFileLimits.h"
#include "score/DataFilePath.h"
#include "score/DefaultScores.h"

namespace {

// Fewer rows than this in the data file and the defaults are added.
constexpr int kMinimumRows = 5;
// Names the save tries in turn for its temporary file, the data file's name followed by ".tmp"
// and then by a number: a name taken by anything, a file left by an interrupted save or a planted
// link, is passed over and never removed.
constexpr int kTemporaryNames = 16;

// Shift-JIS texts.
// "データ少ないため、デフォルト値をロードします。"
constexpr const char* kTooFewRows =
    "\x83\x66\x81[\x83^"
    "\x8F\xAD\x82\xC8\x82\xA2\x82\xBD\x82\xDF\x81\x41\x83\x66\x83t\x83H\x83\x8B\x83g\x92l\x82\xF0"
    "\x83\x8D\x81[\x83h\x82\xB5\x82\xDC\x82\xB7\x81\x42";
// " がありません、デフォルト値をロードします。"
constexpr const char* kNotFound =
    " \x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x41\x83\x66\x83t\x83H\x83\x8B\x83g\x92l"
    "\x82\xF0\x83\x8D\x81[\x83h\x82\xB5\x82\xDC\x82\xB7\x81\x42";
// " に書き込めません。"
constexpr const char* kNotWritable =
    " \x82\xC9\x8F\x91\x82\xAB\x8D\x9E\x82\xDF\x82\xDC\x82\xB9\x82\xF1\x81\x42";

// One line of the data file: the power text, TAB, the label. Without a TAB the whole line is the
// label and the power is 0.
CScore ParseRow(const CString& line) {
    const int tab = line.Find("\t");
    return CScore(line.Mid(tab + 1), kiv::atof(line.Left(tab).GetString()));
}

// The power as the data file writes it: the whole number, "%.0f". An infinity (from a power
// such as "1e400") becomes a number that overflows back to the same infinity when read, never
// "inf", which would read back as 0. No number text reads back as NaN (and no loaded row can
// hold one), so NaN is written as the word "nan": what it is, for the reader of the file.
CString PowerText(double power) {
    if (std::isinf(power)) return power > 0 ? "1e999" : "-1e999";
    if (std::isnan(power)) return "nan";
    CString text;
    text.Format("%.0f", power);
    return text;
}

// Creates the save's file beside path, under the first of the temporary names that is free.
// Throws CFileException when none is, or the folder cannot be written.
void CreateTemporary(const CString& path, std::optional<CStdioFile>& file) {
    for (int attempt = 0;; ++attempt) {
        CString name = path + ".tmp";
        if (attempt > 0) name.AppendFormat("%d", attempt);
        try {
            file.emplace(name,
                         CStdioFile::modeCreateNew | CStdioFile::modeWrite | CStdioFile::typeText);
            return;
        } catch (const CFileException& error) {
            if (error.m_cause != CFileException::fileExists || attempt + 1 == kTemporaryNames) {
                throw;
            }
        }
    }
}

}  // namespace

ArrScore::ArrScore() : ArrScore(DataFilePath()) {}

ArrScore::ArrScore(const CString& path) : m_strPath(path) {
    LoadFile();
}

ArrScore ArrScore::Unloaded(const CString& path) {
    return ArrScore(path, NoLoad{});
}

void ArrScore::LoadFile() {
    // An existing file that could not be read to its end is never replaced by the defaults: it
    // may be the user's own table. It is written only when it did not exist, or was read whole
    // (nothing after a 0x1A byte) and held too few rows.
    bool writeDefaults = false;
    try {
        CStdioFile file(m_strPath, CStdioFile::modeRead | CStdioFile::typeText, kDataFileLimits);
        CString line;
        while (file.ReadString(line)) Add(ParseRow(line));
        m_encoding = file.GetTextEncoding();
        // The file was only read, and read to its end: a close that fails loses nothing of it
        // and says nothing of the rows, so the file closes as it goes out of scope.
        if (GetSize() >= kMinimumRows) return;
        AfxMessageBox(kTooFewRows);
        // Lines after a 0x1A byte are hidden from the reader but are still the user's: a file
        // that holds any is not replaced.
        writeDefaults = !file.HasBytesAfterEndOfData();
    } catch (const CFileException& error) {
        // Rows read before a read failure stay in front of the defaults.
        AfxMessageBox(kiv::Concat(CString("file:") + error.m_strFileName, kNotFound));
        writeDefaults = error.m_cause == CFileException::fileNotFound;
    }
    AppendDefaults();
    if (writeDefaults) SaveReportingFailure();
}

void ArrScore::AppendDefaults() {
    // Behind the rows of a Unicode file, in its code page: the table reads as its file will.
    const CodePage codePage = kiv::CodePageOf(m_encoding);
    for (const DefaultScore& row : DefaultScores()) {
        Add(CScore(kiv::InCodePage(row.label, codePage), row.power));
    }
}

void ArrScore::LoadDefaults() {
    AppendDefaults();
    SaveFile();
}

void ArrScore::SaveReportingFailure() {
    try {
        SaveFile();
    } catch (const CFileException&) {
        // The table is complete in memory; the measurement needs nothing more.
        AfxMessageBox(kiv::Concat(CString("file:") + m_strPath, kNotWritable));
    }
}

void ArrScore::SaveFile() {
    if (IsEmpty()) return;
    // Each line is "%.0f\t%s\n" of power and label, except that the label goes in byte for byte
    // (a NUL in it would end "%s") and a power that is not a number gets the text above. A
    // Unicode file takes every label in UTF-8.
    const CodePage codePage = kiv::CodePageOf(m_encoding);
    CString text;
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        const CScore& row = GetAt(i);
        text += PowerText(row.m_dPower);
        text += '\t';
        text += kiv::InCodePage(row.m_strName, codePage);
        text += '\n';
    }

    // The whole table goes to a new file of its own beside the data file first, which then
    // replaces it in one step: an interrupted save never leaves a truncated data file. The new
    // file is renamed while still open, and removed through the open file when that fails, so
    // that no other program (a scanner reading what was just written) can keep it behind.
    std::optional<CStdioFile> file;
    CreateTemporary(m_strPath, file);
    file->SetTextEncoding(m_encoding);
    try {
        file->WriteString(text);
        file->Sync();
        file->RenameOver(m_strPath);
    } catch (const CFileException&) {
        // This save created the file: it can go.
        file->Delete();
        throw;
    }
    // The table is whole under its name, its bytes on the disk since the sync: a close that
    // fails now changes nothing of it, so the file closes as it goes out of scope.
}
