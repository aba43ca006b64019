#include <gtest/gtest.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>
#include <cfloat>
#include <chrono>
#include <cmath>
#include <functional>
#include <thread>

#include "engine/number_text.h"
#include "engine/search.h"
#include "recording_sink.h"

using namespace quillmere;

namespace {

using Change = std::function<void(Design&)>;

struct Outcome {
    std::int64_t accepted, analysed;
    int pass;
    std::size_t solutions;
};

Outcome run(const Change& change) {
    EngineRun state;
    change(state);
    RecordingSink sink(state.counters);
    EXPECT_EQ(state.run(sink), SearchEnd::Finished);
    return {state.acceptedCount, state.analysedCount, state.passNumber, state.solutions.size()};
}

std::vector<std::string> solution(const EngineRun& state, std::size_t k) {
    const auto texts = solutionTexts(state.solutions.at(k));
    return {texts.begin(), texts.end()};
}

void allWires(WireSet& set) {
    for (int i = 0; i < WireCatalogue::kSize; ++i) set[static_cast<std::size_t>(i)] = WireCatalogue::value(i);
}

TEST(Search, DefaultsGiveTheWorkedSolution) {
    EngineRun state;
    RecordingSink sink(state.counters);
    ASSERT_EQ(state.run(sink), SearchEnd::Finished);
    EXPECT_EQ(state.acceptedCount, 45);
    EXPECT_EQ(state.analysedCount, 1984500);
    EXPECT_EQ(state.passNumber, 1);
    ASSERT_EQ(state.solutions.size(), 10u);
    EXPECT_EQ(solution(state, 0),
              (std::vector<std::string>{"1.",        "19.68691",  "131",       "48",      "No",       "27",
                                        "0.23*1",    "0.3*1",     "0.12*1",    "1300",    "49",       "2620",
                                        "Skipped",   "42",        "0.5119878", "1.32",    "9.962223", "64.68",
                                        "0.9724383", "0.9962523", "0",         "0.395688"}));
    EXPECT_EQ(solution(state, 9)[0], "10.");
    // Scores fall strictly from row to row.
    for (std::size_t k = 1; k < 10; ++k) {
        EXPECT_LT(state.solutions[k].numbers.score, state.solutions[k - 1].numbers.score);
    }
}

TEST(Search, OutcomesOfWholeRuns) {
    const struct {
        const char* what;
        Change change;
        Outcome expected;
    } cases[] = {
        {"no fit: every plain pass runs", [](Design& s) { s.inputs.slotWidth = 2; }, {0, 0, 20, 0}},
        {"no fit: every sandwich pass runs",
         [](Design& s) {
             s.inputs.slotWidth = 2;
             s.rules.sandwichWinding = 1;
         },
         {0, 0, 10, 0}},
        {"deep search finds one in pass 5",
         [](Design& s) {
             s.rules.frequencySpan = 0;
             s.rules.peakFluxSpan = 0;
         },
         {1, 13500, 5, 1}},
        {"no solutions shown", [](Design& s) { s.rules.maxSolutions = 0; }, {45, 1984500, 1, 0}},
        {"three solutions shown", [](Design& s) { s.rules.maxSolutions = 3; }, {45, 1984500, 1, 3}},
        {"negative span runs nothing", [](Design& s) { s.rules.peakFluxSpan = -20; }, {0, 0, 20, 0}},
        {"output duty 0", [](Design& s) { s.rules.outputDuty = 0; }, {0, 0, 20, 0}},
        {"output voltage 0", [](Design& s) { s.inputs.outputVoltage = 0; }, {0, 0, 20, 0}},
        {"CV: on-duty plus idle over 100 %",
         [](Design& s) {
             s.rules.ccMode = false;
             s.rules.idleRatio = 60;
         },
         {0, 0, 20, 0}},
        {"negative feedback voltage", [](Design& s) { s.inputs.feedbackVoltage = -13; }, {0, 0, 20, 0}},
        {"zero strands", [](Design& s) { s.rules.primaryStrands = 0; }, {0, 0, 20, 0}},
        {"zero strands in a sandwich",
         [](Design& s) {
             s.rules.secondaryStrands = 0;
             s.rules.sandwichWinding = 1;
         },
         {0, 0, 10, 0}},
        {"slot narrower than one turn", [](Design& s) { s.inputs.slotWidth = 0.2f; }, {0, 0, 20, 0}},
        {"no feedback wire", [](Design& s) { s.inputs.auxWireDiameter = 0; }, {0, 0, 20, 0}},
        {"feedback wire too thick for the skin depth",
         [](Design& s) { s.inputs.auxWireDiameter = 0.8f; },
         {0, 0, 20, 0}},
    };
    for (const auto& c : cases) {
        const Outcome o = run(c.change);
        EXPECT_EQ(o.accepted, c.expected.accepted) << c.what;
        EXPECT_EQ(o.analysed, c.expected.analysed) << c.what;
        EXPECT_EQ(o.pass, c.expected.pass) << c.what;
        EXPECT_EQ(o.solutions, c.expected.solutions) << c.what;
    }
}

// Single texts of whole runs where a float subexpression or conversion would slip a digit.
TEST(Search, RecordTextsAreExact) {
    const struct {
        const char* what;
        Change change;
        std::size_t solution, column;
        const char* text;
    } cases[] = {
        {"a grid frequency beyond float precision",
         [](Design& s) {
             s.rules.frequency = 44098948;
             s.rules.peakFlux = 20;
             s.rules.peakFluxSpan = 20;
             s.rules.skinEffect = 0;
             s.rules.maxSolutions = 6;
             s.inputs.coreAe = 0.0047151586f;
             s.inputs.outputCurrent = 4.7474742e-7f;
         },
         0, 10, "4.409895e+007"},
        {"a negative on-duty span runs the truncated start",
         [](Design& s) {
             s.rules.onDuty = 45.3f;
             s.rules.onDutySpan = -0.2f;
         },
         0, 13, "45"},
    };
    for (const auto& c : cases) {
        EngineRun state;
        c.change(state);
        RecordingSink sink(state.counters);
        EXPECT_EQ(state.run(sink), SearchEnd::Finished) << c.what;
        if (state.solutions.size() < c.solution + 1) {
            ADD_FAILURE() << c.what << ": too few solutions";
            continue;
        }
        EXPECT_EQ(solution(state, c.solution)[c.column], c.text) << c.what;
    }
}

TEST(Search, CvModeWritesTheWorkingFrequency) {
    EngineRun state;
    state.rules.ccMode = false;
    state.rules.frequency = 60;
    RecordingSink sink(state.counters);
    ASSERT_EQ(state.run(sink), SearchEnd::Finished);
    ASSERT_FALSE(state.solutions.empty());
    for (const Solution& s : state.solutions) EXPECT_EQ(s.numbers.frequency, 60);
}

// The posts of a small run, in order: start-up, the counter every 100 candidates, the progress
// when the whole percentage moves, one per stored candidate, the deep-search passes, the end.
TEST(Search, NotificationSequenceOfASmallGrid) {
    EngineRun state;
    state.rules.frequencySpan = 0;
    state.rules.peakFluxSpan = 0;
    RecordingSink sink(state.counters);
    ASSERT_EQ(state.run(sink), SearchEnd::Finished);
    EXPECT_EQ(sink.statusTexts(), (std::vector<std::string>{"读取用户参数......", "执行分析线程......"}));

    const auto posts = sink.posts();
    ASSERT_GE(posts.size(), 4u);
    EXPECT_EQ(posts[0].what, Notification::AnalysisStatus);
    EXPECT_EQ(posts[0].phase, 0);
    EXPECT_EQ(posts[1].what, Notification::AnalysisProgress);
    EXPECT_EQ(posts[1].percent, -1);
    EXPECT_EQ(posts.back().what, Notification::AnalysisDone);
    EXPECT_EQ(posts[posts.size() - 2].phase, 2);

    int pass = 1;
    std::int64_t lastCounter = 0;
    int lastPercent = 0;
    int counterPosts = 0;
    int acceptPosts = 0;
    std::vector<int> widened;
    for (std::size_t k = 2; k + 2 < posts.size(); ++k) {
        const auto& p = posts[k];
        if (p.what == Notification::AnalysisProgress) {
            EXPECT_GT(p.percent, lastPercent);
            EXPECT_LE(p.percent, 100);
            lastPercent = p.percent;
        } else if (p.phase == 1 && p.pass != pass) {
            widened.push_back(p.pass);
            pass = p.pass;
            lastCounter = 0;
            lastPercent = 0;
        } else if (p.analysed % 3 == 0) {  // a stored candidate, after its three counts
            EXPECT_EQ(p.accepted, 1);
            ++acceptPosts;
        } else {
            // 4500 candidates a pass: the counter posts at 100, 400, ..., 13300.
            EXPECT_EQ(p.analysed, lastCounter == 0 ? 100 : lastCounter + 300);
            lastCounter = p.analysed;
            ++counterPosts;
        }
    }
    EXPECT_EQ(widened, (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(counterPosts, 5 * 45);
    EXPECT_EQ(acceptPosts, 1);
    EXPECT_EQ(lastPercent, 100);
}

TEST(Search, SandwichSplitsKeepTheirRules) {
    EngineRun state;
    state.rules.sandwichWinding = 1;
    state.rules.sandwichWireChange = true;
    state.rules.maxSolutions = 1000;
    RecordingSink sink(state.counters);
    ASSERT_EQ(state.run(sink), SearchEnd::Finished);
    const std::size_t count = state.solutions.size();
    ASSERT_GT(count, 100u);
    for (std::size_t k = 0; k < count; ++k) {
        const CandidateRecord& r = state.solutions[k].numbers;
        const double np1 = r.primaryTurns;
        const double np2 = r.secondHalfTurns;
        EXPECT_GE(np2, 1);
        EXPECT_GE(np1, std::trunc((np1 + np2) * 0.4)) << k;
        ASSERT_TRUE(r.sandwich);
        EXPECT_TRUE(r.secondHalfWire == 0.2f || r.secondHalfWire == 0.21f || r.secondHalfWire == 0.23f)
            << r.secondHalfWire;
        EXPECT_EQ(r.primaryStrands, 1);
        // f1 and f2 lie in their windows after folding; f3 as well, or it fills 80 % of its only layer.
        for (std::size_t fill : {0u, 1u}) EXPECT_GE(r.fills[fill], 0.9 - 1e-6) << k;
        EXPECT_NEAR(r.score, 10 * r.fills[1] + r.fills[2], 1e-5);
    }
}

// The entrances refuse a first-winding share outside 0 to 100 %; given one directly, the search
// starts its splits at 0 turns, never below (once it stored Np_1 = -1289869 and took hours).
TEST(Search, NegativeFirstWindingShareSplitsFromZeroTurns) {
    Design zero;
    zero.rules.sandwichWinding = 1;
    zero.rules.maxSolutions = 50;
    zero.rules.firstWindingMinShare = 0;
    const AnalysisResult reference = analyseNow(zero);
    ASSERT_FALSE(reference.solutions.empty());
    for (const float share : {-1e6f, -3e10f, -FLT_MAX}) {
        Design design = zero;
        design.rules.firstWindingMinShare = share;
        const auto start = std::chrono::steady_clock::now();
        const AnalysisResult result = analyseNow(design);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20)) << share;
        EXPECT_EQ(result.solutions, reference.solutions) << share;
        EXPECT_EQ(result.acceptedCount, reference.acceptedCount) << share;
        for (const Solution& s : result.solutions) EXPECT_GE(s.numbers.primaryTurns, 0) << share;
    }
}

TEST(Search, StopRequestEndsAHeavySearchQuickly) {
    EngineRun state;
    allWires(state.rules.primaryWires);
    allWires(state.rules.secondaryWires);
    state.rules.sandwichWinding = 1;
    state.rules.sandwichWireChange = true;
    state.rules.onDutySpan = 20;
    RecordingSink sink(state.counters);
    SearchEnd end = SearchEnd::Finished;
    std::jthread worker([&](std::stop_token stop) { end = state.run(sink, Pacing::interactive(), stop); });
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));  // past the start-up pauses, into the grid
    const auto asked = std::chrono::steady_clock::now();
    worker.request_stop();
    worker.join();
    const auto took = std::chrono::steady_clock::now() - asked;
    EXPECT_EQ(end, SearchEnd::Stopped);
    EXPECT_LT(took, std::chrono::milliseconds(500));
    EXPECT_TRUE(state.solutions.empty());
    const auto posts = sink.posts();
    EXPECT_TRUE(std::none_of(posts.begin(), posts.end(),
                             [](const auto& p) { return p.what == Notification::AnalysisDone; }));
}

