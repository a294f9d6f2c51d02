// Every file call of the load, the save and the list failed in turn, with each error the system
// gives, once or twice in a row (as after a hiccup) and for good (as when a stick is pulled):
// the table on disk keeps its old or its new bytes, nothing is left beside it, a save that did
// not happen is reported and one that did is not, a table that could not be read is never
// written, only a hold is waited for, and the measurement and the list still have what they need.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/runtime/CFileException.h"
#include "score/ArrScore.h"
#include "score/ListFile.h"
#include "tests/support/FailingSystemCalls.h"
#include "tests/support/MessageLog.h"
#include "tests/support/Sjis.h"
#include "tests/support/TempDir.h"

namespace {

#ifdef _WIN32
const int kErrors[] = {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, ERROR_DISK_FULL,
                       ERROR_WRITE_PROTECT, ERROR_NETNAME_DELETED,   ERROR_IO_DEVICE};
const char* const kRemoveByName = "DeleteFileW";
const char* const kClose = "CloseHandle";
#else
const int kErrors[] = {EIO, ENOSPC, EACCES, EROFS, EINTR};
const char* const kRemoveByName = "unlink";
const char* const kClose = "close";
#endif

struct Scenario {
    const char* name;
    const char* table;  // the data file's bytes; none when null
    bool list;          // the list reads it, instead of the start-up load
    bool readOnly;      // the data file has the read-only attribute (Windows)
};

constexpr const char* kFull = "1\tA\r\n2\tB\r\n3\tC\r\n4\tD\r\n5\tE\r\n";

constexpr size_t kForGood = FailingSystemCalls::kForGood;

const Scenario kScenarios[] = {
    {"no table", nullptr, false, false},
    {"short Shift-JIS table", "12.7\t\x95\x5C\r\n", false, false},
    {"short UTF-8 table", "1\tZo\xC3\xAB\r\n", false, false},
    {"full table", kFull, false, false},
    {"the list's read", kFull, true, false},
#ifdef _WIN32
    {"short read-only table", "1\tA\r\n", false, true},
#endif
};

struct Outcome {
    std::vector<CString> messages;
    long long rows = 0;  // of the table, or shown by the list
    bool listFailed = false;
    std::optional<std::string> bytes;  // the data file's, if it is there
    std::vector<std::string> others;   // any other name in the folder
    std::vector<std::string> calls;
    bool created = false;
    bool removalFailed = false;
    unsigned long slept = 0;
};

Outcome RunScenario(const Scenario& scenario, size_t failAt, int error, size_t count) {
    TempDir dir;
    const CString path = dir.File("kiv.txt");
    const std::filesystem::path file = dir.Path() / "kiv.txt";
    if (scenario.table) dir.Write("kiv.txt", scenario.table);
#ifdef _WIN32
    if (scenario.readOnly) SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
#endif
    Outcome outcome;
    {
        MessageLog log(outcome.messages);
        FailingSystemCalls calls(failAt, error, count);
        if (scenario.list) {
            try {
                ListFile list(path);
                while (list.Next()) ++outcome.rows;
            } catch (const CFileException&) {
                outcome.listFailed = true;
            }
        } else {
            outcome.rows = ArrScore(path).GetSize();
        }
        outcome.calls = calls.Calls();
        outcome.created = calls.Created();
        outcome.removalFailed = calls.Failed(kRemoveByName);
        outcome.slept = calls.Slept();
    }
#ifdef _WIN32
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
#endif
    if (std::filesystem::exists(file)) outcome.bytes = dir.Read("kiv.txt");
    for (const std::string& name : dir.Entries()) {
        if (name != "kiv.txt") outcome.others.push_back(name);
    }
    return outcome;
}

// Whether a message of the run ends with the text.
bool Says(const Outcome& outcome, std::u8string_view ending) {
    const std::string text = Sjis(ending).Str();
    return std::any_of(outcome.messages.begin(), outcome.messages.end(),
                       [&](const CString& message) { return message.Str().ends_with(text); });
}
constexpr std::u8string_view kNotRead = u8" がありません、デフォルト値をロードします。";
constexpr std::u8string_view kNotWritten = u8" に書き込めません。";

// Only a hold is waited out: another program's open file, or its hold on the rename's target.
bool MayWait([[maybe_unused]] const Scenario& scenario, [[maybe_unused]] const std::string& call,
             [[maybe_unused]] int error, [[maybe_unused]] size_t count) {
#ifdef _WIN32
    const bool renameRefused = error == ERROR_ACCESS_DENIED &&
                               call == "SetFileInformationByHandle" &&
                               !(scenario.readOnly && count == 1);
    return error == ERROR_SHARING_VIOLATION || renameRefused;
#else
    return false;
#endif
}

void Check(const Scenario& scenario, const Outcome& clean, const Outcome& outcome,
           const std::string& call, int error, size_t count) {
    // The data file: its old bytes or the new ones, never partial, never gone.
    if (scenario.table) {
        ASSERT_TRUE(outcome.bytes);
        EXPECT_TRUE(*outcome.bytes == scenario.table || *outcome.bytes == *clean.bytes);
    } else {
        EXPECT_TRUE(!outcome.bytes || *outcome.bytes == *clean.bytes);
    }
    // Only a disk that fails for good may keep the save's own file from being removed.
    if (!(count == kForGood && outcome.removalFailed)) {
        EXPECT_TRUE(outcome.others.empty());
    }
    const bool saved = outcome.bytes && *outcome.bytes == *clean.bytes && clean.created;
    EXPECT_EQ(Says(outcome, kNotWritten), outcome.created && !saved);
    // A table that could not be read is never written.
    if (scenario.table && Says(outcome, kNotRead)) {
        EXPECT_FALSE(outcome.created);
    }
    // A file read whole, or renamed whole, loses nothing when its close fails.
    if (count == 1 && call == kClose) {
        EXPECT_EQ(outcome.messages.size(), clean.messages.size());
        EXPECT_EQ(outcome.rows, clean.rows);
        EXPECT_EQ(outcome.bytes, clean.bytes);
    }
    if (!MayWait(scenario, call, error, count)) {
        EXPECT_EQ(outcome.slept, 0u);
    }
    if (scenario.list) {
        EXPECT_FALSE(outcome.created);
        if (!outcome.listFailed) {
            EXPECT_EQ(outcome.rows, clean.rows);
        }
    } else if (!Says(outcome, kNotRead) || !scenario.table) {
        // The measurement has the table it would have had, or the defaults behind what was read.
        EXPECT_EQ(outcome.rows, clean.rows);
    } else {
        EXPECT_GE(outcome.rows, 41);
    }
}

TEST(FailingDiskTest, EveryFileCallFailedInTurnLosesNothingAndLeavesNothingBehind) {
    for (const Scenario& scenario : kScenarios) {
        SCOPED_TRACE(scenario.name);
        size_t runs = 0;
        const Outcome clean = RunScenario(scenario, 0, 0, 0);
        ASSERT_TRUE(clean.bytes);
        for (size_t failAt = 1; failAt <= clean.calls.size(); ++failAt) {
            const std::string& call = clean.calls[failAt - 1];
            for (const int error : kErrors) {
                for (const size_t count : {size_t{1}, size_t{2}, kForGood}) {
#ifndef _WIN32
                    // Only a call that may be interrupted is, and never for good.
                    const bool interruptible =
                        call == "open" || call == "read" || call == "write" || call == "close";
                    if (error == EINTR && (count == kForGood || !interruptible)) continue;
#endif
                    SCOPED_TRACE(testing::Message()
                                 << "call " << failAt << " (" << call << ") fails with " << error
                                 << (count == kForGood ? " for good"
                                     : count == 1      ? " once"
                                                       : " twice"));
                    Check(scenario, clean, RunScenario(scenario, failAt, error, count), call, error,
                          count);
                    ++runs;
                }
            }
        }
        std::printf("%s: %zu file calls, %zu failed runs\n", scenario.name, clean.calls.size(),
                    runs);
    }
}

}  // namespace
