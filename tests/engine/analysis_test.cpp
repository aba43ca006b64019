#include <gtest/gtest.h>

#include <functional>

#include "engine/analysis.h"
#include "recording_sink.h"

namespace {

struct Refusal {
    const char* what;
    std::function<void(Design&)> change;
    AnalyseRefusal expected;
};

TEST(Analyse, ChecksBeforeTheWorkerStarts) {
    const Refusal cases[] = {
        {"7.59 W with ----", [](Design& s) { s.controllerChoice = static_cast<int>(Controller::None); },
         AnalyseRefusal::PowerLimit},
        {"6 W with ----",
         [](Design& s) {
             s.controllerChoice = static_cast<int>(Controller::None);
             s.inputs.outputVoltage = 12;
             s.inputs.outputCurrent = 0.5f;
         },
         AnalyseRefusal::None},
        {"6.01 W with ----",
         [](Design& s) {
             s.controllerChoice = static_cast<int>(Controller::None);
             s.inputs.outputVoltage = 12.02f;
             s.inputs.outputCurrent = 0.5f;
         },
         AnalyseRefusal::PowerLimit},
        {"7.59 W with another controller", [](Design&) {}, AnalyseRefusal::None},
        {"flux beyond the loop", [](Design& s) { s.rules.peakFlux = 3e9f; }, AnalyseRefusal::RulesOutOfRange},
        {"duty span beyond the loop", [](Design& s) { s.rules.onDutySpan = 1e10f; },
         AnalyseRefusal::RulesOutOfRange},
        {"bus voltage beyond the loop", [](Design& s) { s.inputs.minRectifiedVdc = -3e9f; },
         AnalyseRefusal::RulesOutOfRange},
    };
    for (const auto& c : cases) {
        Design design;
        c.change(design);
        AnalysisWorker worker;
        RecordingSink sink(worker.counters());
        EXPECT_EQ(worker.start(design, sink, Pacing::none()), c.expected) << c.what;
        EXPECT_EQ(worker.held(), c.expected == AnalyseRefusal::None) << c.what;
        worker.stop();
    }
    EXPECT_EQ(refusalMessage(AnalyseRefusal::PowerLimit), "功率超过IC最大输出!");
    EXPECT_EQ(refusalMessage(AnalyseRefusal::WorkerRunning), "已经有一个线程在分析中!请等待分析完成!");
    EXPECT_EQ(refusalMessage(AnalyseRefusal::RulesOutOfRange), "规则参数超出范围,请检查!");
}

TEST(Analyse, OneWorkerAtATimeAndNothingClearedUnderIt) {
    const Design design;
    AnalysisWorker worker;
    RecordingSink sink(worker.counters());
    EXPECT_EQ(worker.start(design, sink, Pacing::interactive()), AnalyseRefusal::None);
    worker.counters().acceptedCount = 7;  // as if the worker had stored candidates
    EXPECT_EQ(worker.start(design, sink, Pacing::none()), AnalyseRefusal::WorkerRunning);
    EXPECT_EQ(worker.counters().acceptedCount, 7);
    worker.stop();
    EXPECT_FALSE(worker.held());
    EXPECT_FALSE(sink.result().has_value()) << "a stopped worker hands nothing over";
}

TEST(Analyse, HandsItsResultOverAtTheEnd) {
    const Design design;
    AnalysisWorker worker;
    RecordingSink sink(worker.counters());
    ASSERT_EQ(worker.start(design, sink, Pacing::none()), AnalyseRefusal::None);
    worker.release();
    EXPECT_FALSE(worker.held());
    EXPECT_EQ(sink.posts().back().what, Notification::AnalysisDone);
    const auto result = sink.result();
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->acceptedCount, 45);
    EXPECT_EQ(result->analysedCount, 1984500);
    EXPECT_EQ(result->passNumber, 1);
    EXPECT_EQ(result->solutions.size(), 10u);
}

}  // namespace
