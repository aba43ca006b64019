#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "engine/analysis.h"
#include "recording_sink.h"

using namespace quillmere;

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
    EXPECT_EQ(worker.start(design, sink, Pacing::none()), AnalyseRefusal::WorkerRunning);
    worker.stop();
    EXPECT_FALSE(worker.held());
    EXPECT_FALSE(sink.result().has_value()) << "a stopped worker hands nothing over";

    // Finished but not released, it still counts as running, and its counts stand.
    ASSERT_EQ(worker.start(design, sink, Pacing::none()), AnalyseRefusal::None);
    while (!sink.result()) std::this_thread::yield();
    EXPECT_EQ(worker.start(design, sink, Pacing::none()), AnalyseRefusal::WorkerRunning);
    EXPECT_TRUE(worker.held());
    EXPECT_EQ(worker.counters().acceptedCount, 45);
    EXPECT_EQ(worker.counters().analysedCount, 1984500);
    worker.release();
}

// Nothing of the last analysis may show in the next: the form reads the counts on every notice.
TEST(Analyse, StartResetsTheCountsOfTheLastAnalysis) {
    Design powerLimited;
    powerLimited.controllerChoice = static_cast<int>(Controller::None);
    const struct {
        const char* what;
        Design design;
        AnalyseRefusal expected;
        bool phaseChanged;  ///< the start announces its first phase
    } cases[] = {
        {"a start", Design{}, AnalyseRefusal::None, true},
        {"a start refused by the checks", powerLimited, AnalyseRefusal::PowerLimit, false},
    };
    for (const auto& c : cases) {
        AnalysisWorker worker;
        RecordingSink sink(worker.counters());
        ASSERT_EQ(worker.start(Design{}, sink, Pacing::none()), AnalyseRefusal::None);
        worker.release();
        const SearchCounters& counters = worker.counters();
        ASSERT_GT(counters.analysedCount, 0);
        ASSERT_GT(counters.acceptedCount, 0);
        ASSERT_EQ(counters.progressPercent, 100);
        ASSERT_EQ(counters.passNumber, 1);
        ASSERT_EQ(counters.searchPhase, static_cast<int>(SearchPhase::Extracting));
        ASSERT_TRUE(worker.takePhaseChange());
        ASSERT_FALSE(worker.takePhaseChange()) << "taken once";
        const std::size_t before = sink.posts().size();

        ASSERT_EQ(worker.start(c.design, sink, Pacing::interactive()), c.expected) << c.what;

        // Read as the first handler reads them: the start's own notice comes before its thread.
        RecordingSink::Post read{Notification::AnalysisStatus, counters.analysedCount, counters.acceptedCount,
                                 counters.progressPercent,     counters.searchPhase,   counters.phaseChanged,
                                 counters.passNumber};
        if (c.expected == AnalyseRefusal::None) {
            ASSERT_GT(sink.posts().size(), before) << c.what;
            read = sink.posts()[before];
        }
        EXPECT_EQ(read.analysed, 0) << c.what;
        EXPECT_EQ(read.accepted, 0) << c.what;
        EXPECT_EQ(read.percent, 0) << c.what;
        EXPECT_EQ(read.pass, 0) << c.what;
        EXPECT_EQ(read.phase, static_cast<int>(SearchPhase::Searching)) << c.what;
        EXPECT_EQ(read.phaseChanged, c.phaseChanged) << c.what;
        worker.stop();
    }
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
