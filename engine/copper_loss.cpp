#include "engine/copper_loss.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace quillmere {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kMu0 = 4e-7 * kPi;                    // H/m
constexpr double kResistivity20 = 1.7241e-8;           // Ω·m, annealed copper
constexpr double kTemperatureCoefficient20 = 0.00393;  // 1/K

// √n for the harmonics: the n-th harmonic's skin depth is δ/√n, so its A is √n times the first's.
// clang-format off
constexpr std::array<double, kLossHarmonics> kRootOfOrder = {
    1.0, 1.4142135623730951, 1.7320508075688772, 2.0, 2.23606797749979,
    2.449489742783178, 2.6457513110645907, 2.8284271247461903, 3.0, 3.1622776601683795};
// clang-format on

// Below this A the closed form loses digits to cancellation; the series is exact to 1e-15 there.
constexpr double kSeriesPenetration = 0.02;

double strandArea(const WindingBuild& winding) {
    return winding.strands * kPi * winding.bareDiameter * winding.bareDiameter / 4;
}

// Dowell's factors at the harmonics of a winding whose first harmonic has penetration ratio `first`.
void harmonicFactors(double first, double layers, CopperLossCache::Factors& factors) {
    for (std::size_t n = 0; n < factors.size(); ++n)
        factors[n] = dowellFactor(first * kRootOfOrder[n], layers);
}

// The winding's figures with the ramp's harmonics already taken.
WindingLoss lossOf(const WindingBuild& winding, const TurnColumn& column, double middle,
                   const RampCurrent& current, const RampHarmonics& harmonics, double resistivity,
                   double skinDepthAtFrequency, CopperLossCache* cache) {
    WindingLoss result;
    result.turnLength = turnLength(column, middle);
    const double wireLength = winding.turns * result.turnLength;
    result.resistance = resistivity * wireLength / strandArea(winding);
    result.resistance20 = kResistivity20 * wireLength / strandArea(winding);
    result.rms = rampRms(current);
    if (result.resistance == 0 || current.peak == 0) return result;
    CopperLossCache::Factors fresh;
    const CopperLossCache::Factors* factors = &fresh;
    if (cache) {
        factors = &cache->factors(winding.bareDiameter, winding.insulatedDiameter, winding.layers,
                                  skinDepthAtFrequency);
    } else {
        harmonicFactors(
            penetrationRatio(winding.bareDiameter, winding.insulatedDiameter, skinDepthAtFrequency),
            winding.layers, fresh);
    }
    double sum = harmonics.dc * harmonics.dc;
    double tail = result.rms * result.rms - sum;  // what the harmonics above the last leave
    for (std::size_t n = 0; n < harmonics.rms.size(); ++n) {
        const double in2 = harmonics.rms[n] * harmonics.rms[n];
        sum += (*factors)[n] * in2;
        tail -= in2;
    }
    // Ten harmonics leave 3 % of a half-period ramp's rms² out, 14 % at d = 0.1: that part
    // is counted at the last harmonic's factor, a lower bound, so the loss never falls below
    // the DC loss Rdc·Irms².
    if (tail > 0) sum += factors->back() * tail;
    result.loss = result.resistance * sum;
    return result;
}

}  // namespace

namespace {

constexpr std::size_t kCacheSlots = 512;  // a power of two

std::size_t slotOf(double bare, double layers, double depth) {
    const auto bits = [](double x) { return std::bit_cast<std::uint64_t>(x); };
    std::uint64_t h = bits(bare) * 0x9E3779B97F4A7C15ull;
    h ^= bits(layers) + 0x7F4A7C159E3779B9ull + (h << 6) + (h >> 2);
    h ^= bits(depth) + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
    return static_cast<std::size_t>(h >> 32) & (kCacheSlots - 1);
}

}  // namespace

CopperLossCache::CopperLossCache() : entries_(kCacheSlots) {}

const RampShape& CopperLossCache::shape(double fraction, std::size_t slot) {
    RampShape& shape = shapes_[slot];
    if (shape.fraction != fraction) shape = rampShape(fraction);
    return shape;
}

const CopperLossCache::Factors& CopperLossCache::factors(double bare, double insulated, double layers,
                                                         double depth) {
    Entry& e = entries_[slotOf(bare, layers, depth)];
    if (e.bareDiameter != bare || e.insulatedDiameter != insulated || e.layers != layers ||
        e.skinDepth != depth) {
        e.bareDiameter = bare;
        e.insulatedDiameter = insulated;
        e.layers = layers;
        e.skinDepth = depth;
        harmonicFactors(penetrationRatio(bare, insulated, depth), layers, e.factors);
    }
    return e.factors;
}

