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
#include <set>
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
const size_t kUnreached = 0;
#else
const int kErrors[] = {EIO, ENOSPC, EACCES, EROFS, EINTR};
const char* const kRemoveByName = "unlink";
const char* const kClose = "close";
const size_t kUnreached = 1;  // stat: only PathExists asks it, and nothing here does
#endif
constexpr size_t kForGood = FailingSystemCalls::kForGood;

struct Scenario {
    const char* name;
    const char* table;  // the data file's bytes; none when null
    bool list;          // the list reads it, instead of the start-up load
    bool readOnly;      // the data file has the read-only attribute (Windows)
};

constexpr const char* kFull = "1\tA\r\n2\tB\r\n3\tC\r\n4\tD\r\n5\tE\r\n";
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

struct Failure {
    size_t at = 0;  // the first call that fails, counting from 1; none when 0
    int error = 0;
    size_t count = 0;  // calls in a row, or kForGood
    std::string call;  // the name of the first
};

struct Outcome {
    std::vector<CString> messages;
    std::string named;                 // how a message about the data file begins
    long long rows = 0;                // of the table, or shown by the list; -1: the list failed
    std::optional<std::string> bytes;  // the data file's, if it is there
    std::vector<std::string> others;   // any other name in the folder
    std::vector<std::string> calls;
    bool created = false;
    bool removalFailed = false;
    unsigned long slept = 0;
};

Outcome RunScenario(const Scenario& scenario, const Failure& failure) {
    TempDir dir;
    const std::filesystem::path file = dir.Path() / "kiv.txt";
    if (scenario.table) dir.Write("kiv.txt", scenario.table);
#ifdef _WIN32
    if (scenario.readOnly) SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
#endif
    Outcome outcome;
    outcome.named = "file:" + dir.File("kiv.txt").Str();
    {
        const MessageLog log(outcome.messages);
        const FailingSystemCalls calls(failure.at, failure.error, failure.count);
        if (!scenario.list) {
            outcome.rows = ArrScore(dir.File("kiv.txt")).GetSize();
        } else {
            try {
                ListFile list(dir.File("kiv.txt"));
                while (list.Next()) ++outcome.rows;
            } catch (const CFileException&) {
                outcome.rows = -1;
            }
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

void Check(const Scenario& scenario, const Outcome& clean, const Outcome& outcome,
           const Failure& failure) {
    // The data file keeps its old bytes or takes the new ones: never partial, never gone.
    const auto old = scenario.table ? std::optional<std::string>(scenario.table) : std::nullopt;
    EXPECT_TRUE(outcome.bytes == clean.bytes || outcome.bytes == old);
    // Only a disk that fails for good may keep the save's own file from being removed.
    EXPECT_TRUE(outcome.others.empty() || (failure.count == kForGood && outcome.removalFailed));
    // A save that was due and did not happen is reported; one that happened is not.
    const bool saved = clean.created && outcome.bytes == clean.bytes;
    EXPECT_EQ(Says(outcome, u8" に書き込めません。"), outcome.created && !saved);
    // A table that could not be read is never written; the measurement has the defaults then,
    // and the table it would have had otherwise. The list shows its rows or its message.
    const bool unread =
        scenario.table && Says(outcome, u8" がありません、デフォルト値をロードします。");
    EXPECT_FALSE((unread || scenario.list) && outcome.created);
    if (scenario.list) {
        EXPECT_TRUE(outcome.rows == clean.rows || outcome.rows == -1);
    } else {
        EXPECT_TRUE(unread ? outcome.rows >= 41 : outcome.rows == clean.rows);
    }
    // A message about the file names it, whichever call failed.
    for (const CString& message : outcome.messages)
        EXPECT_TRUE(!message.Str().starts_with("file:") ||
                    message.Str().starts_with(outcome.named));
    // A file read whole, or renamed whole, loses nothing when its close fails: nothing is said.
    if (failure.count == 1 && failure.call == kClose) {
        EXPECT_EQ(outcome.messages.size(), clean.messages.size());
    }
#ifdef _WIN32
    // Only a hold is waited out: a sharing violation, or a rename refused while the target is
    // held, which a read-only target is not.
    const bool hold =
        failure.error == ERROR_SHARING_VIOLATION ||
        (failure.error == ERROR_ACCESS_DENIED && failure.call == "SetFileInformationByHandle" &&
         !(scenario.readOnly && failure.count == 1));
    EXPECT_TRUE(hold || outcome.slept == 0);
    // A brief hold on the rename is waited out, also when the target's attributes cannot be read
    // meanwhile (twice in a row): the save is done as if nothing had held it.
    if (hold && !scenario.readOnly && failure.count != kForGood &&
        failure.call == "SetFileInformationByHandle") {
        EXPECT_EQ(outcome.bytes, clean.bytes);
    }
#endif
}

TEST(FailingDiskTest, EveryFileCallFailedInTurnLosesNothingAndLeavesNothingBehind) {
    std::set<std::string> reached;  // the table's entries some run called, and the pause
    for (const Scenario& scenario : kScenarios) {
        SCOPED_TRACE(scenario.name);
        const Outcome clean = RunScenario(scenario, {});
        ASSERT_TRUE(clean.bytes);
        size_t runs = 0;
        for (size_t at = 1; at <= clean.calls.size(); ++at) {
            for (const int error : kErrors) {
                for (const size_t count : {size_t{1}, size_t{2}, kForGood}) {
                    const Failure failure{at, error, count, clean.calls[at - 1]};
#ifndef _WIN32
                    // Only a call that may be interrupted is, and never for good.
                    const std::string& call = failure.call;
                    const bool interruptible =
                        call == "open" || call == "read" || call == "write" || call == "close";
                    if (error == EINTR && (count == kForGood || !interruptible)) continue;
#endif
                    SCOPED_TRACE(testing::Message()
                                 << "call " << at << " (" << failure.call << ") fails with "
                                 << error << ", " << (count == kForGood ? 0 : count) << " times");
                    const Outcome outcome = RunScenario(scenario, failure);
                    Check(scenario, clean, outcome, failure);
                    reached.insert(outcome.calls.begin(), outcome.calls.end());
                    if (outcome.slept) reached.insert("Sleep");
                    ++runs;
                }
            }
        }
        std::printf("%s: %zu file calls, %zu runs with failures\n", scenario.name,
                    clean.calls.size(), runs);
    }
    // A call made around the table could neither fail nor be counted here.
    EXPECT_EQ(reached.size() + kUnreached, sizeof(kiv::SystemCalls) / sizeof(void (*)()))
        << testing::PrintToString(reached);
}

}  // namespace
