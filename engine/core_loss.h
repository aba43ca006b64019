#pragma once

#include <optional>
#include <span>

#include "engine/ferrite.h"

namespace quillmere {

/// The range that applies at `frequency` (Hz): the first, in ascending frequency, with
/// fMin ≤ f ≤ fMax; outside them the nearest by frequency ratio (below all: the lowest, above
/// all: the highest). Nothing when there are no ranges.
std::optional<SteinmetzRange> steinmetzRangeAt(std::span<const SteinmetzRange> ranges, double frequency);

/// The temperature factor s(T) = ct0 − ct1·T + ct2·T² of a range, T in °C.
double temperatureFactor(const SteinmetzRange& range, double temperature);

/// The iGSE coefficient ki = k / ((2π)^(α−1) · 2^(β−α) · 2√π·Γ((α+1)/2)/Γ(α/2+1)) of a range:
/// with ΔB the peak-to-peak swing it gives a sinusoid the range's own Steinmetz loss back.
double igseCoefficient(const SteinmetzRange& range);

/// A ferrite's core-loss law at one frequency and temperature, made once per (material, f, T):
/// Pv = scale · ΔB^β · (d^(1−α) + d2^(1−α)).
struct CoreLossLaw {
    double scale = 0;  ///< ki · f^α · s(T), W/m³ per T^β
    double alpha = 0;
    double beta = 0;
    double temperatureFactor = 0;  ///< s(T) of the chosen range, for the caller to check > 0
};

/// The law at `frequency` (Hz) and `temperature` (°C); nothing when the ferrite has no range.
std::optional<CoreLossLaw> coreLossLaw(const FerriteFigures& ferrite, double frequency, double temperature);

/// iGSE loss density (W/m³) of a flux rising linearly by `swing` (T, peak to peak) during
/// `rise` of the period and falling back during `fall` of it (fractions in (0, 1]), at rest
/// otherwise.
double coreLossDensity(const CoreLossLaw& law, double swing, double rise, double fall);

/// coreLossDensity, remembering the last duty term d^(1−α) + d2^(1−α) and the last ΔB^β: a
/// search visits one duty for many candidates and asks a floor and then the figures of one
/// flux. The same values as coreLossDensity.
class CoreLossMemo {
public:
    double density(const CoreLossLaw& law, double swing, double rise, double fall);

private:
    double rise_ = -1;  // −1: nothing remembered
    double fall_ = -1;
    double alpha_ = 0;
    double dutyTerm_ = 0;
    double swing_ = -1;
    double beta_ = 0;
    double swingTerm_ = 0;
};

}  // namespace quillmere