double turnLength(const TurnColumn& column, double distance) {
    if (column.shape == TurnColumn::Shape::round) return 2 * kPi * (column.radius + distance);
    return 2 * (column.width + column.depth) + 2 * kPi * distance;
}

double copperResistivity(double temperature) {
    return kResistivity20 * (1 + kTemperatureCoefficient20 * (temperature - 20));
}

double skinDepth(double resistivity, double frequency) {
    return std::sqrt(resistivity / (kPi * frequency * kMu0));
}

double penetrationRatio(double bareDiameter, double insulatedDiameter, double skinDepth) {
    // (π/4)^(3/4): a round wire counted as the square conductor of the same area.
    constexpr double kRoundWire = 0.83429071647955156;
    return kRoundWire * (bareDiameter / skinDepth) * std::sqrt(bareDiameter / insulatedDiameter);
}

double dowellFactor(double penetration, double layers) {
    const double a = penetration;
    const double proximityWeight = 2 * (layers * layers - 1) / 3;
    if (a < kSeriesPenetration) {
        const double a2 = a * a;
        return 1 + (5 * layers * layers - 1) / 45 * a2 * a2;
    }
    // sinh and cosh divided through by e^A (e^2A): finite for every A, one exponential.
    const double u = std::exp(-a);
    const double u2 = u * u;
    const double u4 = u2 * u2;
    const double s = std::sin(a);
    const double c = std::cos(a);
    const double sin2 = 2 * s * c;
    const double cos2 = c * c - s * s;
    const double skin = (1 - u4 + 2 * sin2 * u2) / (1 + u4 - 2 * cos2 * u2);
    const double proximity = (1 - u2 - 2 * s * u) / (1 + u2 + 2 * c * u);
    return a * (skin + proximityWeight * proximity);
}

RampShape rampShape(double fraction) {
    // c_n = I / (D (2πn)²) · (e^(−jθ)(1 + jθ) − 1), θ = 2πnD; the n-th harmonic's rms is √2 |c_n|.
    RampShape shape;
    const double d = fraction;
    shape.fraction = d;
    const double step = 2 * kPi * d;
    const double stepSin = std::sin(step);
    const double stepCos = std::cos(step);
    double s = stepSin;
    double c = stepCos;
    for (std::size_t i = 0; i < shape.divisor.size(); ++i) {
        const double n = static_cast<double>(i + 1);
        const double theta = step * n;
        const double real = 1 - c;
        const double imaginary = theta - s;
        const double order = 2 * kPi * n;
        shape.divisor[i] = d * order * order;
        shape.magnitude[i] = std::sqrt(real * real + imaginary * imaginary);
        // cos and sin of (n + 1)θ₁ by rotation: ten steps stay within a few ulps.
        const double nextC = c * stepCos - s * stepSin;
        s = s * stepCos + c * stepSin;
        c = nextC;
    }
    return shape;
}

RampHarmonics rampHarmonics(const RampCurrent& current, const RampShape& shape) {
    RampHarmonics result;
    const double d = current.fraction;
    if (!(d > 0) || current.peak == 0) return result;
    result.dc = current.peak * d / 2;
    for (std::size_t i = 0; i < result.rms.size(); ++i)
        result.rms[i] = std::numbers::sqrt2 * current.peak / shape.divisor[i] * shape.magnitude[i];
    return result;
}

RampHarmonics rampHarmonics(const RampCurrent& current) {
    if (!(current.fraction > 0) || current.peak == 0) return {};
    return rampHarmonics(current, rampShape(current.fraction));
}

double rampRms(const RampCurrent& current) {
    return current.peak * std::sqrt(current.fraction / 3);
}

const char* windingFaultText(WindingFault fault) {
    switch (fault) {
        case WindingFault::none:
            return "no fault";
        case WindingFault::tooManyWindings:
            return "more windings than a bobbin carries";
        case WindingFault::turnsNegative:
            return "turns below zero";
        case WindingFault::bareDiameterNotPositive:
            return "bare diameter not above zero";
        case WindingFault::insulatedDiameterTooSmall:
            return "insulated diameter below the bare diameter";
        case WindingFault::strandsNotPositive:
            return "fewer than one strand";
        case WindingFault::layersBelowOne:
            return "fewer than one layer";
        case WindingFault::buildNegative:
            return "build or tape below zero";
    }
    return "unknown winding fault";
}

