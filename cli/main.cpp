// quillmere-cli: one analysis without a window, for scripts and comparisons.
#include <unistd.h>

#include <condition_variable>
#include <cstdio>
#include <iostream>
#include <mutex>

#include "cli/cli_options.h"
#include "cli/report.h"
#include "engine/analysis.h"
#include "engine/number_text.h"

namespace {

/// Waits for the end of the analysis; draws a progress line on a terminal.
class ConsoleSink : public NotificationSink {
public:
    ConsoleSink(const DesignState& state, bool showProgress) : state_(state), showProgress_(showProgress) {}

    void post(Notification notification) override {
        if (notification == Notification::AnalysisDone) {
            std::lock_guard lock(mutex_);
            done_ = true;
            finished_.notify_all();
            return;
        }
        if (showProgress_ && notification == Notification::AnalysisProgress) {
            std::fprintf(stderr, "\r分析中 %3d%%  第 %d 轮", state_.progressPercent.load(),
                         state_.passNumber.load());
            std::fflush(stderr);
        }
    }
    void setStatusText(std::string_view) override {}

    void waitUntilDone() {
        std::unique_lock lock(mutex_);
        finished_.wait(lock, [this] { return done_; });
        if (showProgress_) std::fputs("\r\033[K", stderr);
    }

private:
    const DesignState& state_;
    const bool showProgress_;
    std::mutex mutex_;
    std::condition_variable finished_;
    bool done_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    DesignState state;
    CliOptions options;
    std::string error;
    if (!parseCommandLine({argv + 1, argv + argc}, state, options, error)) {
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

    ConsoleSink sink(state, isatty(STDERR_FILENO) != 0);
    const AnalyseStart start = startAnalysis(state, sink, Pacing::none());
    if (start.refusal != AnalyseRefusal::None) {
        std::cerr << refusalMessage(start.refusal) << "\n";
        return 3;
    }
    sink.waitUntilDone();
    releaseWorker(state);
    state.analysisBusy = false;
    std::cout << (options.json ? resultJson(state) + "\n" : resultTable(state));
    return 0;
}
