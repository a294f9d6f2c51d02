#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <stdexcept>

#include "cli/Console.h"
#include "cli/Options.h"
#include "cli/Report.h"
#include "tests/support/Sjis.h"

namespace {

std::optional<Options> Parse(std::vector<CString> args, std::string* errorOut = nullptr) {
    std::string error;
    std::optional<Options> options = ParseOptions(args, error);
    if (errorOut) *errorOut = error;
    return options;
}

TEST(KivcliOptionsTest, ReadsTheKnownOptions) {
    const auto none = Parse({});
    ASSERT_TRUE(none);
    EXPECT_FALSE(none->json || none->help || none->version || none->file);

    const auto all = Parse({"--json", "--file", "d/k.txt", "--version"});
    ASSERT_TRUE(all);
    EXPECT_TRUE(all->json && all->version);
    EXPECT_EQ(all->file, CString("d/k.txt"));

    EXPECT_EQ(Parse({"--file=x.txt"})->file, CString("x.txt"));
    EXPECT_TRUE(Parse({"--help"})->help);
}

TEST(KivcliOptionsTest, RefusesUnknownOptionsAndAMissingPath) {
    std::string error;
    EXPECT_FALSE(Parse({"--jsn"}, &error));
    EXPECT_EQ(error, "unknown option: --jsn");
    EXPECT_FALSE(Parse({"extra"}));
    EXPECT_FALSE(Parse({"--file"}, &error));
    EXPECT_EQ(error, "option --file needs a path");
    EXPECT_FALSE(Parse({"--file="}));
}

TEST(KivcliConsoleTest, ShiftJisBecomesUtf8) {
    const std::u8string text = u8"\nこのPCの戦闘力は 表 です。";
    EXPECT_EQ(ToUtf8(Sjis(text)), std::string(text.begin(), text.end()));
    EXPECT_EQ(ToUtf8(CString()), "");
}

}  // namespace