WindingFault checkWindings(std::span<const WindingBuild> windings, std::size_t& index) {
    if (windings.size() > kMaxWindings) {
        index = kMaxWindings;
        return WindingFault::tooManyWindings;
    }
    for (index = 0; index < windings.size(); ++index) {
        const WindingBuild& w = windings[index];
        if (!(std::isfinite(w.turns) && w.turns >= 0)) return WindingFault::turnsNegative;
        if (!(std::isfinite(w.bareDiameter) && w.bareDiameter > 0))
            return WindingFault::bareDiameterNotPositive;
        if (!(std::isfinite(w.insulatedDiameter) && w.insulatedDiameter >= w.bareDiameter))
            return WindingFault::insulatedDiameterTooSmall;
        if (w.strands < 1) return WindingFault::strandsNotPositive;
        if (w.turns > 0 && !(std::isfinite(w.layers) && w.layers >= 1)) return WindingFault::layersBelowOne;
        if (!(std::isfinite(w.build) && w.build >= 0 && std::isfinite(w.tapeBelow) && w.tapeBelow >= 0))
            return WindingFault::buildNegative;
    }
    return WindingFault::none;
}

WindingLoss windingLoss(const WindingBuild& winding, const TurnColumn& column, double middle,
                        const RampCurrent& current, double resistivity, double skinDepthAtFrequency) {
    return lossOf(winding, column, middle, current, rampHarmonics(current), resistivity, skinDepthAtFrequency,
                  nullptr);
}

CopperLosses copperLosses(const TurnColumn& column, std::span<const WindingBuild> windings,
                          const CopperConditions& conditions, CopperLossCache* cache) {
    CopperLosses result;
    const double resistivity = copperResistivity(conditions.temperature);
    const double depth = skinDepth(resistivity, conditions.frequency);
    // Both halves of a sandwich carry the primary current: its harmonics are taken once.
    const auto harmonicsOf = [cache](const RampCurrent& current, std::size_t slot) {
        if (!cache || !(current.fraction > 0) || current.peak == 0) return rampHarmonics(current);
        return rampHarmonics(current, cache->shape(current.fraction, slot));
    };
    const RampHarmonics primary = harmonicsOf(conditions.primary, 0);
    const RampHarmonics secondary = harmonicsOf(conditions.secondary, 1);
    const RampCurrent none;
    const RampHarmonics noHarmonics;
    result.primaryRms = rampRms(conditions.primary);
    result.secondaryRms = rampRms(conditions.secondary);

    double below = 0;  // radial build from the column surface up to this winding
    result.windingCount = windings.size() < kMaxWindings ? windings.size() : kMaxWindings;
    for (std::size_t i = 0; i < result.windingCount; ++i) {
        const WindingBuild& w = windings[i];
        below += w.tapeBelow;
        const double middle = below + w.build / 2;
        below += w.build;
        WindingLoss& loss = result.windings[i];
        switch (w.role) {
            case CopperRole::primary:
                loss = lossOf(w, column, middle, conditions.primary, primary, resistivity, depth, cache);
                result.primaryLoss += loss.loss;
                result.primaryResistance20 += loss.resistance20;
                break;
            case CopperRole::secondary:
                loss = lossOf(w, column, middle, conditions.secondary, secondary, resistivity, depth, cache);
                result.secondaryLoss += loss.loss;
                result.secondaryResistance20 += loss.resistance20;
                break;
            case CopperRole::auxiliary:
                loss = lossOf(w, column, middle, none, noHarmonics, resistivity, depth, cache);
                result.auxiliaryResistance20 += loss.resistance20;
                break;
        }
    }
    result.totalLoss = result.primaryLoss + result.secondaryLoss;
    return result;
}

double copperLossFloor(const TurnColumn& column, std::span<const WindingBuild> windings,
                       const CopperConditions& conditions, CopperFloor kind, CopperLossCache* cache) {
    const double resistivity = copperResistivity(conditions.temperature);
    const double depth = kind == CopperFloor::dc ? 0 : skinDepth(resistivity, conditions.frequency);
    double loss = 0;
    double below = 0;
    for (const WindingBuild& w : windings) {
        below += w.tapeBelow;
        const double middle = below + w.build / 2;
        below += w.build;
        RampCurrent current;
        if (w.role == CopperRole::primary) current = conditions.primary;
        if (w.role == CopperRole::secondary) current = conditions.secondary;
        if (current.peak == 0) continue;
        const double resistance = resistivity * (w.turns * turnLength(column, middle)) / strandArea(w);
        const double rms = rampRms(current);
        if (kind == CopperFloor::dc) {
            loss += resistance * rms * rms;
            continue;
        }
        const double dc = current.peak * current.fraction / 2;
        const double factor =
            cache ? cache->factors(w.bareDiameter, w.insulatedDiameter, w.layers, depth).front()
                  : dowellFactor(penetrationRatio(w.bareDiameter, w.insulatedDiameter, depth), w.layers);
        loss += resistance * (dc * dc + factor * (rms * rms - dc * dc));
    }
    return loss;
}

}  // namespace quillmere
