#include "engine/analysis.h"

#include "engine/grid.h"
#include "engine/search.h"

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

AnalyseStart startAnalysis(DesignState& state, NotificationSink& sink, const Pacing& pacing) {
    AnalyseStart result;
    if (state.analysisThread.joinable()) {
        result.refusal = AnalyseRefusal::WorkerRunning;
        return result;
    }
    state.acceptedCount = 0;
    state.solutionRecords.clear();

    const auto power =
        static_cast<float>(static_cast<double>(state.inputs.outputVoltage) * state.inputs.outputCurrent);
    if (power > 6.0 && state.controllerChoice == static_cast<int>(Controller::None)) {
        result.refusal = AnalyseRefusal::PowerLimit;
        return result;
    }
    const SearchSetup setup = SearchSetup::from(state);
    if (!searchGrid(setup)) {
        result.refusal = AnalyseRefusal::RulesOutOfRange;
        return result;
    }

    state.analysedCount = 0;
    state.searchPhase = static_cast<int>(SearchPhase::Searching);
    state.phaseChanged = true;
    sink.post(Notification::AnalysisStatus);
    if (!state.progressReady) {
        state.progressPercent = 0;
        state.progressReady = true;
        result.firstAnalysis = true;
    }
    // Written before the worker starts so that they cannot overwrite what it writes.
    state.searchPhase = static_cast<int>(SearchPhase::Searching);
    state.phaseChanged = true;
    state.analysisThread = std::jthread([setup, &state, &sink, pacing](std::stop_token stop) {
        runAnalysis(setup, state, sink, pacing, stop);
    });
    sink.post(Notification::AnalysisStatus);
    state.analysisBusy = true;
    return result;
}

void releaseWorker(DesignState& state) {
    if (state.analysisThread.joinable()) state.analysisThread.join();
    state.analysisThread = std::jthread();
}

void stopWorker(DesignState& state) {
    if (!state.analysisThread.joinable()) return;
    state.analysisThread.request_stop();
    state.analysisThread.join();
    state.analysisThread = std::jthread();
}
