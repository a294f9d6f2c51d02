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

// The console stands in for the window: the button's state goes to stderr as a progress note,
// the result text to stdout (unless JSON is wanted).
class ConsoleHost : public MeasureHost {
public:
    explicit ConsoleHost(bool json) : m_json(json) {}

    void SetButton(const CString& caption, bool enabled) override {
        if (!enabled) WriteText(stderr, ToUtf8(caption) + "...\n");
    }
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
        const Measurement measurement = MeasurePower(scores, host);
        if (options->json) WriteText(stdout, ToJson(measurement));
        return 0;
    } catch (const std::exception& e) {
        WriteText(stderr, std::string("kivcli: ") + e.what() + "\n");
        return 1;
    }
}
