#pragma once

#include <span>

namespace quillmere {

/// One fitted range of a ferrite's Steinmetz law for a sinusoid of peak flux density B̂:
/// Pv = k · f^α · B̂^β · (ct0 − ct1·T + ct2·T²) in W/m³, f in Hz, B̂ in T, T in °C.
/// k and the ct's are scaled differently by maker: only their product is meaningful.
struct SteinmetzRange {
    double fMin = 0;  ///< Hz
    double fMax = 0;  ///< Hz
    double k = 0;
    double alpha = 0;
    double beta = 0;
    double ct0 = 0;
    double ct1 = 0;  ///< 1/°C
    double ct2 = 0;  ///< 1/°C²
};

/// What the loss and gap figures read from a ferrite, as the catalogue gives it.
struct FerriteFigures {
    double bsat25 = 0;          ///< saturation flux density at 25 °C, T
    double bsat100 = 0;         ///< at 100 °C, T
    double permeability25 = 0;  ///< initial relative permeability µi at 25 °C
    double permeability100 = 0;
    /// The fitted ranges in ascending frequency; the owner (the catalogue) keeps them alive.
    std::span<const SteinmetzRange> ranges;
};

/// A figure given at 25 °C and 100 °C, at `temperature` (°C): linear between the two, held at
/// the nearer one outside them (the data sheets give no trend beyond).
double figureAt(double at25, double at100, double temperature);

/// Bsat at `temperature` (°C), T.
inline double saturationFluxDensity(const FerriteFigures& ferrite, double temperature) {
    return figureAt(ferrite.bsat25, ferrite.bsat100, temperature);
}

/// Initial relative permeability at `temperature` (°C).
inline double initialPermeability(const FerriteFigures& ferrite, double temperature) {
    return figureAt(ferrite.permeability25, ferrite.permeability100, temperature);
}

}  // namespace quillmere
