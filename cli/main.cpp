// quillmere-cli: one analysis without a window, for scripts and comparisons.
#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "cli/cli_options.h"
#include "cli/report.h"
#include "engine/analysis.h"
#include "engine/atomic_file.h"
#include "engine/design_file.h"
#include "engine/result_export.h"
#include "engine/search.h"

namespace {

/// Draws a progress line on a terminal while the analysis runs on this thread.
class ConsoleSink : public NotificationSink {
public:
    ConsoleSink(const SearchCounters& counters, bool showProgress)
        : counters_(counters), showProgress_(showProgress) {}
    ~ConsoleSink() override {
        if (showProgress_) std::fputs("\r\033[K", stderr);
    }

    void post(Notification notification) override {
        if (showProgress_ && notification == Notification::AnalysisProgress) {
            std::fprintf(stderr, "\r分析中 %3d%%  第 %d 轮", counters_.progressPercent.load(),
                         counters_.passNumber.load());
            std::fflush(stderr);
        }
    }
    void setStatusText(std::string_view) override {}
    void analysisDone(AnalysisResult) override {}

private:
    const SearchCounters& counters_;
    const bool showProgress_;
};

}  // namespace

int main(int argc, char** argv) {
    Design design;
    CliOptions options;
    std::string error;
    if (!parseCommandLine({argv + 1, argv + argc}, design, options, error)) {
        std::cerr << "quillmere-cli: " << error << "\n";
        return 2;
    }
    if (options.help) {
        std::cout << usageText();
        return 0;
    }
    if (options.version) {
        std::cout << "quillmere-cli 1.4\n";
        return 0;
    }

    if (!options.saveDesign.empty()) {
        if (const auto failure = writeFileAtomically(options.saveDesign, designFileText(design))) {
            std::cerr << "quillmere-cli: " << *failure << "\n";
            return 1;
        }
        return 0;
    }

    if (const AnalyseRefusal refusal = checkDesign(design); refusal != AnalyseRefusal::None) {
        std::cerr << refusalMessage(refusal) << "\n";
        return 3;
    }
    SearchCounters counters;
    std::optional<AnalysisResult> result;
    {
        ConsoleSink sink(counters, isatty(STDERR_FILENO) != 0);
        result = runAnalysis(SearchSetup::from(design), counters, sink, Pacing::none(), {});
    }
    if (!result) return 3;  // cannot happen without a stop request
    switch (options.format) {
        case OutputFormat::Table:
            std::cout << resultTable(*result);
            break;
        case OutputFormat::Json:
            std::cout << resultJson(*result) << "\n";
            break;
        case OutputFormat::Csv:
            std::cout << resultCsv(*result);
            break;
    }
    return 0;
}
