#include "engine/search.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/candidate.h"
#include "engine/figure_ranking_store.h"
#include "engine/grid.h"
#include "engine/loss_figures.h"
#include "engine/pass_progress.h"
#include "engine/ranking_store.h"
#include "engine/search_steps.h"
#include "engine/winding_fit.h"

namespace quillmere {

namespace {

constexpr int kSlots = WireCatalogue::kSize;

// First halves held at once: 1 MB. Only a primary of absurdly many turns has more.
constexpr std::size_t kFirstHalfChunk = std::size_t{1} << 16;
// The split loops look at the stop request once per this many steps (a power of two, minus one).
constexpr std::int64_t kStopPollMask = 0xFFF;

/// The primary wire of a grid point as the fit sees it.
struct PrimaryWinding {
    float bare = 0;        // dp
    float outer = 0;       // Dp
    double turnWidth = 0;  // Dp · np
    Layers layers;         // of Np − 1 turns, the plain count
};

/// A first half of a sandwiched primary that fills its last layer well enough.
struct FirstHalf {
    std::int64_t turns = 0;  // Np_1
    float fill = 0;          // f1 after folding
};

bool anyLossLimit(const RuleSet& rules) {
    return rules.maxTemperatureRise > 0 || rules.maxFluxOfSaturation > 0 || rules.maxTotalLoss > 0;
}

bool rankedByFigure(const RuleSet& rules) {
    const auto by = static_cast<RankBy>(rules.rankBy);
    return by == RankBy::loss || by == RankBy::temperature;
}

/// The fill thresholds of a pass: the last layer of the primary (plain winding) or of the
/// secondary (sandwich) must fill at least this share.
struct FillThresholds {
    float primary = 0;
    float secondary = 0;
};

/// Whether a last layer of `fraction` is turned away by the sandwich's secondary threshold.
bool belowSecondaryThreshold(float fraction, float threshold) {
    return 0.05 < fraction && fraction < threshold;
}

/// Where the accepted candidates go: the fill store, or with a catalogue core ranked by a figure
/// or held to a loss limit, the figures first.
struct CandidateSink {
    RankingStore& fill;
    FigureRankingStore& byFigure;
    SolutionFigureMaker& figures;
    bool needFigures = false;  // ranked by a figure or a limit on, and a core to figure
    bool rankByFigure = false;
    std::int64_t limitRejected = 0;
};

/// One search pass over the grid: the candidate calculation, the fit and the store.
class Pass {
public:
    Pass(const SearchSetup& setup, const Grid& grid, SearchCounters& counters, CandidateSink& store,
         NotificationSink& sink, const std::stop_token& stop, FillThresholds thresholds,
         std::optional<FillThresholds> tried)
        : setup_(setup),
          rules_(setup.rules),
          grid_(grid),
          counters_(counters),
          store_(store),
          sink_(sink),
          stop_(stop),
          thresholds_(thresholds),
          tried_(tried),
          progress_(grid.candidates(), grid.progressTotal, progressEvents()) {
        const double w = setup.inputs.slotWidth;
        usableWidth_ = static_cast<float>(w * (1 - rules_.slotWidthReserve * 0.01));
        depthLimit_ = rules_.windDepthLimit * 0.01 * setup.inputs.slotDepth;
        const int tapeLayers = rules_.sandwichWinding != 0 ? 4 : 3;
        tapeBuild_ = static_cast<double>(rules_.tapeTurns) * rules_.tapeThickness * tapeLayers;
        feedbackWire_ = setup.inputs.auxWireDiameter;
    }

    /// False when stopped.
    bool run() {
        for (int a = 0; a < grid_.onDuty.count; ++a)
            for (int b = 0; b < grid_.busVoltage.count; ++b)
                for (int c = 0; c < grid_.frequency.count; ++c)
                    for (int d = 0; d < grid_.fluxDensity.count; ++d) {
                        if (stop_.stop_requested()) return false;
                        const GridPoint point{grid_.onDuty.at(a), grid_.busVoltage.at(b),
                                              grid_.frequency.at(c), grid_.fluxDensity.at(d)};
                        if (!runPoint(point)) return false;
                    }
        return true;
    }

    /// Counts every candidate of the grid as looked at without looking at any: a widened pass
    /// that can let nothing new in. Posts what a real pass would post.
    void skip() { progress_.advance(grid_.candidates()); }

