#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "engine/ranking_store.h"
#include "rules/wire_catalogue.h"

/// The design rules and wire candidates: what the rules dialog edits and the search reads.
/// Units: gauss, %, kHz, V, degrees, mm as noted.
struct RuleSet {
    float peakFlux = 2600;            ///< peak flux density centre, gauss
    float peakFluxSpan = 200;         ///< ± span, gauss
    float onDuty = 42;                ///< on-duty centre, %
    float onDutySpan = 0;             ///< ± span, %
    float frequency = 52;             ///< switching frequency centre, kHz
    float frequencySpan = 3;          ///< ± span, kHz
    float switchDrop = 4.0f;          ///< switch on-state drop, V
    float diodeDrop = 0.8f;           ///< output diode forward drop, V
    float tempRise = 80;              ///< coil temperature rise, degrees
    float windDepthLimit = 90;        ///< winding depth limit, % of the slot depth
    float firstWindingMinShare = 40;  ///< first winding minimum share, %
    float slotWidthReserve = 0;       ///< slot width reserve, %
    float tapeThickness = 0.02f;      ///< tape thickness, mm
    float tapeTurns = 2;              ///< tape turns between windings
    float outputDuty = 50;            ///< output duty, % (CC mode)
    float idleRatio = 20;             ///< idle ratio, % (CV mode)
    int maxSolutions = 10;            ///< most solutions shown
    bool ccMode = true;               ///< true: CC (PFM), false: CV (PWM)
    int sandwichWinding = 0;          ///< 0/1
    int skinEffect = 1;               ///< 0/1
    bool evenTurns = false;
    bool sandwichWireChange = false;
    WireSet primaryWires = defaultPrimaryWires();      ///< mm, slot i = catalogue entry i or 0
    WireSet secondaryWires = defaultSecondaryWires();  ///< mm, same layout
    float primaryStrands = 1;
    float secondaryStrands = 1;

    static WireSet defaultPrimaryWires();
    static WireSet defaultSecondaryWires();
};

/// What the engineer types into the design form.
struct DesignInputs {
    float minInputVac = 90;         ///< V AC
    float maxInputVac = 280;        ///< V AC (not used by the search)
    float outputVoltage = 23;       ///< V
    float outputCurrent = 0.33f;    ///< A
    float feedbackVoltage = 13;     ///< V
    float minRectifiedVdc = 80;     ///< V DC
    float efficiency = 90;          ///< %
    float coreAe = 19.2f;           ///< mm²
    float slotWidth = 8.6f;         ///< mm
    float slotDepth = 3.5f;         ///< mm
    float auxWireDiameter = 0.12f;  ///< mm
};

/// Combo "系统算法" entries.
enum class Controller : int { None = 0, BP3105 = 1, PL3532 = 2, PsrGeneric = 3, L6562 = 4 };

/// Search phase as the status line shows it.
enum class SearchPhase : int { Searching = 0, Widened = 1, Extracting = 2 };

/// The whole design for the life of the program, owned by the design form.
/// The worker thread writes only the atomics and the two record stores; the stores are read
/// by other threads only after the worker has announced its end.
struct DesignState {
    DesignInputs inputs;
    int controllerChoice = static_cast<int>(Controller::PsrGeneric);
    RuleSet rules;

    std::atomic<bool> analysisBusy{false};
    std::atomic<std::int64_t> analysedCount{0};  ///< 3 per candidate of the current pass
    std::atomic<std::int64_t> acceptedCount{0};
    std::atomic<int> progressPercent{0};
    std::atomic<int> searchPhase{0};
    std::atomic<int> passNumber{0};
    std::atomic<bool> phaseChanged{false};
    bool progressReady = false;
    int selectedSolution = 0;
    float workFrequency = 0;                   ///< kHz, copy of the frequency centre for CV formulas
    RankingStore candidateRecords;             ///< best accepted candidates of the last pass
    std::vector<std::string> solutionRecords;  ///< 22 texts per shown solution, rank order
    std::string statusText = "Quillmere Release Version";

    /// Declared last so that it is stopped and joined before the members the worker writes go away.
    std::jthread analysisThread;

    /// Forget the shown results (controller change); the raw store is left alone.
    void discardResults();
};
