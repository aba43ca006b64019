#include "engine/core_loss.h"

#include <cmath>
#include <numbers>

namespace quillmere {

namespace {

// How far `frequency` lies outside a range, as a frequency ratio (1 inside it).
double ratioOutside(const SteinmetzRange& range, double frequency) {
    if (frequency < range.fMin) return range.fMin / frequency;
    if (frequency > range.fMax) return frequency / range.fMax;
    return 1;
}

}  // namespace

std::optional<SteinmetzRange> steinmetzRangeAt(std::span<const SteinmetzRange> ranges, double frequency) {
    const SteinmetzRange* nearest = nullptr;
    double nearestRatio = 0;
    for (const SteinmetzRange& range : ranges) {
        // Ranges come in ascending frequency: where two share an edge, the lower one holds it.
        if (range.fMin <= frequency && frequency <= range.fMax) return range;
        const double ratio = ratioOutside(range, frequency);
        if (nearest == nullptr || ratio < nearestRatio) {
            nearest = &range;
            nearestRatio = ratio;
        }
    }
    if (nearest == nullptr) return std::nullopt;
    return *nearest;
}

double temperatureFactor(const SteinmetzRange& range, double temperature) {
    return range.ct0 - range.ct1 * temperature + range.ct2 * temperature * temperature;
}

double igseCoefficient(const SteinmetzRange& range) {
    const double a = range.alpha;
    // ∫₀^2π |cos θ|^α dθ, in closed form.
    const double cosineIntegral =
        2 * std::sqrt(std::numbers::pi) * std::tgamma((a + 1) / 2) / std::tgamma(a / 2 + 1);
    return range.k / (std::pow(2 * std::numbers::pi, a - 1) * std::pow(2.0, range.beta - a) * cosineIntegral);
}

std::optional<CoreLossLaw> coreLossLaw(const FerriteFigures& ferrite, double frequency, double temperature) {
    const std::optional<SteinmetzRange> range = steinmetzRangeAt(ferrite.ranges, frequency);
    if (!range) return std::nullopt;
    CoreLossLaw law;
    law.alpha = range->alpha;
    law.beta = range->beta;
    law.temperatureFactor = temperatureFactor(*range, temperature);
    law.scale = igseCoefficient(*range) * std::pow(frequency, range->alpha) * law.temperatureFactor;
    return law;
}

double coreLossDensity(const CoreLossLaw& law, double swing, double rise, double fall) {
    const double exponent = 1 - law.alpha;
    return law.scale * std::pow(swing, law.beta) * (std::pow(rise, exponent) + std::pow(fall, exponent));
}

double CoreLossMemo::density(const CoreLossLaw& law, double swing, double rise, double fall) {
    if (rise != rise_ || fall != fall_ || law.alpha != alpha_) {
        const double exponent = 1 - law.alpha;
        rise_ = rise;
        fall_ = fall;
        alpha_ = law.alpha;
        dutyTerm_ = std::pow(rise, exponent) + std::pow(fall, exponent);
    }
    if (swing != swing_ || law.beta != beta_) {
        swing_ = swing;
        beta_ = law.beta;
        swingTerm_ = std::pow(swing, law.beta);
    }
    return law.scale * swingTerm_ * dutyTerm_;
}

}  // namespace quillmere
