#include "measure/MeasurePower.h"

#include <cmath>
#include <optional>
#include <utility>

#include "platform/os/Encoding.h"
#include "platform/runtime/Runtime.h"
#include "score/FindRank.h"

namespace {

// Shift-JIS texts.
constexpr const char* kMeasure = "\x8Cv\x91\xAA\x82\xB7\x82\xE9";  // 計測する
constexpr const char* kResultCaption = "\x8C\x8B\x89\xCA";         // 結果
// "\nこのPCの戦闘力は %5.2f です。"
constexpr const char* kPowerLine =
    "\n\x82\xB1\x82\xCCPC\x82\xCC\x90\xED\x93\xAC\x97\xCD\x82\xCD %5.2f \x82\xC5\x82\xB7\x81\x42";
// "\n　　《　 %s 級 　》　\n\n"
constexpr const char* kRankLine = "\n\x81@\x81@\x81s\x81@ %s \x8B\x89 \x81@\x81t\x81@\n\n";

constexpr std::int32_t kWorkloadCount = 21;

// The clock ticks in milliseconds; 3.7e-6 keeps the divisor away from zero when the workload
// takes no measurable time. Only the workload's own time counts: not whatever the pause lasted,
// nor the processor's time that the system gave another program meanwhile. It is taken as the span
// of a pause of exactly 1000 ticks, less that second, so that such a pause gives the figure of the
// plain span, (t1 - t0) / 1000 - 1, bit for bit. The operations run in this order on purpose: the
// figure must be the same on every build.
double Strength(long workloadMs) {
    const double span = static_cast<double>(workloadMs + static_cast<long>(kPauseMs));
    return std::fabs(7.0 / (span / 1000.0 - 1.0 + 3.7e-6) + 10.0);
}

// The workload's own time. The processor's time given to another program is not the workload's,
// so where the system tells the thread's time across it, that is the time. A thread that ran
// longer than the wall clock saw, beyond its tick of rounding, is a thread clock gone wrong.
void TimeWorkload(std::optional<long> ranBefore, std::optional<long> ranAfter, Measurement& m) {
    m.workloadMs = m.workloadElapsedMs;
    m.clock = WorkloadClock::elapsed;
    if (!ranBefore || !ranAfter) return;
    const long ran = *ranAfter - *ranBefore;
    if (ran < 0 || ran > m.workloadElapsedMs + 1) return;
    m.workloadMs = ran;
    m.clock = WorkloadClock::thread;
}

}  // namespace

Rating Rate(const ArrScore& scores, double power) {
    const int rank = FindRank(scores, power);
    const int row = rank != 0 ? rank - 1 : 0;
    return {row, scores[row].m_strName};  // bounds-checked
}

Measurement MeasurePower(const ArrScore& scores, MeasureHost& host) {
    kiv::srand(static_cast<std::uint32_t>(host.Time()));
    const long t0 = host.Clock();
    host.SetButton(kMeasuringCaption, false);
    host.Sleep(kPauseMs);
    const long paused = host.Clock();
    const std::optional<long> ranBefore = host.ThreadTime();
    host.RunWorkload(kWorkloadCount);
    const std::optional<long> ranAfter = host.ThreadTime();
    const long t1 = host.Clock();

    Measurement result;
    result.pauseMs = paused - t0;
    result.workloadElapsedMs = t1 - paused;
    TimeWorkload(ranBefore, ranAfter, result);
    const double y = Strength(result.workloadMs);
    result.jitter = kiv::rand() % 30;
    result.power = result.jitter + y * y * y * y * y / 53.0;

    Rating rating = Rate(scores, result.power);
    result.row = rating.row;
    result.label = std::move(rating.label);
    // A label from a Unicode data file is UTF-8: the whole message is then written in UTF-8.
    const CodePage codePage = result.label.GetCodePage();
    result.text = CString("", codePage);
    result.text.AppendFormat(kiv::InCodePage(kPowerLine, codePage).GetString(), result.power);
    result.text.AppendFormat(kiv::InCodePage(kRankLine, codePage).GetString(),
                             result.label.GetString());

    host.ShowResult(result.text, kResultCaption);
    host.SetButton(kMeasure, true);
    return result;
}
