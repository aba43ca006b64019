#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/ferrite.h"

namespace quillmere {

// The core, bobbin and ferrite catalogue: the shapes and materials built into the program
// (res/catalogue) and the user's own, in the same format (docs/catalogue.md). All lengths are in
// mm, areas in mm², volumes in mm³. A catalogue is an immutable value once loaded; the pointers
// its lookups return stay valid as long as that catalogue object lives.

/// Cross-section of a core's centre leg.
enum class LegShape { Round, Rectangular, Oblong };

struct CentreLeg {
    LegShape shape = LegShape::Round;
    double diameter = 0;      ///< round legs, mm (0 otherwise)
    double width = 0;         ///< rectangular and oblong legs, along the core width A, mm
    double depth = 0;         ///< rectangular and oblong legs, along the core depth C, mm
    double holeDiameter = 0;  ///< round legs with a centre hole (RM, P, PM), mm; 0 without
    double area = 0;          ///< geometric section, hole subtracted, mm²

    /// Outer perimeter of the section, mm: π·d round, 2(w + d) rectangular, π·w + 2(d − w) oblong.
    double perimeter() const;
};

/// Winding window of the two-piece set.
struct CoreWindow {
    double width = 0;   ///< radial, (E − F)/2, mm
    double height = 0;  ///< axial, 2·D, mm
};

/// Outer box of the two-piece set.
struct BoundingBox {
    double width = 0;   ///< mm
    double height = 0;  ///< mm
    double depth = 0;   ///< mm

    /// 2(wh + hd + wd), mm²: the surface the thermal models use.
    double surfaceArea() const { return 2 * (width * height + height * depth + width * depth); }
};

/// Outer surface of a bobbin's column, where the first layer starts.
struct BobbinColumn {
    bool round = true;            ///< round column (diameter), else rectangular (width × depth)
    double diameter = 0;          ///< round, mm
    double width = 0;             ///< rectangular, along the core width A, mm
    std::optional<double> depth;  ///< rectangular, along the core depth C, mm; absent if unknown
};

struct Bobbin {
    std::string name;       ///< not always unique within a core: the data has a few bobbins twice
    std::string maker;      ///< empty for a generic (IEC-style) bobbin
    std::string reference;  ///< the maker's part number; empty if none
    double slotWidth = 0;   ///< winding length along the centre leg between the flanges, mm
    double slotDepth = 0;   ///< radial build available from the column surface outwards, mm
    std::optional<BobbinColumn> column;
    std::optional<double> columnWall;  ///< wall thickness, mm
    bool plausible = true;             ///< false: does not fit this core (see issues)
    bool derived = false;              ///< the generic slot computed from the core, not a real part
    std::vector<std::string> issues;
    std::string datasheetUrl;
    // The data holds no pin count: it is only part of some names ("6-pin").
};

/// A two-piece ferrite core set with its effective parameters (IEC 60205) and bobbins.
struct CoreShape {
    std::string name;                  ///< unique in a catalogue, ignoring case and spaces
    std::vector<std::string> aliases;  ///< other spellings ("EF 16", "E 16/5")
    std::string family;                ///< "E", "ETD", "PQ", "RM", "E planar", …
    bool planar = false;
    /// The drawing letters (A, B, C, D, E, F, G, …) with their values in mm, as in the data.
    std::vector<std::pair<std::string, double>> dimensions;

    double ae = 0;               ///< effective area of the set, mm²
    double le = 0;               ///< effective magnetic path length of the set, mm
    double ve = 0;               ///< effective volume of the set, mm³
    std::optional<double> amin;  ///< smallest section, mm²

    std::optional<CoreWindow> window;
    std::optional<CentreLeg> centreLeg;
    std::optional<BoundingBox> boundingBox;

    bool plausible = true;  ///< false where the dimensions contradict themselves: do not sweep
    std::vector<std::string> shapeIssues;
    std::vector<std::string> notes;

    std::vector<Bobbin> bobbins;
    std::optional<std::size_t> defaultBobbinIndex;  ///< into bobbins; none if no bobbin fits

    /// Empty for a built-in core, else the file it was read from.
    std::string source;