    /// The fullest last layer that the pass turned away for its threshold, or −1.
    float fullestTurnedAway() const { return fullestTurnedAway_; }

    /// The analysed counter after the pass: 3 per candidate.
    std::int64_t analysedCount() const { return progress_.analysedCount(); }

private:
    PassProgress::Events progressEvents() {
        return {[this](std::int64_t analysed) {
                    // Relaxed: a progress read-out, read whenever the form gets to it.
                    counters_.analysedCount.store(analysed, std::memory_order_relaxed);
                    sink_.post(Notification::AnalysisStatus);
                },
                [this](int percent) {
                    counters_.progressPercent.store(percent, std::memory_order_relaxed);
                    sink_.post(Notification::AnalysisProgress);
                }};
    }

    // The CV formulas take the frequency centre, not the grid point's frequency.
    float workFrequency() const { return rules_.frequency; }

    bool skinTooThick(float diameter) const {
        return rules_.skinEffect != 0 && diameter > electrical_.skinDepthLimit;
    }

    bool runPoint(const GridPoint& point) {
        point_ = point;
        electrical_ = designElectrical(setup_, workFrequency(), point);
        if (electrical_.rejected || skinTooThick(feedbackWire_)) {
            progress_.advance(kSlots * kSlots);
            return true;
        }
        for (int i = 0; i < kSlots; ++i) {
            if (stop_.stop_requested()) return false;
            if (!primaryWinding(rules_.primaryWires[static_cast<std::size_t>(i)])) {
                progress_.advance(kSlots);
                continue;
            }
            firstHalvesReady_ = false;
            for (int j = 0; j < kSlots; ++j) {
                if (!runPair(rules_.secondaryWires[static_cast<std::size_t>(j)])) return false;
            }
        }
        return true;
    }

    // Everything of the fit that does not depend on the secondary wire; false rejects every pair.
    bool primaryWinding(float bare) {
        if (bare == 0 || skinTooThick(bare)) return false;
        primary_.bare = bare;
        primary_.outer = outerDiameter(bare);
        primary_.turnWidth = static_cast<double>(primary_.outer) * rules_.primaryStrands;
        const auto layers = layersOf(static_cast<double>(electrical_.primaryTurns) - 1,
                                     (usableWidth_ - primary_.turnWidth) / primary_.turnWidth);
        if (!layers) return false;
        primary_.layers = *layers;
        if (rules_.sandwichWinding != 0) return true;
        const float fraction = primary_.layers.fraction;
        if (fraction < thresholds_.primary) {
            fullestTurnedAway_ = std::max(fullestTurnedAway_, fraction);
            return false;
        }
        return !(tried_ && !(fraction < tried_->primary));
    }

    // One candidate: the secondary wire against the current primary. False when stopped.
    bool runPair(float secondaryBare) {
        if (secondaryBare == 0 || skinTooThick(secondaryBare)) {
            progress_.advance(1);
            return true;
        }
        const float secondaryOuter = outerDiameter(secondaryBare);
        const double secondaryTurnWidth = static_cast<double>(secondaryOuter) * rules_.secondaryStrands;
        const double w = usableWidth_;
        const auto secondary = layersOf(static_cast<double>(electrical_.secondaryTurns) - 1,
                                        (w - primary_.turnWidth - secondaryTurnWidth) / secondaryTurnWidth);
        const double fw = feedbackWire_;
        const auto feedback = layersOf(static_cast<double>(electrical_.feedbackTurns) - 1,
                                       (w - primary_.turnWidth - secondaryTurnWidth - fw) / fw);
        if (!secondary || !feedback) {
            progress_.advance(1);
            return true;
        }
        const double build = static_cast<double>(primary_.layers.count) * primary_.outer + tapeBuild_ +
                             static_cast<double>(secondary->count) * secondaryOuter +
                             static_cast<double>(feedback->count) * fw;
        progress_.advance(1);
        if (build > depthLimit_) return true;

        CandidateRecord record = baseRecord(secondaryBare);
        record.fills[3] = feedback->fraction;
        if (rules_.sandwichWinding == 0) {
            record.score = static_cast<float>(10.0 * primary_.layers.fraction + 10.0 * secondary->fraction);
            record.fills[0] = primary_.layers.fraction;
            record.fills[1] = secondary->fraction;
            accept(record);
            return true;
        }
        return sandwichSplits(record, secondaryTurnWidth);
    }

