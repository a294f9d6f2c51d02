#include "cli/Report.h"

#include <nlohmann/json.hpp>
#include <utility>

#include "cli/Console.h"
#include "platform/runtime/Format.h"

namespace {

std::string Figure(double power) {
    return kiv::Format("%.2f", power);
}

nlohmann::json MeasurementObject(const Measurement& m) {
    return {
        {"figure", Figure(m.power)},
        {"power", m.power},
        {"row", m.row},
        {"label", ToUtf8(m.label)},
        {"elapsed_ms", m.ElapsedMs()},
        {"pause_ms", m.pauseMs},
        {"workload_ms", m.workloadMs},
        {"workload_elapsed_ms", m.workloadElapsedMs},
        {"workload_clock", m.clock == WorkloadClock::thread ? "thread" : "elapsed"},
        {"jitter", m.jitter},
    };
}

nlohmann::json SpreadObject(const Spread& s) {
    return {{"min", s.min}, {"max", s.max}, {"median", s.median}, {"robust_cv", s.robustCv}};
}

std::string Dump(const nlohmann::json& json) {
    return json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

}  // namespace

std::string MeasurementJson(const Measurement& m) {
    return Dump(MeasurementObject(m));
}

RepeatSummary Summarise(const ArrScore& scores, std::vector<Measurement> runs) {
    RepeatSummary summary;
    std::vector<double> powers, workload, shares;
    for (const Measurement& m : runs) {
        powers.push_back(m.power);
        workload.push_back(static_cast<double>(m.workloadMs));
        shares.push_back(m.workloadElapsedMs > 0 ? static_cast<double>(m.workloadMs) /
                                                       static_cast<double>(m.workloadElapsedMs)
                                                 : 1.0);
    }
    summary.power = SpreadOf(powers);
    summary.workload = SpreadOf(workload);
    summary.processorShare = Median(std::move(shares));
    summary.medianPower = summary.power.median;
    Rating median = Rate(scores, summary.medianPower);
    summary.medianRow = median.row;
    summary.medianLabel = std::move(median.label);
    summary.runs = std::move(runs);
    return summary;
}

std::string RunLine(int number, const Measurement& m) {
    return kiv::Format("%3d  %s  %s\n", number, Figure(m.power).c_str(), ToUtf8(m.label).c_str());
}

std::string SummaryText(const RepeatSummary& summary) {
    std::string text;
    text += kiv::Format("median  %s  row %d  %s\n", Figure(summary.medianPower).c_str(),
                        summary.medianRow, ToUtf8(summary.medianLabel).c_str());
    text +=
        kiv::Format("spread  min %s  max %s  robust CV %.2f%%\n", Figure(summary.power.min).c_str(),
                    Figure(summary.power.max).c_str(), summary.power.robustCv * 100.0);
    // The figure moves with about the third to fifth power of the workload's time, so its
    // spread is several times that of the time; both are shown.
    text +=
        kiv::Format("workload  min %.0f ms  max %.0f ms  robust CV %.2f%%\n", summary.workload.min,
                    summary.workload.max, summary.workload.robustCv * 100.0);
    // Well under 100% says that other programs ran meanwhile.
    text += kiv::Format("processor  median share %.1f%% of the workload's elapsed time\n",
                        summary.processorShare * 100.0);
    return text;
}

std::string RepeatText(const RepeatSummary& summary) {
    std::string text;
    int number = 0;
    for (const Measurement& m : summary.runs) text += RunLine(++number, m);
    return text + SummaryText(summary);
}

std::string RepeatJson(const RepeatSummary& summary) {
    nlohmann::json runs = nlohmann::json::array();
    for (const Measurement& m : summary.runs) runs.push_back(MeasurementObject(m));
    return Dump({
        {"measurements", runs},
        {"median",
         {{"figure", Figure(summary.medianPower)},
          {"power", summary.medianPower},
          {"row", summary.medianRow},
          {"label", ToUtf8(summary.medianLabel)}}},
        {"spread", SpreadObject(summary.power)},
        {"workload_ms_spread", SpreadObject(summary.workload)},
        {"processor_share", summary.processorShare},
    });
}
