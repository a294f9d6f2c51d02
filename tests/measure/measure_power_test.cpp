#include "measure/MeasurePower.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/runtime/CInvalidArgException.h"
#include "tests/support/Sjis.h"

namespace {

// Seeds whose first random number gives the jitter wanted (r mod 30).
constexpr std::int64_t kSeedJitter0 = 16;   // r = 90
constexpr std::int64_t kSeedJitter29 = 34;  // r = 149

// A host whose clock advances by the given time across the pause and the workload, and which
// records every call in order. The pause lasts 1000 ms unless told otherwise; the clock shows
// whole milliseconds of a finer time.
class FakeHost : public MeasureHost {
public:
    FakeHost(long elapsedMs, std::int64_t seed, double pauseMs = 1000.0)
        : m_elapsedMs(elapsedMs), m_seed(seed), m_pauseMs(pauseMs) {}

    void SetButton(const CString& caption, bool enabled) override {
        m_calls.push_back("button " + caption.Str() + (enabled ? " on" : " off"));
    }
    void ShowResult(const CString& text, const CString& caption) override {
        m_calls.push_back("show " + caption.Str());
        m_text = text;
    }
    long Clock() override {
        m_calls.push_back("clock");
        return static_cast<long>(std::floor(m_now));
    }
    void Sleep(unsigned milliseconds) override {
        m_calls.push_back("sleep " + std::to_string(milliseconds));
        m_now += m_pauseMs;
    }
    std::int64_t Time() override {
        m_calls.push_back("time");
        return m_seed;
    }
    void RunWorkload(std::int32_t count) override {
        m_calls.push_back("workload " + std::to_string(count));
        m_now += m_elapsedMs - 1000;
    }
    // The thread clock's readings in turn; none at all, as where the system has no such clock,
    // once they run out.
    std::optional<long> ThreadTime() override {
        m_calls.push_back("thread");
        if (m_threadReadings.empty()) return std::nullopt;
        const std::optional<long> reading = m_threadReadings.front();
        m_threadReadings.erase(m_threadReadings.begin());
        return reading;
    }

