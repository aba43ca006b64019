#include <gtest/gtest.h>

#include <cmath>

#include "engine/analysis_result.h"
#include "engine/core_figures.h"
#include "engine/number_text.h"

using namespace quillmere;

namespace {

// A solution with the four numbers the figures read (Np_2 0: a plain primary).
Solution record(float np1, float np2, float lp, float ipk) {
    CandidateRecord r;
    r.primaryTurns = np1;
    r.secondHalfTurns = np2;
    r.sandwich = np2 != 0;
    r.inductance = lp;
    r.ipkPrimary = ipk;
    return {1, r, std::nullopt, std::nullopt};
}

TEST(CoreFigures, FiguresOfAPlainAndASandwichedPrimary) {
    const struct {
        const char* what;
        Solution record;
        const char* al;
        const char* gap;
        const char* energy;
    } cases[] = {
        {"plain, solution 1 of the defaults", record(131, 0, 1300, 0.5119878f), "75.75316", "0.3185007",
         "170.3855"},
        {"sandwich: both halves count", record(60, 71, 1300, 0.5119878f), "75.75316", "0.3185007",
         "170.3855"},
        {"sandwich, 1 mH", record(50, 50, 1000, 1), "100", "0.2412743", "500"},
    };
    for (const auto& c : cases) {
        const CoreFiguresResult result = coreFigures(c.record, 19.2f);
        ASSERT_TRUE(result.figures) << c.what << ": " << result.refusal;
        EXPECT_EQ(numberText(result.figures->inductanceFactor), c.al) << c.what;
        EXPECT_EQ(numberText(result.figures->airGap), c.gap) << c.what;
        EXPECT_EQ(numberText(result.figures->storedEnergy), c.energy) << c.what;
    }
}

TEST(CoreFigures, RefusesWhatIsNotAboveZero) {
    const struct {
        const char* what;
        Solution record;
        double ae;
        const char* named;
    } cases[] = {
        {"Lp zero", record(131, 0, 0, 0.5f), 19.2, "Lp"},
        {"Lp negative", record(131, 0, -1300, 0.5f), 19.2, "Lp"},
        {"Lp not a number", record(131, 0, NAN, 0.5f), 19.2, "Lp"},
        {"Np zero", record(0, 0, 1300, 0.5f), 19.2, "Np"},
        {"Np halves cancel", record(-5, 5, 1300, 0.5f), 19.2, "Np"},
        {"Ae zero", record(131, 0, 1300, 0.5f), 0, "AE"},
    };
    for (const auto& c : cases) {
        const CoreFiguresResult result = coreFigures(c.record, c.ae);
        EXPECT_FALSE(result.figures) << c.what;
        EXPECT_NE(result.refusal.find(c.named), std::string::npos) << c.what << ": " << result.refusal;
    }
}

}  // namespace
