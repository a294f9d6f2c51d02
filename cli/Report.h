#pragma once

#include <string>
#include <vector>

#include "measure/MeasurePower.h"
#include "measure/Spread.h"
#include "platform/runtime/CString.h"
#include "score/ArrScore.h"

// What kivcli prints: one measurement as JSON, or a series of measurements with their median
// and spread as text or JSON. All output is UTF-8.

// One measurement as one JSON object on one line.
std::string MeasurementJson(const Measurement& m);

// N measurements of one run.
struct RepeatSummary {
    std::vector<Measurement> runs;
    double medianPower = 0.0;  // rated like a measured figure
    int medianRow = 0;
    CString medianLabel;
    Spread power;     // of the figures
    Spread workload;  // of the workload's own milliseconds, from the pause's end
    // The median of the workload's time over its elapsed span: the share of the processor that
    // the system gave the workload's thread.
    double processorShare = 1.0;
};

// Throws std::invalid_argument for no runs.
RepeatSummary Summarise(const ArrScore& scores, std::vector<Measurement> runs);

// One line per measurement: its number (from 1), figure and label.
std::string RunLine(int number, const Measurement& m);
// The median figure with its row and label, the spread of the figures and workload times, and
// the workload's share of the processor.
std::string SummaryText(const RepeatSummary& summary);
// Every RunLine, then SummaryText.
std::string RepeatText(const RepeatSummary& summary);

// All of RepeatText's content in one JSON object on one line.
std::string RepeatJson(const RepeatSummary& summary);
