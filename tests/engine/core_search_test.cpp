#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <mutex>
#include <set>
#include <thread>

#include "engine/core_search.h"
#include "engine/core_selection.h"
#include "engine/number_text.h"
#include "engine/search.h"

using namespace quillmere;

namespace {

const CoreCatalogue& catalogue() {
    return CoreCatalogue::builtIn();
}

std::vector<CoreContext> coresNamed(const std::vector<std::string>& names) {
    CoreSetChoice set;
    set.cores = names;
    const CoreSetResolution resolved = resolveCoreSet(set, catalogue());
    EXPECT_TRUE(resolved) << resolved.failure.name;
    return resolved.cores;
}

AnalysisResult searched(const Design& design, const std::vector<CoreContext>& cores) {
    NullSink sink;
    SearchCounters counters;
    auto result = runCoreSearch(SearchSetup::from(design), cores, counters, sink, Pacing::none(), {});
    EXPECT_TRUE(result.has_value());
    return result.value_or(AnalysisResult{});
}

// The reference: every core searched on its own as a custom design with the core's numbers, all
// their solutions sorted together by the score as stored, the first of each score kept (the
// earlier core wins a tie), the limit applied. Written without the ranking store.
std::vector<Solution> unionRanked(const Design& design, const std::vector<CoreContext>& cores) {
    struct Tagged {
        float key;
        std::size_t core;
        CandidateRecord numbers;
    };
    std::vector<Tagged> all;
    for (std::size_t k = 0; k < cores.size(); ++k) {
        Design alone = design;
        alone.inputs = withCore(design.inputs, cores[k]);
        for (const Solution& solution : analyseNow(alone).solutions)
            all.push_back({storedScore(solution.numbers.score), k, solution.numbers});
    }
    std::ranges::stable_sort(all, std::greater<>{}, &Tagged::key);
    std::vector<Solution> ranked;
    std::set<float> seen;
    for (const Tagged& each : all) {
        if (static_cast<int>(ranked.size()) == design.rules.maxSolutions) break;
        if (!(each.key > 0) || !seen.insert(each.key).second) continue;
        ranked.push_back({static_cast<int>(ranked.size()) + 1, each.numbers, each.core, std::nullopt});
    }
    return ranked;
}

struct MergeCase {
    const char* name;
    std::function<void(Design&)> change;
};

class CoreSearchMerge : public testing::TestWithParam<MergeCase> {};

TEST_P(CoreSearchMerge, EqualsTheUnionOfSingleCoreSearchesRankedTogether) {
    Design design;
    GetParam().change(design);
    // Small and large cores, one twice under another spelling, given out of catalogue order.
    const auto cores =
        coresNamed({"ETD 29/16/10", "EP 17", "E 16/7/5", "RM 7/I", "ep17", "EL 18/5.7", "RM 5"});
    ASSERT_EQ(cores.size(), 6u);
    const AnalysisResult result = searched(design, cores);
    // Each catalogue core's solutions keep the figures their own search gave them.
    std::vector<Solution> numbers = result.solutions;
    for (Solution& solution : numbers) {
        EXPECT_TRUE(solution.figures.has_value()) << solution.rank;
        solution.figures.reset();
    }
    EXPECT_EQ(numbers, unionRanked(design, cores));
    EXPECT_EQ(result.cores.size(), cores.size());
    for (const Solution& solution : result.solutions) ASSERT_TRUE(solution.core.has_value());
}

// The reference of a ranking by a figure or by volume: every core searched alone with that
// ranking, all their solutions sorted by the key (stable: the earlier core wins a tie), the
// first of each key kept, the limit applied. Written without the merge's code.
std::vector<Solution> unionRankedBy(const Design& design, const std::vector<CoreContext>& cores) {
    const auto by = static_cast<RankBy>(design.rules.rankBy);
    struct Tagged {
        std::pair<double, double> key;  // lower first
        Solution solution;
    };
    std::vector<Tagged> all;
    for (std::size_t k = 0; k < cores.size(); ++k) {
        for (Solution solution : searched(design, {cores[k]}).solutions) {
            const SolutionLossFigures& f = solution.figures.value();
            const std::pair<double, double> key =
                by == RankBy::loss          ? std::pair{f.coreLossW + f.copperLossW, 0.0}
                : by == RankBy::temperature ? std::pair{f.temperatureRiseK, 0.0}
                                            : std::pair{cores[k].core.ve, -double{solution.numbers.score}};
            solution.core = k;
            all.push_back({key, solution});
        }
    }
    std::ranges::stable_sort(all, std::less<>{}, &Tagged::key);
    std::vector<Solution> ranked;
    for (const Tagged& each : all) {
        if (static_cast<int>(ranked.size()) == design.rules.maxSolutions) break;
        if (!ranked.empty() && all[&each - all.data() - 1].key == each.key) continue;
        ranked.push_back(each.solution);
        ranked.back().rank = static_cast<int>(ranked.size());
    }
    return ranked;
}

TEST(CoreSearch, RankedByAFigureOrTheVolumeEqualsTheUnionRankedTogether) {
    const auto cores = coresNamed({"ETD 29/16/10", "EP 17", "E 16/7/5", "RM 7/I", "EL 18/5.7", "RM 5"});
    for (const RankBy by : {RankBy::loss, RankBy::temperature, RankBy::volume}) {
        for (const int shown : {10, 3}) {
            SCOPED_TRACE(std::to_string(static_cast<int>(by)) + " " + std::to_string(shown));
            Design design;
            design.rules.rankBy = static_cast<int>(by);
            design.rules.maxSolutions = shown;
            const AnalysisResult result = searched(design, cores);
            ASSERT_EQ(result.solutions.size(), static_cast<std::size_t>(shown));
            EXPECT_EQ(result.solutions, unionRankedBy(design, cores));
        }
    }
}

TEST(CoreSearch, RankedByLossTheCoolestOfEveryCoreComesFirst) {
    const auto cores = coresNamed({"E 16/7/5", "EP 17", "RM 7/I", "EL 18/5.7"});
    Design design;
    design.rules.rankBy = static_cast<int>(RankBy::loss);
    const AnalysisResult result = searched(design, cores);
    const auto total = [](const Solution& s) { return s.figures->coreLossW + s.figures->copperLossW; };
    ASSERT_FALSE(result.solutions.empty());
    for (const CoreContext& core : cores) {
        const AnalysisResult alone = searched(design, {core});
        if (!alone.solutions.empty()) {
            EXPECT_LE(total(result.solutions.front()), total(alone.solutions.front()));
        }
    }
    std::int64_t rejected = 0;
    design.rules.maxTotalLoss = static_cast<float>(total(result.solutions.front()) * 1.5);
    for (const CoreContext& core : cores) rejected += searched(design, {core}).limitRejectedCount;
    EXPECT_GT(rejected, 0);
    EXPECT_EQ(searched(design, cores).limitRejectedCount, rejected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CoreSearchMerge,
    testing::Values(MergeCase{"defaults", [](Design&) {}},
                    MergeCase{"threeShown", [](Design& d) { d.rules.maxSolutions = 3; }},
                    MergeCase{"manyShown", [](Design& d) { d.rules.maxSolutions = 500; }},
                    MergeCase{"sandwich", [](Design& d) { d.rules.sandwichWinding = 1; }},
                    MergeCase{"noneShown", [](Design& d) { d.rules.maxSolutions = 0; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CoreSearch, TheSameCoreTwiceTiesToTheFirst) {
    // Two copies of one core find the same scores: every solution belongs to the first copy.
    auto cores = coresNamed({"EP 17"});
    cores.push_back(cores.front());
    cores.back().bobbinIndex = 99;  // told apart only by where they stand
    const AnalysisResult result = searched(Design{}, cores);
    ASSERT_FALSE(result.solutions.empty());
    for (const Solution& solution : result.solutions) EXPECT_EQ(solution.core, 0u);
    const AnalysisResult alone = searched(Design{}, {cores.front()});
    EXPECT_EQ(result.acceptedCount, 2 * alone.acceptedCount);
}

TEST(CoreSearch, NoCoresIsTheCustomSearchAndOneCoreItsNumbers) {
    Design design;
    const AnalysisResult custom = searched(design, {});
    const AnalysisResult plain = analyseNow(design);
    EXPECT_EQ(custom.solutions, plain.solutions);
    EXPECT_EQ(custom.analysedCount, plain.analysedCount);
    EXPECT_TRUE(custom.cores.empty());

    const auto cores = coresNamed({"ETD 29/16/10"});
    const AnalysisResult one = searched(design, cores);
    Design same = design;
    same.inputs = withCore(design.inputs, cores.front());
    AnalysisResult expected = analyseNow(same);
    for (Solution& solution : expected.solutions) solution.core = 0;
    // A catalogue core's solutions carry their loss figures; the rest is the custom search's.
    std::vector<Solution> numbers = one.solutions;
    for (Solution& solution : numbers) {
        EXPECT_TRUE(solution.figures.has_value()) << solution.rank;
        solution.figures.reset();
    }
    EXPECT_EQ(numbers, expected.solutions);
    EXPECT_EQ(one.acceptedCount, expected.acceptedCount);
    EXPECT_EQ(one.passNumber, expected.passNumber);
    ASSERT_EQ(one.cores.size(), 1u);
    EXPECT_EQ(one.cores.front().core.name, "ETD 29/16/10");
}

// Counts what arrives and from how many threads, and asks for a stop on the first post.
class CountingSink final : public NotificationSink {
public:
    explicit CountingSink(std::stop_source* stopOnPost = nullptr) : stop_(stopOnPost) {}
    void post(Notification) override {
        const std::lock_guard lock(mutex_);
        ++posts;
        threads.insert(std::this_thread::get_id());
        if (stop_) stop_->request_stop();
    }
    void setStatusText(std::string_view) override {}
    void analysisDone(AnalysisResult) override {}
    int posts = 0;
    std::set<std::thread::id> threads;

private:
    std::stop_source* stop_;
    std::mutex mutex_;
};

TEST(CoreSearch, CountersAddUpAndAStopEndsWithNothing) {
    const auto cores = coresNamed({"EP 17", "E 16/7/5", "RM 7/I", "ETD 29/16/10"});
    CountingSink sink;
    SearchCounters counters;
    const auto result = runCoreSearch(SearchSetup::from(Design{}), cores, counters, sink, Pacing::none(), {});
    ASSERT_TRUE(result);
    std::int64_t accepted = 0;
    std::int64_t analysed = 0;
    for (const CoreContext& core : cores) {
        const AnalysisResult alone = searched(Design{}, {core});
        accepted += alone.acceptedCount;
        analysed += alone.analysedCount;
    }
    EXPECT_EQ(result->acceptedCount, accepted);
    EXPECT_EQ(result->analysedCount, analysed);
    EXPECT_EQ(counters.acceptedCount.load(), accepted);
    EXPECT_EQ(counters.searchPhase.load(), static_cast<int>(SearchPhase::Extracting));
    EXPECT_GT(sink.posts, 0);

    std::stop_source stop;
    CountingSink stopping(&stop);
    SearchCounters stoppedCounters;
    EXPECT_FALSE(runCoreSearch(SearchSetup::from(Design{}), cores, stoppedCounters, stopping, Pacing::none(),
                               stop.get_token()));
}

}  // namespace