    std::vector<std::string> m_calls;
    CString m_text;
    std::vector<std::optional<long>> m_threadReadings;

private:
    double m_now = 123456;  // the clock does not start at zero
    long m_elapsedMs;
    std::int64_t m_seed;
    double m_pauseMs;
};

ArrScore DefaultTable() {
    ArrScore scores = ArrScore::Unloaded("");
    scores.AppendDefaults();
    return scores;
}

CString ExpectedText(const char8_t* figure, const CString& label) {
    return Sjis(u8"\nこのPCの戦闘力は ") + Sjis(figure) + Sjis(u8" です。\n　　《　 ") + label +
           Sjis(u8" 級 　》　\n\n");
}

struct TableCase {
    long elapsedMs;
    std::int64_t seed;
    const char8_t* figure;
    int row;
};

void PrintTo(const TableCase& c, std::ostream* os) {
    *os << c.elapsedMs << " ms, seed " << c.seed << ", row " << c.row;
}

class MeasurePowerTable : public testing::TestWithParam<TableCase> {};

// Sleep lasts to the timer's next tick, or longer on a busy system: the figure is the
// workload's all the same.
TEST_P(MeasurePowerTable, APauseLongerThanASecondLeavesTheFigureAsItIs) {
    const TableCase& c = GetParam();
    const ArrScore scores = DefaultTable();
    for (const double pauseMs : {1015.625, 1200.0}) {
        FakeHost host(c.elapsedMs, c.seed, pauseMs);
        const Measurement m = MeasurePower(scores, host);
        EXPECT_EQ(m.pauseMs, static_cast<long>(pauseMs)) << pauseMs;
        EXPECT_EQ(m.workloadMs, c.elapsedMs - 1000) << pauseMs;
        EXPECT_EQ(host.m_text, ExpectedText(c.figure, scores[c.row].m_strName)) << pauseMs;
    }
}

TEST_P(MeasurePowerTable, RatesTheFigureAndShowsTheWholeText) {
    const TableCase& c = GetParam();
    const ArrScore scores = DefaultTable();
    FakeHost host(c.elapsedMs, c.seed);

    const Measurement m = MeasurePower(scores, host);

    EXPECT_EQ(m.ElapsedMs(), c.elapsedMs);
    EXPECT_EQ(m.pauseMs, 1000);
    EXPECT_EQ(m.workloadMs, c.elapsedMs - 1000);
    EXPECT_EQ(m.clock, WorkloadClock::elapsed);  // the host has no thread clock
    EXPECT_EQ(m.row, c.row);
    EXPECT_EQ(m.label, scores[c.row].m_strName);
    EXPECT_EQ(host.m_text, ExpectedText(c.figure, scores[c.row].m_strName));
    EXPECT_EQ(m.text, host.m_text);
}

INSTANTIATE_TEST_SUITE_P(
    DefaultTable, MeasurePowerTable,
    testing::Values(TableCase{1500, kSeedJitter0, u8"150234.95", 22},
                    TableCase{2000, kSeedJitter0, u8"26789.55", 17},
                    TableCase{3000, kSeedJitter0, u8"8460.42", 11},
                    TableCase{1100, kSeedJitter0, u8"61816407.96", 27},
                    TableCase{11000, kSeedJitter0, u8"2646.32", 9},
                    // No measurable workload time: 17 significant digits, then zeros.
                    TableCase{1000, kSeedJitter0, u8"457316833656931960000000000000.00", 40},
                    // The pause ended early by the clock: the absolute value keeps y positive.
                    TableCase{999, kSeedJitter0, u8"320753092092327300.00", 40},
                    TableCase{1600, kSeedJitter29, u8"90119.17", 20}),
    [](const testing::TestParamInfo<TableCase>& info) {
        return std::to_string(info.param.elapsedMs) + "ms";
    });

TEST(MeasurePowerTest, CallsTheHostInOrderWithNothingBetweenTheClockReadings) {
    const ArrScore scores = DefaultTable();
    FakeHost host(1500, kSeedJitter29);

    const Measurement m = MeasurePower(scores, host);

    const std::vector<std::string> expected = {
        "time",
        "clock",
        "button " + Sjis(u8"計測中").Str() + " off",
        "sleep 1000",
        "clock",
        "thread",
        "workload 21",
        "thread",
        "clock",
        "show " + Sjis(u8"結果").Str(),
        "button " + Sjis(u8"計測する").Str() + " on",
    };
    EXPECT_EQ(host.m_calls, expected);
    EXPECT_EQ(m.jitter, 29);
}

// Another program given the processor meanwhile stretches the elapsed span, not the thread's.
TEST(MeasurePowerTest, TheFigureIsMadeFromTheThreadsTimeWhereItIsWhole) {
    const ArrScore scores = DefaultTable();
    struct Row {
        std::optional<long> before, after;
        long workloadMs;
        WorkloadClock clock;
    };
    const auto thread = WorkloadClock::thread, elapsed = WorkloadClock::elapsed;
    for (const Row& row : {Row{7000, 7500, 500, thread}, Row{7000, 8001, 1001, thread},
                           Row{7000, 8002, 1000, elapsed},          // longer than it could have run
                           Row{7000, std::nullopt, 1000, elapsed},  // failed after succeeding
                           Row{7500, 7000, 1000, elapsed}}) {
        FakeHost host(2000, kSeedJitter0);
        host.m_threadReadings = {row.before, row.after};
        const Measurement m = MeasurePower(scores, host);
        EXPECT_EQ(m.workloadMs, row.workloadMs) << row.after.value_or(-1);
        EXPECT_EQ(m.clock, row.clock) << row.after.value_or(-1);
        EXPECT_EQ(m.workloadElapsedMs, 1000);
        EXPECT_EQ(m.ElapsedMs(), 2000);
    }
    FakeHost host(2000, kSeedJitter0);
    host.m_threadReadings = {7000, 7500};
    EXPECT_EQ(MeasurePower(scores, host).text, ExpectedText(u8"150234.95", scores[22].m_strName));
}

TEST(MeasurePowerTest, SmallFiguresArePaddedToFiveCharactersAndRateAsRowZero) {
    // 300 ms on the clock: 7 / (0.3 - 1 + 3.7e-6) is almost exactly -10, so y is nearly 0.
    const ArrScore scores = DefaultTable();
    FakeHost host(300, kSeedJitter0);

    const Measurement m = MeasurePower(scores, host);

    EXPECT_EQ(m.row, 0);
    EXPECT_EQ(host.m_text, ExpectedText(u8" 0.00", scores[0].m_strName));
}

TEST(MeasurePowerTest, AnEmptyTableFailsTheIndexCheck) {
    const ArrScore scores = ArrScore::Unloaded("");
    FakeHost host(1500, kSeedJitter0);
    EXPECT_THROW(MeasurePower(scores, host), CInvalidArgException);
}

}  // namespace

TEST(MeasurePowerTest, ALabelThatShiftJisLacksIsShownWhole) {
    ArrScore scores = ArrScore::Unloaded("");
    scores.Add(CScore(Utf8(u8"😀 Zoë 김"), 20));
    FakeHost host(1500, kSeedJitter0);

    const Measurement m = MeasurePower(scores, host);

    EXPECT_EQ(m.text,
              Utf8(u8"\nこのPCの戦闘力は 150234.95 です。\n　　《　 😀 Zoë 김 級 　》　\n\n"));
    EXPECT_EQ(host.m_text, m.text);
}
