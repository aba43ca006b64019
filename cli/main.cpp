// quillmere-cli: one analysis without a window, for scripts and comparisons.
#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <stop_token>
#include <string_view>
#include <system_error>
#include <thread>

#include "cli/cli_options.h"
#include "cli/cli_texts.h"
#include "cli/report.h"
#include "engine/analysis.h"
#include "engine/atomic_file.h"
#include "engine/core_search.h"
#include "engine/core_selection.h"
#include "engine/design_file.h"
#include "engine/grid.h"
#include "engine/result_format.h"
#include "engine/search.h"
#include "engine/system_error_text.h"
#include "engine/version.h"

using namespace quillmere;

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
            // Before the first pass the percentage is -1: nothing done yet.
            std::fprintf(stderr, progressFormat_.data(), std::clamp(counters_.progressPercent.load(), 0, 100),
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

/// Turns Ctrl+C into a stop request for the search: SIGINT is blocked in every thread but one of
/// its own that waits for it, so the search stops at its next look at the request.
class InterruptWatch {
public:
    InterruptWatch() {
        sigemptyset(&signals_);
        sigaddset(&signals_, SIGINT);
        sigaddset(&signals_, kDone);
        pthread_sigmask(SIG_BLOCK, &signals_, nullptr);
        thread_ = std::thread([this] {
            int signal = 0;
            while (sigwait(&signals_, &signal) == 0) {
                if (signal == SIGINT) {
                    interrupted_ = true;
                    stop_.request_stop();
                }
                return;
            }
        });
    }
    ~InterruptWatch() {
        pthread_kill(thread_.native_handle(), kDone);
        thread_.join();
    }
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

    std::stop_token token() const { return stop_.get_token(); }
    bool interrupted() const { return interrupted_; }

private:
    static constexpr int kDone = SIGUSR1;  // ends the waiting thread
    sigset_t signals_{};
    std::stop_source stop_;
    std::atomic<bool> interrupted_{false};
    std::thread thread_;
};

// Writes all of `text` to the standard output and flushes it; the errno of a failure, else 0.
int writeOut(std::string_view text) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0)
        return errno != 0 ? errno : EIO;
    return 0;
}

// What a failed write to the standard output says, in `language`; the status 1.
int outputFailed(Language language, int error) {
    std::cerr << "quillmere-cli: " << cliText(language, "无法写入标准输出：")
              << systemErrorText(language, std::error_code(error, std::generic_category())) << "\n";
    return 1;
}

std::string wholeNumber(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", value);
    return text;
}

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
    if (options.help || options.version) {
        const std::string text =
            options.help ? usageText(chosenLanguage(options)) : std::string("quillmere-cli 1.4\n");
        if (const int e = writeOut(text)) return outputFailed(chosenLanguage(options), e);
        return 0;
    }

    const Language language = chosenLanguage(options);
    const CatalogueLoad catalogue = loadCliCatalogue(options.cores);
    for (const CatalogueMessage& message : catalogue.messages)
        std::cerr << "quillmere-cli: " << message.text() << "\n";
    // A file asked for by name must be read; the user's own files only warn.
    for (const auto& file : options.cores.catalogues)
        if (std::ranges::find(catalogue.refusedFiles, file.string()) != catalogue.refusedFiles.end())
            return 2;
    if (options.cores.listCores || options.cores.listMaterials) {
        std::string text;
        if (options.cores.listCores) text += coreListText(catalogue.catalogue, options.format, language);
        if (options.cores.listMaterials)
            text += materialListText(catalogue.catalogue, options.format, language);
        if (const int e = writeOut(text)) return outputFailed(language, e);
        return 0;
    }
    if (!applyCoreOptions(design, options.cores, catalogue.catalogue, language, error)) {
        std::cerr << "quillmere-cli: " << error << "\n";
        return 2;
    }
    const CoreSetResolution searched = searchedCores(design, catalogue.catalogue);
    if (!searched) {
        // A design file naming a core this catalogue lacks.
        std::cerr << "quillmere-cli: " << unknownNameText(language, searched.failure) << "\n";
        return 2;
    }
    if (!options.saveDesign.empty()) {
        if (const auto failure = writeFileAtomically(options.saveDesign, designFileText(design))) {
            std::cerr << "quillmere-cli: " << *failure << "\n";
            return 1;
        }
        return 0;
    }
    if (const AnalyseRefusal refusal = checkDesign(design); refusal != AnalyseRefusal::None) {
        std::cerr << cliText(language, refusalMessage(refusal)) << "\n";
        return 3;
    }
    if (const std::optional<double> candidates = largeGridCandidates(SearchSetup::from(design))) {
        // Said and gone on with: a script may mean it, a person sees why it takes long.
        std::fprintf(stderr, cliText(language, "搜索网格很大：每轮 %s 个候选。按 Ctrl+C 可停止。\n").data(),
                     wholeNumber(*candidates).c_str());
    }
    SearchCounters counters;
    std::optional<AnalysisResult> result;
    bool interrupted = false;
    {
        InterruptWatch interrupt;
        ConsoleSink sink(counters, isatty(STDERR_FILENO) != 0, language);
        result = runCoreSearch(SearchSetup::from(design), searched.cores, counters, sink, Pacing::none(),
                               interrupt.token());
        interrupted = interrupt.interrupted();
    }
    if (interrupted) {
        std::cerr << "quillmere-cli: " << cliText(language, "已中断，没有输出。") << "\n";
        return 130;
    }
    if (!result) return 3;  // cannot happen without a stop request
    const ResultFormatInfo& format = resultFormatInfo(options.format);
    const std::string text = format.write ? format.write(*result) : resultTable(*result, language);
    if (const int e = writeOut(text)) return outputFailed(language, e);
    return 0;
}
