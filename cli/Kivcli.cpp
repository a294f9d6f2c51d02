#include "cli/Kivcli.h"

#include <exception>
#include <string>
#include <vector>

#include "cli/Console.h"
#include "cli/Options.h"
#include "cli/Report.h"
#include "measure/MeasurePower.h"
#include "platform/runtime/AfxMessageBox.h"
#include "platform/runtime/Format.h"
#include "score/ArrScore.h"

namespace {

// The console stands in for the window: the result text goes to stdout (unless JSON or a series
// of measurements is wanted).
// There is no button; its caption is not printed, since the button changes between the clock
// readings, where no terminal output may hold up the measurement.
class ConsoleHost : public MeasureHost {
public:
    explicit ConsoleHost(bool printText) : m_printText(printText) {}

    void SetButton(const CString&, bool) override {}
    void ShowResult(const CString& text, const CString&) override {
        if (m_printText) WriteText(stdout, ToUtf8(text));
    }

private:
    bool m_printText;
};

}  // namespace

int RunKivcli(const std::vector<CString>& args) {
    std::string error;
    const std::optional<Options> options = ParseOptions(args, error);
    if (!options) {
        WriteText(stderr, "kivcli: " + error + "\n\n" + kUsage);
        return 2;
    }
    if (options->help) {
        WriteText(stdout, kUsage);
        return 0;
    }
    if (options->version) {
        WriteText(stdout, "kivcli " KIV_VERSION "\n");
        return 0;
    }

    // The load reports what it could not read or write; here that goes to stderr.
    SetAfxMessageBoxHandler([](const CString& text) { WriteText(stderr, ToUtf8(text) + "\n"); });
    try {
        const ArrScore scores = options->file ? ArrScore(*options->file) : ArrScore();
        const bool series = options->repeat > 1;
        ConsoleHost host(!options->json && !series);
        std::vector<Measurement> runs;
        for (int i = 0; i < options->repeat; ++i) {
            WriteText(stderr, ToUtf8(kMeasuringCaption) +
                                  (series ? kiv::Format("... %d/%d\n", i + 1, options->repeat)
                                          : std::string("...\n")));
            runs.push_back(MeasurePower(scores, host));
            if (series && !options->json) WriteText(stdout, RunLine(i + 1, runs.back()));
        }
        if (series) {
            const RepeatSummary summary = Summarise(scores, std::move(runs));
            if (options->json) {
                WriteJson(stdout, RepeatJson(summary));
            } else {
                WriteText(stdout, SummaryText(summary));
            }
        } else if (options->json) {
            WriteJson(stdout, MeasurementJson(runs.front()));
        }
        return 0;
    } catch (const std::exception& e) {
        WriteText(stderr, std::string("kivcli: ") + e.what() + "\n");
        return 1;
    }
}
