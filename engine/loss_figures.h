#pragma once

#include <cmath>
#include <optional>

#include "engine/search_setup.h"
#include "engine/solution_losses.h"
#include "engine/solution_record.h"

namespace quillmere {

/// What a catalogue core context gives every solution of a search: the core and bobbin column in
/// SI units and the ferrite's figures. The one place where catalogue millimetres become metres.
/// Nothing when the core lacks a figure the loss model needs (centre leg, window height, column).
struct FigureCore {
    LossCore core;
    FerriteFigures ferrite;  ///< its ranges point into the context's material
};
std::optional<FigureCore> figureCore(const CoreContext& context);

/// The loss model's inputs for one accepted candidate of `setup`: the converter's waveforms
/// (d = D/100; d2 = Dout/100 in CC mode, 1 − d − Didle/100 in CV mode; f the record's frequency:
/// the grid's in CC mode, the working one in CV mode), Pout = Vout·Iout, the operating temperature
/// of the rules, and the windings from the bobbin outwards with the fit's layers and build (tape
/// between windings included). Nothing when the fit leaves a winding without layers.
std::optional<SolutionLossInputs> solutionLossInputs(const CandidateRecord& record, const SearchSetup& setup,
                                                     const LossCore& core);

/// What the search asks of an accepted candidate when it ranks by a figure or holds to a limit.
struct RankingFigures {
    bool pastLimit = false;  ///< a limit of the rules rejects it
    /// Its ranking figure is known to be at or above the bar it was asked with: not worked out.
    bool cannotEnter = false;
    /// Pcore + Pcu (W) or ΔT (K) as the rules rank; +∞ when the model refuses the candidate
    /// (no figure to hold to a limit: kept, after every figured one).
    double key = HUGE_VAL;
};

/// Makes the figures of a search's candidates, keeping the ferrite's point for the last
/// frequency (a search visits one frequency for many candidates in a row). Allocates nothing.
class SolutionFigureMaker {
public:
    /// Nothing to make for a custom core or a catalogue core lacking a needed figure.
    explicit SolutionFigureMaker(const SearchSetup& setup);

    bool canMake() const { return core_.has_value(); }

    /// The rules' limits and ranking figure for `record`, exactly as the full figures give them,
    /// but skipping the AC copper losses when a floor under them already rejects the candidate
    /// or puts its figure at or above `bar` (the ranking store's entry bar; −∞ when the ranking
    /// reads no figure).
    RankingFigures rankingFigures(const CandidateRecord& record, double bar);

    /// The figures of `record`, or nothing (a custom core, or inputs the model refuses).
    std::optional<SolutionLossFigures> figures(const CandidateRecord& record,
                                               LossScope scope = LossScope::all);

private:
    const FerriteAtPoint& pointFor(double frequency, double temperature);
    double quickCoreLoss(const CandidateRecord& record, const SearchSetup& setup);
    std::optional<RankingFigures> settledByFloor(const SolutionLossFloor& floor, double bar) const;

    const SearchSetup& setup_;
    std::optional<FigureCore> core_;
    FerriteAtPoint point_;
    bool pointMade_ = false;
    SolutionLossCache cache_;
    double surfaceFactor_ = 0;  // of the core's Ve, for temperature floors
};

/// The figures of one solution on its own (the shown list, the tests).
std::optional<SolutionLossFigures> solutionFigures(const CandidateRecord& record, const SearchSetup& setup);

}  // namespace quillmere
