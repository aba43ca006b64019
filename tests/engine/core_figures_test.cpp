#include <gtest/gtest.h>

#include "engine/core_figures.h"
#include "engine/number_text.h"

namespace {

// A shown record with the four texts the figures read.
std::vector<std::string> record(std::string np1, std::string np2, std::string lp, std::string ipk) {
    std::vector<std::string> r(kShownRecordSize, "0");
    r[static_cast<std::size_t>(RecordField::primaryTurns1)] = std::move(np1);
    r[static_cast<std::size_t>(RecordField::primaryTurns2)] = std::move(np2);
    r[static_cast<std::size_t>(RecordField::inductance)] = std::move(lp);
    r[static_cast<std::size_t>(RecordField::ipkPrimary)] = std::move(ipk);
    return r;
}

TEST(CoreFigures, FiguresOfAPlainAndASandwichedPrimary) {
    const struct {
        const char* what;
        std::vector<std::string> record;
        const char* al;
        const char* gap;
        const char* energy;
    } cases[] = {
        {"plain, solution 1 of the defaults", record("131", "No", "1300", "0.5119878"), "75.75316",
         "0.3185007", "170.3855"},
        {"sandwich: both halves count", record("60", "71", "1300", "0.5119878"), "75.75316", "0.3185007",
         "170.3855"},
        {"sandwich, 1 mH", record("50", "50", "1000", "1"), "100", "0.2412743", "500"},
    };
    for (const auto& c : cases) {
        const CoreFiguresResult result = coreFigures(*shownSolution(c.record, 0), 19.2f);
        ASSERT_TRUE(result.figures) << c.what << ": " << result.refusal;
        EXPECT_EQ(numberText(result.figures->inductanceFactor), c.al) << c.what;
        EXPECT_EQ(numberText(result.figures->airGap), c.gap) << c.what;
        EXPECT_EQ(numberText(result.figures->storedEnergy), c.energy) << c.what;
    }
}

TEST(CoreFigures, RefusesWhatIsNotAboveZero) {
    const struct {
        const char* what;
        std::vector<std::string> record;
        double ae;
        const char* named;
    } cases[] = {
        {"Lp zero", record("131", "No", "0", "0.5"), 19.2, "Lp"},
        {"Lp negative", record("131", "No", "-1300", "0.5"), 19.2, "Lp"},
        {"Lp unreadable", record("131", "No", "Skipped", "0.5"), 19.2, "Lp"},
        {"Np zero", record("0", "No", "1300", "0.5"), 19.2, "Np"},
        {"Np halves cancel", record("-5", "5", "1300", "0.5"), 19.2, "Np"},
        {"Ae zero", record("131", "No", "1300", "0.5"), 0, "AE"},
    };
    for (const auto& c : cases) {
        const CoreFiguresResult result = coreFigures(*shownSolution(c.record, 0), c.ae);
        EXPECT_FALSE(result.figures) << c.what;
        EXPECT_NE(result.refusal.find(c.named), std::string::npos) << c.what << ": " << result.refusal;
    }
}

}  // namespace