    CandidateRecord baseRecord(float secondaryBare) const {
        CandidateRecord r;
        r.primaryTurns = electrical_.primaryTurns;
        r.secondaryTurns = electrical_.secondaryTurns;
        r.feedbackTurns = electrical_.feedbackTurns;
        r.primaryWire = primary_.bare;
        r.primaryStrands = rules_.primaryStrands;
        r.secondaryWire = secondaryBare;
        r.secondaryStrands = rules_.secondaryStrands;
        r.feedbackWire = feedbackWire_;
        r.inductance = electrical_.inductance;
        r.frequency = rules_.ccMode ? static_cast<double>(point_.frequency) : workFrequency();
        r.fluxDensity = point_.fluxDensity;
        r.onDuty = point_.onDuty;
        r.ipkPrimary = electrical_.ipkPrimary;
        r.ipkSecondary = electrical_.ipkSecondary;
        r.inputCapacitance = electrical_.inputCapacitance;
        r.reflectedVoltage = electrical_.reflectedVoltage;
        return r;
    }

    // The first halves that pass their fill window depend only on the primary wire, so they
    // are found once per primary and reused for every secondary and second-half wire. A
    // primary with more than a chunk of them is walked again, chunk by chunk, each time.
    bool startFirstHalves() {
        firstHalvesReady_ = true;
        firstHalves_.clear();
        firstHalvesStart_ = firstHalvesFrom_ = 0;
        firstHalvesLast_ = true;
        const double np = electrical_.primaryTurns;
        double start = std::trunc(np * rules_.firstWindingMinShare * 0.01);
        if (start < 0) start = 0;  // a share below 0 % has no meaning: no half of fewer than 0 turns
        if (!(start < np)) return true;
        constexpr double kLimit = 9.0e15;  // loop variable range
        if (start < -kLimit || np > kLimit) return true;
        firstHalvesStart_ = static_cast<std::int64_t>(start);
        return collectFirstHalves(firstHalvesStart_);
    }

    // The chunk of first halves from `from` turns on. False when stopped.
    bool collectFirstHalves(std::int64_t from) {
        firstHalves_.clear();
        firstHalvesFrom_ = from;
        firstHalvesLast_ = true;
        const double np = electrical_.primaryTurns;
        const double perLayer = usableWidth_ / primary_.turnWidth;
        for (std::int64_t turns = from; static_cast<double>(turns) < np; ++turns) {
            if ((turns & kStopPollMask) == 0 && stop_.stop_requested()) return false;
            const auto first = layersOf(static_cast<double>(turns), perLayer);
            if (!first) return true;
            if (0.05 < first->fraction && first->fraction < 0.95) continue;
            if (firstHalves_.size() == kFirstHalfChunk) {
                firstHalvesNext_ = turns;
                firstHalvesLast_ = false;
                return true;
            }
            firstHalves_.push_back({turns, foldFullLayer(first->fraction)});
        }
        return true;
    }

    // Hands the first halves to `visit` in increasing turns until it returns false. False when stopped.
    template <typename Visit>
    bool forEachFirstHalf(const Visit& visit) {
        if (firstHalvesFrom_ != firstHalvesStart_ && !collectFirstHalves(firstHalvesStart_)) return false;
        std::int64_t visited = 0;
        for (;;) {
            for (const FirstHalf& half : firstHalves_) {
                if ((visited++ & kStopPollMask) == 0 && stop_.stop_requested()) return false;
                if (!visit(half)) return true;
            }
            if (firstHalvesLast_) return true;
            if (!collectFirstHalves(firstHalvesNext_)) return false;
        }
    }

