#pragma once

#include "measure/MeasureHost.h"
#include "platform/runtime/CString.h"
#include "score/ArrScore.h"

// The pause before the workload, inside the timed span. The system may make it last longer (Sleep
// waits for the timer's tick), so the figure takes off the pause as the clock measured it.
inline constexpr unsigned kPauseMs = 1000;

// The button's caption while a measurement runs: "計測中" in Shift-JIS.
inline constexpr const char* kMeasuringCaption = "\x8Cv\x91\xAA\x92\x86";

// Which clock timed the workload for the figure.
enum class WorkloadClock {
    thread,   // the processor time the workload's thread was given
    elapsed,  // the wall clock, where the system has no thread clock with fine steps
};

// What one measurement found.
struct Measurement {
    long pauseMs = 0;            // clock ticks from the first reading to the one after the pause
    long workloadElapsedMs = 0;  // and from there to the last, after the workload
    long workloadMs = 0;         // the workload's time that the figure was made from
    WorkloadClock clock = WorkloadClock::elapsed;  // what timed workloadMs
    int jitter = 0;                                // 0 ... 29, added to the figure
    double power = 0.0;
    int row = 0;  // the rated row of the table
    CString label;
    CString text;  // the result message as shown

    // From the first reading to the last, pause included.
    long ElapsedMs() const { return pauseMs + workloadElapsedMs; }
};

// Where a figure rates in the table: the row before FindRank's (row 0 when FindRank gives 0),
// and that row's label.
struct Rating {
    int row = 0;
    CString label;
};
Rating Rate(const ArrScore& scores, double power);

// Times the pause and the workload, rates the figure against scores, shows the result through
// host and returns what it found.
Measurement MeasurePower(const ArrScore& scores, MeasureHost& host);
