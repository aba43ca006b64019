// quillmere-cli: one analysis without a window, for scripts and comparisons.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "cli/cli_options.h"
#include "cli/cli_texts.h"
#include "cli/report.h"
#include "engine/analysis.h"
#include "engine/atomic_file.h"
#include "engine/design_file.h"
#include "engine/result_format.h"
#include "engine/search.h"

namespace {

/// Draws a progress line on a terminal while the analysis runs on this thread.
class ConsoleSink : public NotificationSink {
public:
    ConsoleSink(const SearchCounters& counters, bool showProgress, Language language)
        : counters_(counters),
          showProgress_(showProgress),
          progressFormat_(cliText(language, "分析中 %3d%%  第 %d 轮")) {}
    ~ConsoleSink() override {
        if (showProgress_) std::fputs("\r\033[K", stderr);
    }

    void post(Notification notification) override {
        if (showProgress_ && notification == Notification::AnalysisProgress) {
            std::fputc('\r', stderr);
            // A literal of the text table, ending in a zero, with the source's conversions.
            std::fprintf(stderr, progressFormat_.data(), counters_.progressPercent.load(),
                         counters_.passNumber.load());
            std::fflush(stderr);
        }
    }
    void setStatusText(std::string_view) override {}
    void analysisDone(AnalysisResult) override {}

private:
    const SearchCounters& counters_;
    const bool showProgress_;
    const std::string_view progressFormat_;
};

// --lang, else QUILLMERE_LANG, else Chinese; a variable naming no language is reported.
Language chosenLanguage(const CliOptions& options) {
    if (options.language) return *options.language;
    const char* variable = std::getenv(kLanguageVariable);
    if (const auto language = languageFromEnvironment(variable)) return *language;
    std::cerr << "quillmere-cli: " << kLanguageVariable << "=" << variable
              << " names no language (en or zh); writing Chinese\n";
    return Language::Chinese;
}

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

    const Language language = chosenLanguage(options);
    if (const AnalyseRefusal refusal = checkDesign(design); refusal != AnalyseRefusal::None) {
        std::cerr << cliText(language, refusalMessage(refusal)) << "\n";
        return 3;
    }
    SearchCounters counters;
    std::optional<AnalysisResult> result;  // made while the sink draws
    {
        ConsoleSink sink(counters, isatty(STDERR_FILENO) != 0, language);
        result = analyseNow(design, sink, counters);
    }
    const ResultFormatInfo& format = resultFormatInfo(options.format);
    std::cout << (format.write ? format.write(*result) : resultTable(*result, language));
    return 0;
}