    /// Value of drawing letter `letter` (exact case: "D" and "d" differ), mm.
    std::optional<double> dimension(std::string_view letter) const;
    /// The window height of one half, "D", mm: the gap model's leg length. From the dimensions,
    /// else half the window height.
    std::optional<double> halfWindowHeight() const;
    /// The bobbin a design uses unless it names another; nullptr if the core has none.
    const Bobbin* defaultBobbin() const;
    /// The first bobbin with this name, else the first with this maker reference
    /// (case-insensitive); nullptr if none. Names and references are not unique in the built-in
    /// data (ETD 29/16/10 has two "Bobbin ETD 29"), so a design that must name one bobbin exactly
    /// keeps its index in `bobbins` as well.
    const Bobbin* findBobbin(std::string_view nameOrReference) const;
};

/// A power ferrite.
struct Material {
    std::string name;  ///< unique in a catalogue, ignoring case and spaces ("N87", "3C95")
    std::string manufacturer;
    std::string composition;  ///< "MnZn"
    std::optional<double> initialPermeability25C;
    std::optional<double> initialPermeability100C;
    double bsat25C = 0;                      ///< saturation flux density at 25 °C, T
    double bsat100C = 0;                     ///< saturation flux density at 100 °C, T
    std::optional<double> curieTemperature;  ///< °C
    std::optional<double> density;           ///< kg/m³
    /// At least one range, fMin strictly ascending (neighbours may overlap by a hertz).
    std::vector<SteinmetzRange> steinmetz;
    /// The data's own evaluation at 100 kHz, 100 mT, 100 °C, kW/m³ (a check value).
    std::optional<double> checkLossDensity;
    std::string datasheetUrl;
    std::vector<std::string> notes;
    std::string source;  ///< empty for a built-in material, else the file it was read from

    /// The range for `frequency` (Hz), as the loss model chooses it (steinmetzRangeAt); an
    /// empty range (k = 0) only for a material without ranges, which the reader refuses.
    SteinmetzRange rangeFor(double frequency) const;
    /// Core loss density, W/m³, at `frequency` (Hz), AC peak flux density `peakFlux` (T) and
    /// core temperature `temperature` (°C).
    double lossDensity(double frequency, double peakFlux, double temperature) const;
};

/// Which cores a search may cover. Unset bounds do not limit; bounds are inclusive.
struct CoreFilter {
    std::string family;           ///< empty: every family; else case-insensitive
    std::optional<double> minAe;  ///< mm²
    std::optional<double> maxAe;  ///< mm²
    std::optional<double> minVe;  ///< mm³
    std::optional<double> maxVe;  ///< mm³
    bool plausibleOnly = true;    ///< leave out shapes whose dimensions contradict themselves
};

/// Cores and materials, in the order of their files (built-in first).
class CoreCatalogue {
public:
    static constexpr std::string_view kDefaultMaterial = "N87";

    /// The catalogue built into the program, parsed on first use.
    static const CoreCatalogue& builtIn();

    const std::vector<CoreShape>& cores() const { return cores_; }
    const std::vector<Material>& materials() const { return materials_; }

    /// The core named `name`: case-insensitive; then ignoring spaces too ("etd29/16/10"); then an
    /// alias that names exactly one core. nullptr if none.
    const CoreShape* findCore(std::string_view name) const;
    /// Cores that pass `filter`, in catalogue order.
    std::vector<const CoreShape*> cores(const CoreFilter& filter) const;
    /// Every family once, sorted.
    std::vector<std::string> families() const;
    /// True if `family` names a family (case-insensitive).
    bool hasFamily(std::string_view family) const;
    /// Up to `count` core names closest to a misspelt `name` (edit distance, ignoring case and
    /// spaces), nearest first; none that are too far off to be meant.
    std::vector<std::string> nearestCoreNames(std::string_view name, std::size_t count = 3) const;

    /// The material named `name` (case-insensitive); nullptr if none.
    const Material* findMaterial(std::string_view name) const;
    /// kDefaultMaterial, or the first material if the catalogue lacks it; nullptr if empty.
    const Material* defaultMaterial() const;
    std::vector<std::string> nearestMaterialNames(std::string_view name, std::size_t count = 3) const;

private:
    std::vector<CoreShape> cores_;
    std::vector<Material> materials_;

    friend class CatalogueBuilder;
};

}  // namespace quillmere