    bool sandwichSplits(CandidateRecord& record, double secondaryTurnWidth) {
        const double w = usableWidth_;
        const auto secondary =
            layersOf(electrical_.secondaryTurns, (w - primary_.turnWidth) / secondaryTurnWidth);
        if (!secondary) return true;
        if (belowSecondaryThreshold(secondary->fraction, thresholds_.secondary)) {
            fullestTurnedAway_ = std::max(fullestTurnedAway_, secondary->fraction);
            return true;
        }
        if (tried_ && !belowSecondaryThreshold(secondary->fraction, tried_->secondary)) return true;
        const float f2 = foldFullLayer(secondary->fraction);
        if (!firstHalvesReady_ && !startFirstHalves()) return false;
        if (firstHalves_.empty()) return true;

        record.sandwich = true;
        record.fills[1] = f2;
        const auto trySecondHalf = [&](float bare) {
            const float outer = outerDiameter(bare);
            const double perLayer = (w - primary_.turnWidth - secondaryTurnWidth) /
                                    (static_cast<double>(outer) * rules_.primaryStrands);
            record.secondHalfWire = bare;
            return forEachFirstHalf([&](const FirstHalf& half) {
                const auto secondHalfTurns =
                    static_cast<float>(electrical_.primaryTurns - static_cast<double>(half.turns));
                const auto third = layersOf(secondHalfTurns, perLayer);
                if (!third) return false;
                if (std::trunc(static_cast<double>(third->value)) == 0 && third->fraction < 0.8) return true;
                const float f3 = foldFullLayer(third->fraction);
                record.score = static_cast<float>(10.0 * f2 + f3);
                record.primaryTurns = static_cast<float>(half.turns);
                record.secondHalfTurns = secondHalfTurns;
                record.fills[0] = half.fill;
                record.fills[2] = f3;
                accept(record);
                return true;
            });
        };
        if (!rules_.sandwichWireChange) return trySecondHalf(primary_.bare);
        for (float bare : rules_.primaryWires) {
            if (bare == 0 || skinTooThick(bare)) continue;
            if (!trySecondHalf(bare)) return false;
        }
        return true;
    }

    void accept(const CandidateRecord& record) {
        if (!store_.needFigures) {
            counters_.acceptedCount.fetch_add(1, std::memory_order_relaxed);
            store_.fill.offer(record);
        } else if (!acceptWithFigures(record)) {
            return;
        }
        counters_.analysedCount.store(progress_.analysedCount(), std::memory_order_relaxed);
        counters_.searchPhase.store(static_cast<int>(SearchPhase::Searching), std::memory_order_relaxed);
        sink_.post(Notification::AnalysisStatus);
    }

    // A candidate the model refuses has no figure to hold to a limit: it is kept, ranked after
    // every figured one.
    bool acceptWithFigures(const CandidateRecord& record) {
        const double bar = store_.rankByFigure ? store_.byFigure.entryBar() : -HUGE_VAL;
        const RankingFigures f = store_.figures.rankingFigures(record, bar);
        if (f.pastLimit) {
            ++store_.limitRejected;
            return false;
        }
        counters_.acceptedCount.fetch_add(1, std::memory_order_relaxed);
        if (!store_.rankByFigure)
            store_.fill.offer(record);
        else if (!f.cannotEnter)
            store_.byFigure.offer(f.key, record);
        return true;
    }

    const SearchSetup& setup_;
    const RuleSet& rules_;
    const Grid& grid_;
    SearchCounters& counters_;
    CandidateSink& store_;
    NotificationSink& sink_;
    const std::stop_token& stop_;
    const FillThresholds thresholds_;
    // A pass widened after one that accepted nothing: what those thresholds let in was tried
    // and gave nothing, and gives nothing again, so only what they turned away is looked at.
    const std::optional<FillThresholds> tried_;
    PassProgress progress_;
    float fullestTurnedAway_ = -1;

    float usableWidth_ = 0;   // W′, mm
    double depthLimit_ = 0;   // mm
    double tapeBuild_ = 0;    // mm
    float feedbackWire_ = 0;  // df, mm

