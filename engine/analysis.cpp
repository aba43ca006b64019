#include "engine/analysis.h"

#include "engine/core_search.h"

#include "engine/grid.h"
#include "engine/search.h"

namespace quillmere {

std::string_view refusalMessage(AnalyseRefusal refusal) {
    switch (refusal) {
        case AnalyseRefusal::None:
            return {};
        case AnalyseRefusal::WorkerRunning:
            return "已经有一个线程在分析中!请等待分析完成!";
        case AnalyseRefusal::PowerLimit:
            return "功率超过IC最大输出!";
        case AnalyseRefusal::RulesOutOfRange:
            return "规则参数超出范围,请检查!";
    }
    return {};
}

AnalyseRefusal checkDesign(const Design& design) {
    const auto power =
        static_cast<float>(static_cast<double>(design.inputs.outputVoltage) * design.inputs.outputCurrent);
    if (power > 6.0 && design.controllerChoice == static_cast<int>(Controller::None))
        return AnalyseRefusal::PowerLimit;
    if (!searchGrid(SearchSetup::from(design))) return AnalyseRefusal::RulesOutOfRange;
    return AnalyseRefusal::None;
}

AnalyseRefusal AnalysisWorker::start(const Design& design, NotificationSink& sink, const Pacing& pacing) {
    return start(design, {}, sink, pacing);
}

AnalyseRefusal AnalysisWorker::start(const Design& design, std::vector<CoreContext> cores,
                                     NotificationSink& sink, const Pacing& pacing) {
    if (held()) return AnalyseRefusal::WorkerRunning;
    counters_.reset();
    if (const AnalyseRefusal refusal = checkDesign(design); refusal != AnalyseRefusal::None) return refusal;

    counters_.phaseChanged = true;
    sink.post(Notification::AnalysisStatus);
    // Both start notices go out before the thread exists: a quick worker's "done" must be the last word.
    sink.post(Notification::AnalysisStatus);
    // No cores: the custom design's own search, exactly as runAnalysis makes it.
    thread_ = std::jthread([this, setup = SearchSetup::from(design), cores = std::move(cores), &sink,
                            pacing](std::stop_token stop) {
        if (auto result = runCoreSearch(setup, cores, counters_, sink, pacing, stop))
            sink.analysisDone(std::move(*result));
    });
    return AnalyseRefusal::None;
}

void AnalysisWorker::release() {
    if (thread_.joinable()) thread_.join();
    thread_ = std::jthread();
}

void AnalysisWorker::stop() {
    if (!thread_.joinable()) return;
    thread_.request_stop();
    thread_.join();
    thread_ = std::jthread();
}

}  // namespace quillmere
