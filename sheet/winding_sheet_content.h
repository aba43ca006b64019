#pragma once

#include <optional>
#include <string>
#include <vector>

/// Why a figure of the sheet is not known; the page shows "—" and says why.
enum class SheetGap {
    None,
    NoCatalogueCore,  ///< the design names an area, not a catalogue core, bobbin and material
    NoLossFigures,    ///< no turn lengths nor loss figures for the solution
};

/// A figure that may be unknown.
struct SheetFigure {
    std::optional<double> value;
    SheetGap gap = SheetGap::None;  ///< why there is no value
};

/// A text (a part name) that may be unknown.
struct SheetName {
    std::optional<std::string> text;
    SheetGap gap = SheetGap::None;
};

enum class WindingRole { Primary, PrimaryFirstHalf, PrimarySecondHalf, Secondary, Auxiliary };

/// One winding as the maker winds it.
struct SheetWinding {
    WindingRole role = WindingRole::Primary;
    std::string symbol;  ///< "Np", "Np_1", "Ns", "Np_2", "Nf"
    int startPin = 0;
    int finishPin = 0;
    int turns = 0;
    double bareDiameter = 0;   ///< copper, mm
    double outerDiameter = 0;  ///< over the enamel, mm
    double strands = 1;        ///< wound side by side as one turn
    int turnsPerLayer = 0;     ///< a full layer
    int layers = 0;
    int lastLayerTurns = 0;    ///< equals turnsPerLayer when the last layer is full
    double buildHeight = 0;    ///< layers × outer diameter, mm
    double tapeLayers = 0;     ///< insulation tape wound over this winding
    double tapeThickness = 0;  ///< of one tape layer, mm
    SheetFigure resistance;    ///< DC resistance at 20 °C, Ω
};

struct SheetTitle {
    std::string designName;  ///< empty: unnamed
    std::string date;        ///< ISO
    std::string program;
    int solutionRank = 0;  ///< 1-based
    std::string revision;
    std::string drawnBy;
    std::string checkedBy;
};

struct SheetCore {
    SheetName coreName;
    SheetName material;
    SheetName bobbin;
    std::optional<int> pinCount;  ///< nothing: the pins the windings use decide the bobbin
    SheetGap pinCountGap = SheetGap::None;
    double effectiveArea = 0;     ///< Ae, mm²
    double slotWidth = 0;         ///< mm
    double slotDepth = 0;         ///< mm
    double inductanceFactor = 0;  ///< AL, nH/N²
    double alTolerance = 0;       ///< ± %
    double centreGap = 0;         ///< first-order centre-leg gap, mm
    SheetFigure correctedGap;     ///< with fringing and core reluctance, mm
    double primaryTurns = 0;      ///< Np over both halves
    double storedEnergy = 0;      ///< ½·Lp·Ipk², µJ
};

/// Solution figures the maker may compare with (not tests).
struct SheetOperatingPoint {
    double frequency = 0;             ///< kHz
    double duty = 0;                  ///< Dmax, %
    double peakFlux = 0;              ///< mT
    double reflectedVoltage = 0;      ///< V
    double primaryPeakCurrent = 0;    ///< A
    double secondaryPeakCurrent = 0;  ///< A
};

struct SheetTurnsRatio {
    std::string from;  ///< symbol, e.g. "Np"
    std::string to;    ///< e.g. "Ns"
    int fromTurns = 0;
    int toTurns = 0;
    int fromStartPin = 0;  ///< the starts are in phase
    int toStartPin = 0;
};

struct SheetTests {
    double inductance = 0;           ///< Lp, µH
    double inductanceTolerance = 0;  ///< ± %
    double testFrequency = 0;        ///< kHz
    double testVoltage = 0;          ///< V rms
    int primaryStartPin = 0;
    int primaryFinishPin = 0;
    double leakagePercent = 0;        ///< of Lp
    double leakageLimit = 0;          ///< µH
    double resistanceTolerance = 10;  ///< ± %
    std::vector<SheetTurnsRatio> ratios;
    double hipotPrimarySecondary = 0;  ///< V AC
    double hipotPrimaryCore = 0;       ///< V AC
    double hipotDuration = 0;          ///< s
    double insulationVoltage = 0;      ///< V DC
    double insulationMinimum = 0;      ///< MΩ
};

struct SheetLosses {
    SheetFigure coreLoss;               ///< W
    SheetFigure copperLoss;             ///< W
    SheetFigure temperatureRise;        ///< K
    bool auxiliaryCurrentZero = false;  ///< the figures count the auxiliary winding's current as zero
};

/// The slot as the sheet draws it to scale, from the bobbin (depth 0) outwards.
struct SheetCrossSection {
    double slotWidth = 0;   ///< mm
    double slotDepth = 0;   ///< mm
    double margin = 0;      ///< margin tape each side, mm (0: none)
    double depthLimit = 0;  ///< the rules' winding-depth limit, mm
    struct Band {
        bool tape = false;
        std::size_t winding = 0;  ///< index into the windings (its own, or the one the tape covers)
        double bottom = 0;        ///< mm from the bobbin
        double thickness = 0;     ///< mm
    };
    std::vector<Band> bands;
    double buildHeight = 0;  ///< top of the last band, mm
};

struct SheetConditions {
    double minInputVac = 0;
    double maxInputVac = 0;
    double outputVoltage = 0;
    double outputCurrent = 0;
    double auxiliaryVoltage = 0;
    double efficiency = 0;  ///< %
    std::string controller;
    bool ccMode = true;
    double frequency = 0;  ///< rules' centre, kHz
};

/// A wire the materials list names: one line per different wire.
struct SheetWire {
    double bareDiameter = 0;
    double outerDiameter = 0;
};

/// Everything one winding sheet shows, as plain numbers and short texts: the page is drawn from
/// this value alone.
struct WindingSheetContent {
    SheetTitle title;
    std::vector<SheetWinding> windings;  ///< from the bobbin outwards; no winding of 0 turns
    std::vector<std::string> notWound;   ///< symbols of windings of 0 turns
    SheetCore core;
    SheetOperatingPoint operatingPoint;
    SheetTests tests;
    SheetLosses losses;
    SheetCrossSection crossSection;
    SheetConditions conditions;
    std::vector<SheetWire> wires;
    double tapeThickness = 0;  ///< mm
    double tapeWidth = 0;      ///< mm
    bool sandwich = false;
};