// Bytes the heap hands out now; 0 where the C library does not say.
std::size_t heapInUse() {
#ifdef __GLIBC__
    const auto info = mallinfo2();
    return info.uordblks + info.hblkhd;  // large blocks are mapped apart from the arena
#else
    return 0;
#endif
}

/// Asks the worker to stop at its first stored candidate and notes what follows.
class StopAtFirstStore : public NotificationSink {
public:
    explicit StopAtFirstStore(const SearchCounters& counters) : counters_(counters) {}

    void post(Notification what) override {
        if (what != Notification::AnalysisStatus || counters_.acceptedCount == 0) return;
        if (!stop_.stop_requested()) {
            heapAtFirstStore = heapInUse();
            firstStored = counters_.acceptedCount;
            stop_.request_stop();
        }
        lastStored = counters_.acceptedCount;
    }
    void setStatusText(std::string_view) override {}
    void analysisDone(AnalysisResult) override {}
    std::stop_token token() const { return stop_.get_token(); }

    std::size_t heapAtFirstStore = 0;
    std::int64_t firstStored = 0;
    std::int64_t lastStored = 0;

private:
    const SearchCounters& counters_;
    std::stop_source stop_;
};

// Primaries with millions of possible sandwich splits: the splits are not all held at
// once, and the split loop heeds a stop like the others.
TEST(Search, HugeSandwichSplitsStayBoundedAndStop) {
    const struct {
        const char* what;
        Change change;
    } cases[] = {
        {"a primary of 5·10^7 turns", [](Design& s) { s.inputs.coreAe = 5e-5f; }},
        {"a negative first-winding share", [](Design& s) { s.rules.firstWindingMinShare = -5e6f; }},
    };
    for (const auto& c : cases) {
        EngineRun state;
        state.rules.sandwichWinding = 1;
        state.inputs.slotDepth = 1e30f;
        c.change(state);
        StopAtFirstStore sink(state.counters);
        const std::size_t heapBefore = heapInUse();
        EXPECT_EQ(state.run(sink, Pacing::none(), sink.token()), SearchEnd::Stopped) << c.what;
        EXPECT_GT(sink.firstStored, 0) << c.what;
        EXPECT_LT(sink.heapAtFirstStore, heapBefore + (16 << 20)) << c.what;
        EXPECT_LT(sink.lastStored - sink.firstStored, 10000) << c.what;
    }
}

TEST(Search, StopRequestCutsTheStartUpPauseShort) {
    EngineRun state;
    RecordingSink sink(state.counters);
    std::jthread worker([&](std::stop_token stop) { state.run(sink, Pacing::interactive(), stop); });
    const auto asked = std::chrono::steady_clock::now();
    worker.request_stop();
    worker.join();
    EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::milliseconds(300));
}

}  // namespace