    GridPoint point_;
    ElectricalDesign electrical_;
    PrimaryWinding primary_;
    bool firstHalvesReady_ = false;       // the fields below belong to the current primary
    std::vector<FirstHalf> firstHalves_;  // the held chunk, in increasing turns
    std::int64_t firstHalvesStart_ = 0;   // turns where the first chunk begins
    std::int64_t firstHalvesFrom_ = 0;    // ... and where the held one does
    std::int64_t firstHalvesNext_ = 0;    // ... and the next one
    bool firstHalvesLast_ = true;         // no chunk follows the held one
};

}  // namespace

std::optional<AnalysisResult> runAnalysis(const SearchSetup& setup, SearchCounters& counters,
                                          NotificationSink& sink, const Pacing& pacing,
                                          std::stop_token stop) {
    sink.setStatusText("读取用户参数......");
    pauseUnlessStopped(pacing.startPause, stop);
    sink.setStatusText("执行分析线程......");
    pauseUnlessStopped(pacing.startPause, stop);
    counters.analysedCount = 0;
    announce(counters, sink, SearchPhase::Searching);
    pauseUnlessStopped(pacing.startPause, stop);

    const bool sandwich = setup.rules.sandwichWinding != 0;
    FillThresholds thresholds{sandwich ? 0.90f : 0.95f, 0.90f};
    std::optional<FillThresholds> tried;

    counters.acceptedCount = 0;
    counters.analysedCount = 0;
    counters.progressPercent = -1;
    sink.post(Notification::AnalysisProgress);
    counters.passNumber = 1;

    // The Analyse checks refuse rules that do not fit the loops; this keeps a direct call safe.
    const std::optional<Grid> grid = searchGrid(setup);
    RankingStore fillStore;
    FigureRankingStore figureStore;
    SolutionFigureMaker figures(setup);
    CandidateSink store{fillStore, figureStore, figures};
    store.needFigures = figures.canMake() && (rankedByFigure(setup.rules) || anyLossLimit(setup.rules));
    store.rankByFigure = store.needFigures && rankedByFigure(setup.rules);
    fillStore.reset(setup.rules.maxSolutions);
    figureStore.reset(setup.rules.maxSolutions);
    // A widened pass can accept only what the last real pass turned away for its threshold; one
    // that lets none of that in is counted, not walked.
    float fullestTurnedAway = -1;
    bool letsSomethingIn = true;
    for (;;) {
        if (stop.stop_requested()) return std::nullopt;
        // The stores are empty and the limit rejections of the tried candidates still hold:
        // nothing is reset between passes.
        if (grid) {
            Pass pass(setup, *grid, counters, store, sink, stop, thresholds, tried);
            if (letsSomethingIn) {
                if (!pass.run()) return std::nullopt;
                fullestTurnedAway = pass.fullestTurnedAway();
            } else {
                pass.skip();
            }
            counters.analysedCount = pass.analysedCount();
        }
        if (counters.acceptedCount > 0) break;

        // Nothing fitted: widen the search by relaxing the fill threshold.
        counters.passNumber += 1;
        counters.analysedCount = 0;
        announce(counters, sink, SearchPhase::Widened);
        counters.progressPercent = 0;
        tried = thresholds;
        if (sandwich) {
            thresholds.secondary = static_cast<float>(thresholds.secondary - 0.1);
            if (!(thresholds.secondary > 0.05)) break;
            letsSomethingIn =
                fullestTurnedAway >= 0 && !belowSecondaryThreshold(fullestTurnedAway, thresholds.secondary);
        } else {
            thresholds.primary = static_cast<float>(thresholds.primary - 0.05);
            if (!(thresholds.primary > 0)) break;
            letsSomethingIn = !(fullestTurnedAway < thresholds.primary);
        }
    }

    pauseUnlessStopped(pacing.extractPause, stop);
    if (stop.stop_requested()) return std::nullopt;
    announce(counters, sink, SearchPhase::Extracting);
    AnalysisResult result;
    result.solutions = store.rankByFigure ? figureStore.ranked() : fillStore.ranked();
    result.limitRejectedCount = store.limitRejected;
    if (setup.core) {
        result.cores.push_back(*setup.core);
        for (Solution& solution : result.solutions) {
            solution.core = 0;
            solution.figures = figures.figures(solution.numbers);
        }
    }
    result.analysedCount = counters.analysedCount;
    result.acceptedCount = counters.acceptedCount;
    result.passNumber = counters.passNumber;
    return result;
}

std::optional<AnalysisResult> analyseNow(const Design& design, NotificationSink& sink,
                                         SearchCounters& counters, std::stop_token stop) {
    return runAnalysis(SearchSetup::from(design), counters, sink, Pacing::none(), std::move(stop));
}

AnalysisResult analyseNow(const Design& design) {
    NullSink sink;
    SearchCounters counters;
    // Without a stop request the search always ends with a result.
    return analyseNow(design, sink, counters, {}).value();
}

}  // namespace quillmere
