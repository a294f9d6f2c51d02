#include "cli/Kivcli.h"

#include <exception>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/Console.h"
#include "cli/Options.h"
#include "measure/MeasurePower.h"
#include "platform/AfxMessageBox.h"
#include "platform/Format.h"
#include "score/ArrScore.h"

namespace {

// "計測中", shown while the measurement runs.
constexpr const char* kMeasuring = "\x8Cv\x91\xAA\x92\x86";

// The console stands in for the window: the result text goes to stdout (unless JSON is wanted).
// There is no button; its caption is not printed, since the button changes between the clock
// readings, where no terminal output may hold up the measurement.
class ConsoleHost : public MeasureHost {
public:
    explicit ConsoleHost(bool json) : m_json(json) {}

    void SetButton(const CString&, bool) override {}
    void ShowResult(const CString& text, const CString&) override {
        if (!m_json) WriteText(stdout, ToUtf8(text));
    }

private:
    bool m_json;
};

std::string ToJson(const Measurement& m) {
    const nlohmann::json result = {
        {"figure", kiv::Format("%.2f", m.power)},
        {"power", m.power},
        {"row", m.row},
        {"label", ToUtf8(m.label)},
        {"elapsed_ms", m.elapsedMs},
        {"jitter", m.jitter},
    };
    return result.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

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
        ConsoleHost host(options->json);
        WriteText(stderr, ToUtf8(kMeasuring) + "...\n");
        const Measurement measurement = MeasurePower(scores, host);
        if (options->json) WriteText(stdout, ToJson(measurement));
        return 0;
    } catch (const std::exception& e) {
        WriteText(stderr, std::string("kivcli: ") + e.what() + "\n");
        return 1;
    }
}
