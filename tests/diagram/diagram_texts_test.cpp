#include "diagram/diagram_texts.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "tests/diagram/shown_record.h"

namespace {

// Positions in a shown record.
constexpr int kNp1 = 2;
constexpr int kNs = 3;
constexpr int kNp2 = 4;
constexpr int kNf = 5;
constexpr int kPrimaryWire = 6;
constexpr int kFill1 = 18;
constexpr int kFill3 = 20;
constexpr int kFill4 = 21;

DiagramTexts textsOf(const std::vector<std::string>& record, float tapeTurns = 2.0f) {
    const auto shown = shownSolution(record, 0);
    EXPECT_TRUE(shown.has_value());
    return buildDiagramTexts(*shown, tapeTurns);
}

struct WindingLinesCase {
    const char* name;
    std::vector<std::pair<int, std::string>> changes;
    std::array<std::string, 4> lines;
};

void PrintTo(const WindingLinesCase& c, std::ostream* os) {
    *os << c.name;
}

class WindingLines : public testing::TestWithParam<WindingLinesCase> {};

TEST_P(WindingLines, ShowTurnsWireAndFillAsStored) {
    const DiagramTexts texts = textsOf(shownRecordWith(GetParam().changes));
    for (std::size_t n = 0; n < 4; ++n)
        EXPECT_EQ(texts.windingLines[n], GetParam().lines[n]) << "winding " << n + 1;
}

INSTANTIATE_TEST_SUITE_P(
    Records, WindingLines,
    testing::Values(
        WindingLinesCase{
            "PlainWindingRepeatsPrimaryWire",
            {{kNp1, "136"}, {kNs, "52"}, {kNf, "26"}, {kPrimaryWire, "0.35*2"}, {kFill1, "0.6"}},
            {"Winding1:Np_1=136Ts φp1=0.35*2 Layer:0.6", "Winding2:Ns=52Ts φs=0.3*1 Layer:0.9962523",
             "Winding3:Np_2=NoTs φp2=0.35*2 Layer:0", "Winding4:Nf=26Ts φf=0.12*1 Layer:0.395688"}},
        WindingLinesCase{
            "SandwichWireSplitsAtSlash",
            {{kNp1, "60"}, {kNp2, "44"}, {kPrimaryWire, "0.35*2/0.3*2"}, {kFill3, "0.5"}},
            {"Winding1:Np_1=60Ts φp1=0.35*2 Layer:0.9724383", "Winding2:Ns=48Ts φs=0.3*1 Layer:0.9962523",
             "Winding3:Np_2=44Ts φp2=0.3*2 Layer:0.5", "Winding4:Nf=27Ts φf=0.12*1 Layer:0.395688"}},
        WindingLinesCase{
            "ExponentFillShownUnchanged",
            {{kFill1, "4.23e-002"}, {kFill4, "5.e-002"}},
            {"Winding1:Np_1=131Ts φp1=0.23*1 Layer:4.23e-002", "Winding2:Ns=48Ts φs=0.3*1 Layer:0.9962523",
             "Winding3:Np_2=NoTs φp2=0.23*1 Layer:0", "Winding4:Nf=27Ts φf=0.12*1 Layer:5.e-002"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct SplitCase {
    const char* wire;
    const char* first;
    const char* second;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << '"' << c.wire << '"';
}

class PrimaryWireSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(PrimaryWireSplit, GivesBothHalves) {
    const PrimaryWires wires = splitPrimaryWire(GetParam().wire);
    EXPECT_EQ(wires.first, GetParam().first);
    EXPECT_EQ(wires.second, GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(
    Wires, PrimaryWireSplit,
    testing::Values(SplitCase{"0.35*2", "0.35*2", "0.35*2"}, SplitCase{"0.35*2/0.3*2", "0.35*2", "0.3*2"},
                    SplitCase{"0.2*1/0.23*1", "0.2*1", "0.23*1"},
                    // only the second half loses a final point
                    SplitCase{"0.35*2.", "0.35*2.", "0.35*2"}, SplitCase{"0.35*2/0.3.", "0.35*2", "0.3"},
                    SplitCase{"a/b/c", "a", "b/c"}, SplitCase{"/", "", ""}, SplitCase{"", "", ""}));

struct RatioCase {
    const char* np1;
    const char* np2;
    const char* ns;
    const char* text;
};

void PrintTo(const RatioCase& c, std::ostream* os) {
    *os << c.np1 << " + " << c.np2 << " over " << c.ns;
}

class TurnsRatio : public testing::TestWithParam<RatioCase> {};

TEST_P(TurnsRatio, Text) {
    EXPECT_EQ(turnsRatioText(GetParam().np1, GetParam().np2, GetParam().ns), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Turns, TurnsRatio,
    testing::Values(RatioCase{"136", "No", "52", "Np/Ns=2.615385"},
                    // rounded to single precision first: the double quotient reads 2.476190
                    RatioCase{"60", "44", "42", "Np/Ns=2.476191"},
                    RatioCase{"106", "No", "52", "Np/Ns=2.038461"}, RatioCase{"104", "No", "52", "Np/Ns=2"},
                    RatioCase{"1.2e+002", "No", "4.e+001", "Np/Ns=3"},
                    RatioCase{"12", "No", "1000", "Np/Ns=1.2e-002"}, RatioCase{"No", "No", "5", "Np/Ns=0"},
                    RatioCase{"136", "No", "0", "Np/Ns=--"}, RatioCase{"136", "No", "No", "Np/Ns=--"},
                    RatioCase{"136", "No", "", "Np/Ns=--"}, RatioCase{"1e300", "No", "1e-300", "Np/Ns=--"}));

TEST(TapeText, TapeTurnsInRecordNotation) {
    const std::vector<std::pair<float, std::string>> cases = {
        {2.0f, "2Ts Ins...Tape"},        {2.5f, "2.5Ts Ins...Tape"},
        {0.0f, "0Ts Ins...Tape"},        {0.1f, "0.1Ts Ins...Tape"},
        {0.05f, "5.e-002Ts Ins...Tape"}, {12345678.0f, "1.234568e+007Ts Ins...Tape"}};
    for (const auto& [turns, text] : cases) EXPECT_EQ(tapeText(turns), text) << turns;
}

TEST(DiagramTexts, SummaryLinesCarryStoredFields) {
    const DiagramTexts texts = textsOf(plainShownRecord(), 2.5f);
    EXPECT_EQ(texts.inductance, "Inductance(Lp)1300μH  Bpk=2620GS");
    EXPECT_EQ(texts.frequency, "Frq=49kHz");
    EXPECT_EQ(texts.duty, "DMax=42");
    EXPECT_EQ(texts.reflectedVoltage, "Vor=64.68V");
    EXPECT_EQ(texts.turnsRatio, "Np/Ns=2.729167");
    EXPECT_EQ(texts.tape, "2.5Ts Ins...Tape");
}

struct BandCase {
    const char* fill;
    int left;
    int right;
};

void PrintTo(const BandCase& c, std::ostream* os) {
    *os << "fill " << c.fill;
}

class Band : public testing::TestWithParam<BandCase> {};

TEST_P(Band, Span) {
    const BandSpan span = bandSpan(GetParam().fill);
    EXPECT_EQ(span.left, GetParam().left) << GetParam().fill;
    EXPECT_EQ(span.right, GetParam().right) << GetParam().fill;
}

INSTANTIATE_TEST_SUITE_P(Fills, Band,
                         testing::Values(BandCase{"0.5", 311, 490}, BandCase{"4.23e-002", 393, 408},
                                         BandCase{"1", 222, 580}, BandCase{"0", 401, 401},
                                         BandCase{"0.9724383", 226, 575}, BandCase{"0.395688", 330, 471},
                                         // unreadable or impossible fills stay inside the slot
                                         BandCase{"No", 401, 401}, BandCase{"-0.5", 401, 401},
                                         BandCase{"1.5", 222, 580}, BandCase{"1e999", 222, 580},
                                         BandCase{"-1e999", 401, 401}));

}  // namespace
