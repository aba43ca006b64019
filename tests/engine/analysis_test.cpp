#include <gtest/gtest.h>

#include <functional>

#include "engine/analysis.h"
#include "recording_sink.h"

namespace {

struct Refusal {
    const char* what;
    std::function<void(DesignState&)> change;
    AnalyseRefusal expected;
};

TEST(Analyse, ChecksBeforeTheWorkerStarts) {
    const Refusal cases[] = {
        {"7.59 W with ----", [](DesignState& s) { s.controllerChoice = static_cast<int>(Controller::None); },
         AnalyseRefusal::PowerLimit},
        {"6 W with ----",
         [](DesignState& s) {
             s.controllerChoice = static_cast<int>(Controller::None);
             s.inputs.outputVoltage = 12;
             s.inputs.outputCurrent = 0.5f;
         },
         AnalyseRefusal::None},
        {"6.01 W with ----",
         [](DesignState& s) {
             s.controllerChoice = static_cast<int>(Controller::None);
             s.inputs.outputVoltage = 12.02f;
             s.inputs.outputCurrent = 0.5f;
         },
         AnalyseRefusal::PowerLimit},
        {"7.59 W with another controller", [](DesignState&) {}, AnalyseRefusal::None},
        {"flux beyond the loop", [](DesignState& s) { s.rules.peakFlux = 3e9f; },
         AnalyseRefusal::RulesOutOfRange},
        {"duty span beyond the loop", [](DesignState& s) { s.rules.onDutySpan = 1e10f; },
         AnalyseRefusal::RulesOutOfRange},
        {"bus voltage beyond the loop", [](DesignState& s) { s.inputs.minRectifiedVdc = -3e9f; },
         AnalyseRefusal::RulesOutOfRange},
    };
    for (const auto& c : cases) {
        DesignState state;
        c.change(state);
        RecordingSink sink(state);
        const AnalyseStart start = startAnalysis(state, sink, Pacing::none());
        EXPECT_EQ(start.refusal, c.expected) << c.what;
        EXPECT_EQ(state.analysisThread.joinable(), c.expected == AnalyseRefusal::None) << c.what;
        EXPECT_EQ(state.analysisBusy.load(), c.expected == AnalyseRefusal::None) << c.what;
        stopWorker(state);
    }
    EXPECT_EQ(refusalMessage(AnalyseRefusal::PowerLimit), "功率超过IC最大输出!");
    EXPECT_EQ(refusalMessage(AnalyseRefusal::WorkerRunning), "已经有一个线程在分析中!请等待分析完成!");
    EXPECT_EQ(refusalMessage(AnalyseRefusal::RulesOutOfRange), "规则参数超出范围,请检查!");
}

TEST(Analyse, OneWorkerAtATimeAndNothingClearedUnderIt) {
    DesignState state;
    RecordingSink sink(state);
    const AnalyseStart first = startAnalysis(state, sink, Pacing::interactive());
    EXPECT_EQ(first.refusal, AnalyseRefusal::None);
    EXPECT_TRUE(first.firstAnalysis);
    state.acceptedCount = 7;  // as if the worker had stored candidates
    const AnalyseStart second = startAnalysis(state, sink, Pacing::none());
    EXPECT_EQ(second.refusal, AnalyseRefusal::WorkerRunning);
    EXPECT_EQ(state.acceptedCount, 7);
    stopWorker(state);
    EXPECT_FALSE(state.analysisThread.joinable());
}

TEST(Analyse, RunsToTheEndAndReleasesTheWorker) {
    DesignState state;
    RecordingSink sink(state);
    ASSERT_EQ(startAnalysis(state, sink, Pacing::none()).refusal, AnalyseRefusal::None);
    state.analysisThread.join();
    releaseWorker(state);
    EXPECT_EQ(state.acceptedCount, 45);
    EXPECT_EQ(sink.posts().back().what, Notification::AnalysisDone);
    // The progress bar is prepared once per program run.
    EXPECT_FALSE(startAnalysis(state, sink, Pacing::none()).firstAnalysis);
    stopWorker(state);
}

}  // namespace