namespace {

TEST(KivcliOptionsTest, RepeatTakesACountFromOneToAThousand) {
    EXPECT_EQ(Parse({})->repeat, 1);
    EXPECT_EQ(Parse({"--repeat", "15"})->repeat, 15);
    EXPECT_EQ(Parse({"--repeat=1000", "--json"})->repeat, 1000);

    std::string error;
    EXPECT_FALSE(Parse({"--repeat"}, &error));
    EXPECT_EQ(error, "option --repeat needs a count");
    for (const char* bad : {"0", "1001", "-3", "+3", "x", "", "3x", "00015"}) {
        EXPECT_FALSE(Parse({"--repeat", bad}, &error)) << bad;
        EXPECT_EQ(error,
                  std::string("option --repeat needs a count from 1 to 1000, not '") + bad + "'");
    }
}

// A measurement of elapsedMs whose pause lasted pauseMs, and whose workload's thread ran ranMs
// where that is given.
Measurement Rated(double power, long elapsedMs, const ArrScore& scores, long pauseMs = 1000,
                  long ranMs = -1) {
    Measurement m;
    m.power = power;
    m.pauseMs = pauseMs;
    m.workloadMs = m.workloadElapsedMs = elapsedMs - pauseMs;
    if (ranMs >= 0) {
        m.workloadMs = ranMs;
        m.clock = WorkloadClock::thread;
    }
    const Rating rating = Rate(scores, power);
    m.row = rating.row;
    m.label = rating.label;
    return m;
}

TEST(KivcliRepeatTest, TheMedianFigureIsRatedLikeAMeasurement) {
    ArrScore scores = ArrScore::Unloaded("");
    scores.AppendDefaults();
    // Figures of rows 22, 11 and 17 of the default table; the middle one is row 17's.
    const RepeatSummary odd =
        Summarise(scores, {Rated(150234.95, 1500, scores), Rated(8460.42, 3000, scores),
                           Rated(26789.55, 2016, scores, 1016)});
    EXPECT_DOUBLE_EQ(odd.medianPower, 26789.55);
    EXPECT_EQ(odd.medianRow, 17);
    EXPECT_EQ(odd.medianLabel, scores[17].m_strName);
    EXPECT_DOUBLE_EQ(odd.power.min, 8460.42);
    EXPECT_DOUBLE_EQ(odd.power.max, 150234.95);
    EXPECT_DOUBLE_EQ(odd.workload.median, 1000.0);  // the workload's own, whatever the pause

    // An even count rates the mean of the two middle figures, which no run measured.
    const RepeatSummary even =
        Summarise(scores, {Rated(8460.42, 3000, scores), Rated(150234.95, 1500, scores)});
    EXPECT_DOUBLE_EQ(even.medianPower, (8460.42 + 150234.95) / 2);
    EXPECT_EQ(even.medianRow, Rate(scores, even.medianPower).row);

    EXPECT_THROW(Summarise(scores, {}), std::invalid_argument);
}

TEST(KivcliRepeatTest, TextAndJsonCarryEveryRunTheMedianAndTheSpread) {
    ArrScore scores = ArrScore::Unloaded("");
    scores.AppendDefaults();
    const RepeatSummary summary = Summarise(
        scores, {Rated(150234.95, 1667, scores, 1000, 600),
                 Rated(26789.55, 2250, scores, 1000, 1000), Rated(8460.42, 3000, scores)});
    const std::string label17 = ToUtf8(scores[17].m_strName);

    const std::string text = RepeatText(summary);
    EXPECT_EQ(text.substr(0, text.find('\n')), "  1  150234.95  " + ToUtf8(scores[22].m_strName));
    EXPECT_NE(text.find("\n  3  8460.42  " + ToUtf8(scores[11].m_strName) + "\n"),
              std::string::npos);
    EXPECT_NE(text.find("\nmedian  26789.55  row 17  " + label17 + "\n"), std::string::npos);
    // Deviations from 26789.55: 123445.40, 0, 18329.13; their median is 18329.13.
    EXPECT_NE(text.find("\nspread  min 8460.42  max 150234.95  robust CV 101.44%\n"),
              std::string::npos);
    // Workload times 600, 1000, 2000 ms; deviations from 1000 ms: 400, 0, 1000.
    EXPECT_NE(text.find("\nworkload  min 600 ms  max 2000 ms  robust CV 59.30%\n"),
              std::string::npos);
    // The thread's shares of the workloads' elapsed spans: 600 of 667, 1000 of 1250, 2000 of 2000.
    EXPECT_NE(text.find("\nprocessor  median share 90.0% of the workload's elapsed time\n"),
              std::string::npos);

    const nlohmann::json json = nlohmann::json::parse(RepeatJson(summary));
    ASSERT_EQ(json["measurements"].size(), 3u);
    EXPECT_EQ(json["measurements"][2]["figure"], "8460.42");
    EXPECT_EQ(json["measurements"][2]["row"], 11);
    EXPECT_EQ(json["measurements"][2]["elapsed_ms"], 3000);
    EXPECT_EQ(json["measurements"][2]["pause_ms"], 1000);
    EXPECT_EQ(json["measurements"][2]["workload_ms"], 2000);
    EXPECT_EQ(json["measurements"][2]["workload_clock"], "elapsed");
    EXPECT_EQ(json["measurements"][0]["workload_ms"], 600);
    EXPECT_EQ(json["measurements"][0]["workload_elapsed_ms"], 667);
    EXPECT_EQ(json["measurements"][0]["elapsed_ms"], 1667);
    EXPECT_EQ(json["measurements"][0]["workload_clock"], "thread");
    EXPECT_DOUBLE_EQ(json["processor_share"].get<double>(), 600.0 / 667.0);
    EXPECT_EQ(json["median"]["figure"], "26789.55");
    EXPECT_EQ(json["median"]["row"], 17);
    EXPECT_EQ(json["median"]["label"], label17);
    EXPECT_DOUBLE_EQ(json["spread"]["min"].get<double>(), 8460.42);
    EXPECT_DOUBLE_EQ(json["spread"]["robust_cv"].get<double>(), summary.power.robustCv);
    EXPECT_DOUBLE_EQ(json["workload_ms_spread"]["max"].get<double>(), 2000.0);
}

}  // namespace
