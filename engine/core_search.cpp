#include "engine/core_search.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "engine/core_selection.h"
#include "engine/ranking_store.h"
#include "engine/search.h"
#include "engine/search_steps.h"

namespace quillmere {

namespace {

using Clock = std::chrono::steady_clock;

// The status line cannot show more often than this; the cores' searches post far more often.
constexpr auto kAggregateInterval = std::chrono::milliseconds(50);
// A core's search posts for every accepted candidate and every hundred analysed: reading the
// clock each time cost more than the search itself.
constexpr unsigned kPostsPerClockRead = 256;

/// Sums the cores' counters into the caller's, at most every kAggregateInterval, and tells the
/// caller's sink. Heard on both pool threads.
class Aggregate {
public:
    Aggregate(std::size_t cores, SearchCounters& total, NotificationSink& sink)
        : perCore_(cores), finished_(cores), total_(total), sink_(sink) {
        for (auto& flag : finished_) flag = false;
    }

    SearchCounters& of(std::size_t core) { return perCore_[core].counters; }

    void finished(std::size_t core) {
        finished_[core] = true;
        update(true);
    }

    void update(bool force) {
        const auto now = Clock::now().time_since_epoch().count();
        const auto interval = std::chrono::duration_cast<Clock::duration>(kAggregateInterval).count();
        auto last = lastUpdate_.load(std::memory_order_relaxed);
        if (!force && now - last < interval) return;
        if (!force && !lastUpdate_.compare_exchange_strong(last, now)) return;
        const std::lock_guard lock(mutex_);
        std::int64_t analysed = 0;
        std::int64_t accepted = 0;
        std::int64_t percentSum = 0;
        int passes = 1;
        for (std::size_t k = 0; k < perCore_.size(); ++k) {
            const SearchCounters& core = perCore_[k].counters;
            analysed += core.analysedCount;
            accepted += core.acceptedCount;
            percentSum += finished_[k] ? 100 : std::max(0, core.progressPercent.load());
            passes = std::max(passes, core.passNumber.load());
        }
        total_.analysedCount = analysed;
        total_.acceptedCount = accepted;
        total_.passNumber = passes;
        total_.progressPercent = static_cast<int>(percentSum / static_cast<std::int64_t>(perCore_.size()));
        sink_.post(Notification::AnalysisStatus);
        sink_.post(Notification::AnalysisProgress);
    }

private:
    // Each core's counters on cache lines of their own: the two threads write them constantly.
    struct alignas(64) OwnLine {
        SearchCounters counters;
    };

