#include "engine/candidate.h"

#include <cmath>

namespace quillmere {

namespace {

bool allFinite(std::initializer_list<float> values) {
    for (float v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

}  // namespace

std::optional<float> snapInductance(float inductance) {
    float lp = inductance;
    if (lp < 1000.0) {
        bool matched = false;
        for (int k = 1; k <= 21 && !matched; ++k) {
            if (std::fabs(50.0 * k - lp) < 15.0) {
                lp = static_cast<float>(50 * k);
                matched = true;
            }
        }
        if (!matched) return std::nullopt;
    }
    if (lp >= 1000.0) {
        for (int k = 1; k <= 100; ++k) {
            if (std::fabs(100.0 * k - lp) < 35.0) return static_cast<float>(100 * k);
        }
        return std::nullopt;
    }
    return lp;
}

double roundTurns(double value) {
    const double whole = std::trunc(value);
    return value - whole >= 0.5 ? whole + 1 : whole;
}

ElectricalDesign designElectrical(const SearchSetup& setup, float workFrequency, const GridPoint& point) {
    const DesignInputs& in = setup.inputs;
    const RuleSet& rules = setup.rules;
    const double D = point.onDuty;
    const double Vdc = point.busVoltage;
    const double f = point.frequency;
    const double B = point.fluxDensity;
    const double Vout = in.outputVoltage;
    const double Iout = in.outputCurrent;
    const double eta = in.efficiency;
    const double Vsw = rules.switchDrop;
    const double Vd = rules.diodeDrop;

    ElectricalDesign e;
    float lp = 0;
    float npRaw = 0;
    if (rules.ccMode) {
        const double Dout = rules.outputDuty;
        e.ipkSecondary = static_cast<float>(100 * Iout / Dout * 2);
        e.reflectedVoltage = static_cast<float>((Vdc - Vsw) * D / Dout);
        e.turnsRatio = static_cast<float>(e.reflectedVoltage / (Vout + Vd));
        e.ipkPrimary = static_cast<float>(e.ipkSecondary / (std::sqrt(eta * 0.01) * e.turnsRatio));
        lp = static_cast<float>((Vdc - Vsw) * (D * 0.01 / (f * 1000)) * 1000000 / e.ipkPrimary);
        npRaw =
            static_cast<float>(((Vdc - Vsw) * 0.01 * D / (f * 1000)) / (B * 0.0001 * in.coreAe * 0.000001));
    } else {
        const double idle = rules.idleRatio;
        const double fw = workFrequency;
        e.ipkSecondary = static_cast<float>(2 * Iout / ((1 - D * 0.01) - idle * 0.01));
        e.ipkPrimary = static_cast<float>(2 * Vout * Iout / (eta * 0.01 * (Vdc - Vsw) * D * 0.01));
        e.turnsRatio = static_cast<float>(e.ipkSecondary / (std::sqrt(eta * 0.01) * e.ipkPrimary));
        e.reflectedVoltage = static_cast<float>((Vout + Vd) * e.turnsRatio);
        const auto ton = static_cast<float>((1 / fw) * (Vout + Vd) * e.turnsRatio * (1 - idle * 0.01) /
                                            ((Vdc - Vsw) + (Vout + Vd) * e.turnsRatio));
        lp = static_cast<float>((Vdc - Vsw) * 1000 * (Vdc - Vsw) * ton * ton * (eta * 0.01) * fw /
                                (2 * Vout * Iout));
        npRaw =
            static_cast<float>((Vdc - Vsw) * 0.01 * D / (1000 * fw) / (B * 0.0001 * in.coreAe * 0.000001));
    }

    const std::optional<float> snapped = snapInductance(lp);
    e.rejected = !snapped;
    e.inductance = snapped.value_or(lp);

    // The input bulk capacitance at the minimum input voltage (reported only).
    const double Vac = in.minInputVac;
    const double Vpk = Vac * 1.414;
    const auto vlow = static_cast<float>(Vpk * (1 - (Vpk - Vdc) * 0.01));
    const auto theta = static_cast<float>(std::acos(vlow / (Vac * 1.414)));
    const auto tc = static_cast<float>(theta * (10 / 3.1415926));
    e.inputCapacitance = static_cast<float>(2 * Vout * Iout * 100 / eta * 1000 * (10.0 - tc) /
                                            (2 * Vac * Vac - static_cast<double>(vlow) * vlow));

    e.primaryTurns = static_cast<float>(roundTurns(npRaw));
    e.secondaryTurns = static_cast<float>(roundTurns(static_cast<double>(e.primaryTurns) / e.turnsRatio));
    e.feedbackTurns =
        static_cast<float>(roundTurns(static_cast<double>(in.feedbackVoltage) / Vout * e.secondaryTurns));
    if (rules.evenTurns && std::fmod(std::trunc(static_cast<double>(e.primaryTurns)), 2.0) != 0)
        e.rejected = true;

    e.skinDepthLimit =
        rules.skinEffect != 0
            ? static_cast<float>(2 * ((rules.tempRise - 20.0) * 0.0042 + 1) * 66.1 / std::sqrt(f * 1000))
            : 5000.0f;

    if (!allFinite({e.ipkSecondary, e.reflectedVoltage, e.turnsRatio, e.ipkPrimary, lp, npRaw, e.primaryTurns,
                    e.secondaryTurns, e.feedbackTurns, e.inputCapacitance, e.skinDepthLimit})) {
        e.rejected = true;
    }
    // Finite is not enough: an idle ratio that leaves no conduction time or a negative feedback
    // voltage gives negative turns or currents. A feedback winding may have no turns.
    if (!(e.primaryTurns > 0) || !(e.secondaryTurns > 0) || !(e.ipkPrimary > 0) || !(e.ipkSecondary > 0) ||
        !(e.reflectedVoltage > 0) || e.feedbackTurns < 0) {
        e.rejected = true;
    }
    return e;
}

}  // namespace quillmere