    std::vector<OwnLine> perCore_;
    std::vector<std::atomic<bool>> finished_;
    SearchCounters& total_;
    NotificationSink& sink_;
    std::mutex mutex_;
    std::atomic<Clock::rep> lastUpdate_{0};
};

/// One core's search tells only the aggregate.
class CoreSink final : public NotificationSink {
public:
    explicit CoreSink(Aggregate& aggregate) : aggregate_(aggregate) {}
    void post(Notification) override {
        if (++posts_ % kPostsPerClockRead == 0) aggregate_.update(false);
    }
    void setStatusText(std::string_view) override {}
    void analysisDone(AnalysisResult) override {}

private:
    Aggregate& aggregate_;
    unsigned posts_ = 0;
};

SearchSetup setupFor(const SearchSetup& base, const CoreContext& core) {
    return {withCore(base.inputs, core), base.rules, core};
}

void tag(AnalysisResult& result, std::size_t core) {
    for (Solution& solution : result.solutions) solution.core = core;
}

}  // namespace

namespace {

/// A solution of one core's result, as the merge sees it.
struct Entry {
    std::size_t core = 0;
    const Solution* solution = nullptr;
};

// Lower first. A solution the loss model refused has no figure and goes after every figured
// one, as in a single core's search.
double figureKey(const Solution& solution, RankBy by) {
    if (!solution.figures) return HUGE_VAL;
    const SolutionLossFigures& f = *solution.figures;
    return by == RankBy::loss ? f.coreLossW + f.copperLossW : f.temperatureRiseK;
}

// The fill ranking's store over the union, each kept record traced back to the earliest
// entry that has it: the core that offered it first.
std::vector<Entry> rankedByFill(const std::vector<Entry>& entries, int maxSolutions) {
    RankingStore store;
    store.reset(maxSolutions);
    for (const Entry& entry : entries) store.offer(entry.solution->numbers);
    std::vector<Entry> ranked;
    for (const Solution& kept : store.ranked()) {
        const auto it = std::ranges::find_if(
            entries, [&](const Entry& entry) { return entry.solution->numbers == kept.numbers; });
        ranked.push_back(*it);
    }
    return ranked;
}

// Sorted by `less` (stable: a tie keeps core order), one entry per distinct key, the limit applied.
template <typename Less, typename Same>
std::vector<Entry> rankedBy(std::vector<Entry> entries, int maxSolutions, Less less, Same same) {
    std::ranges::stable_sort(entries, less);
    std::vector<Entry> ranked;
    for (const Entry& entry : entries) {
        if (std::cmp_greater_equal(ranked.size(), std::max(maxSolutions, 0))) break;
        if (!ranked.empty() && same(ranked.back(), entry)) continue;
        ranked.push_back(entry);
    }
    return ranked;
}

}  // namespace

AnalysisResult mergeCoreResults(std::vector<AnalysisResult> perCore, std::vector<CoreContext> cores,
                                const RuleSet& rules) {
    AnalysisResult merged;
    std::vector<Entry> entries;
    for (std::size_t k = 0; k < perCore.size(); ++k) {
        const AnalysisResult& result = perCore[k];
        for (const Solution& solution : result.solutions) entries.push_back({k, &solution});
        merged.analysedCount += result.analysedCount;
        merged.acceptedCount += result.acceptedCount;
        merged.limitRejectedCount += result.limitRejectedCount;
        merged.passNumber = std::max(merged.passNumber, result.passNumber);
    }

    const auto by = static_cast<RankBy>(rules.rankBy);
    std::vector<Entry> ranked;
    if (by == RankBy::loss || by == RankBy::temperature) {
        ranked = rankedBy(
            entries, rules.maxSolutions,
            [by](const Entry& a, const Entry& b) {
                return figureKey(*a.solution, by) < figureKey(*b.solution, by);
            },
            [by](const Entry& a, const Entry& b) {
                return figureKey(*a.solution, by) == figureKey(*b.solution, by);
            });
    } else if (by == RankBy::volume) {
        // Each core's solutions are in fill order: smallest core first, then its own ranking.
        const auto volume = [&cores](const Entry& e) {
            return e.core < cores.size() ? cores[e.core].core.ve : 0.0;
        };
        ranked = rankedBy(
            entries, rules.maxSolutions,
            [&](const Entry& a, const Entry& b) {
                if (volume(a) != volume(b)) return volume(a) < volume(b);
                return a.solution->numbers.score > b.solution->numbers.score;
            },
            [&](const Entry& a, const Entry& b) {
                return volume(a) == volume(b) && a.solution->numbers.score == b.solution->numbers.score;
            });
    } else {
        ranked = rankedByFill(entries, rules.maxSolutions);
    }

    for (const Entry& entry : ranked) {
        Solution solution = *entry.solution;
        solution.rank = static_cast<int>(merged.solutions.size()) + 1;
        solution.core = entry.core;
        merged.solutions.push_back(std::move(solution));
    }
    merged.cores = std::move(cores);
    return merged;
}

std::optional<AnalysisResult> runCoreSearch(const SearchSetup& base, const std::vector<CoreContext>& cores,
                                            SearchCounters& counters, NotificationSink& sink,
                                            const Pacing& pacing, std::stop_token stop) {
    if (cores.empty()) return runAnalysis(base, counters, sink, pacing, std::move(stop));
    if (cores.size() == 1) {
        auto result = runAnalysis(setupFor(base, cores.front()), counters, sink, pacing, std::move(stop));
        if (result) {
            tag(*result, 0);
            result->cores = cores;
        }
        return result;
    }

    sink.setStatusText("读取用户参数......");
    pauseUnlessStopped(pacing.startPause, stop);
    sink.setStatusText("执行分析线程......");
    pauseUnlessStopped(pacing.startPause, stop);
    counters.analysedCount = 0;
    counters.acceptedCount = 0;
    counters.passNumber = 1;
    announce(counters, sink, SearchPhase::Searching);
    pauseUnlessStopped(pacing.startPause, stop);
    counters.progressPercent = -1;
    sink.post(Notification::AnalysisProgress);

    Aggregate aggregate(cores.size(), counters, sink);
    std::vector<std::optional<AnalysisResult>> results(cores.size());
    std::atomic<std::size_t> next{0};
    std::stop_source cancel;
    const std::stop_callback forward(stop, [&cancel] { cancel.request_stop(); });
    {
        const auto work = [&] {
            CoreSink coreSink(aggregate);
            for (std::size_t k = next++; k < cores.size(); k = next++) {
                results[k] = runAnalysis(setupFor(base, cores[k]), aggregate.of(k), coreSink, Pacing::none(),
                                         cancel.get_token());
                if (!results[k]) return;
                aggregate.finished(k);
            }
        };
        std::vector<std::jthread> pool;
        for (int i = 0; i < kCoreSearchThreads; ++i) pool.emplace_back(work);
    }
    if (stop.stop_requested()) return std::nullopt;

    pauseUnlessStopped(pacing.extractPause, stop);
    if (stop.stop_requested()) return std::nullopt;
    announce(counters, sink, SearchPhase::Extracting);
    std::vector<AnalysisResult> perCore;
    perCore.reserve(results.size());
    for (auto& result : results) {
        tag(*result, perCore.size());
        perCore.push_back(std::move(*result));
    }
    AnalysisResult merged = mergeCoreResults(std::move(perCore), cores, base.rules);
    counters.analysedCount = merged.analysedCount;
    counters.acceptedCount = merged.acceptedCount;
    counters.passNumber = merged.passNumber;
    return merged;
}

}  // namespace quillmere
