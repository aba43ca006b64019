// The winding diagram: the texts it takes from a shown solution and where it paints.
#include <gtest/gtest.h>

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QRect>

#include <array>
#include <climits>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "diagram/diagram_texts.h"
#include "diagram/winding_diagram.h"
#include "engine/analysis_result.h"

using namespace quillmere;

namespace {

// Solution 1 of the defaults: a plain winding of 131 / 48 / No / 27 turns.
Solution firstSolution() {
    CandidateRecord r;
    r.score = 19.68691f;
    r.primaryTurns = 131;
    r.secondaryTurns = 48;
    r.feedbackTurns = 27;
    r.primaryWire = 0.23f;
    r.secondaryWire = 0.3f;
    r.feedbackWire = 0.12f;
    r.inductance = 1300;
    r.frequency = 49;
    r.fluxDensity = 2620;
    r.onDuty = 42;
    r.ipkPrimary = 0.5119878f;
    r.ipkSecondary = 1.32f;
    r.inputCapacitance = 9.962223f;
    r.reflectedVoltage = 64.68f;
    r.fills = {0.9724383f, 0.9962523f, 0, 0.395688f};
    return {1, r, std::nullopt, std::nullopt};
}

DiagramTexts textsOf(const Solution& solution, float tapeTurns = 2.0f) {
    return buildDiagramTexts(solution, tapeTurns);
}

TEST(DiagramTexts, WindingLinesShowTurnsWireAndFillAsStored) {
    Solution sandwich = firstSolution();
    sandwich.numbers.sandwich = true;
    sandwich.numbers.primaryTurns = 60;
    sandwich.numbers.secondHalfTurns = 44;
    sandwich.numbers.primaryWire = 0.35f;
    sandwich.numbers.secondHalfWire = 0.3f;
    sandwich.numbers.primaryStrands = 2;
    sandwich.numbers.fills[2] = 0.5f;
    const std::array<std::string, 4> lines = {
        "Winding1:Np_1=60Ts φp1=0.35*2 Layer:0.9724383", "Winding2:Ns=48Ts φs=0.3*1 Layer:0.9962523",
        "Winding3:Np_2=44Ts φp2=0.3*2 Layer:0.5", "Winding4:Nf=27Ts φf=0.12*1 Layer:0.395688"};
    EXPECT_EQ(textsOf(sandwich).windingLines, lines);
}

TEST(DiagramTexts, PrimaryWireSplitsAtTheFirstSlash) {
    // {wire, first half, second half}: only the second half loses a final point.
    const std::array<std::string, 3> cases[] = {{"0.35*2", "0.35*2", "0.35*2"},
                                                {"0.35*2/0.3*2", "0.35*2", "0.3*2"},
                                                {"0.35*2.", "0.35*2.", "0.35*2"},
                                                {"0.35*2/0.3.", "0.35*2", "0.3"},
                                                {"a/b/c", "a", "b/c"},
                                                {"", "", ""}};
    for (const auto& [wire, first, second] : cases) {
        const PrimaryWires halves = splitPrimaryWire(wire);
        EXPECT_EQ(std::pair(halves.first, halves.second), std::pair(first, second)) << wire;
    }
}

TEST(DiagramTexts, TurnsRatio) {
    const struct {
        double np1, np2, ns;
        const char* text;
    } cases[] = {{136, 0, 52, "Np/Ns=2.615385"},
                 {60, 44, 42, "Np/Ns=2.476191"},  // single precision: the double
                                                  // quotient reads 2.476190
                 {120, 0, 40, "Np/Ns=3"},
                 {0, 0, 5, "Np/Ns=0"},
                 {136, 0, 0, "Np/Ns=--"},
                 {1e300, 0, 1e-300, "Np/Ns=--"}};
    for (const auto& c : cases)
        EXPECT_EQ(turnsRatioText(c.np1, c.np2, c.ns), c.text) << c.np1 << " + " << c.np2 << " over " << c.ns;
    // A solution's ratio uses its turns as shown: 1.234567e7 is written and read as 1.234567e+007.
    Solution large = firstSolution();
    large.numbers.primaryTurns = 12345674;
    large.numbers.secondaryTurns = 1;
    EXPECT_EQ(turnsRatioText(large), "Np/Ns=1.234567e+007");
}

TEST(DiagramTexts, SummaryLinesCarryTheirFields) {
    const DiagramTexts texts = textsOf(firstSolution(), 0.05f);
    EXPECT_EQ(texts.inductance, "Inductance(Lp)1300μH  Bpk=2620GS");
    EXPECT_EQ(texts.frequency, "Frq=49kHz");
    EXPECT_EQ(texts.duty, "DMax=42");
    EXPECT_EQ(texts.reflectedVoltage, "Vor=64.68V");
    EXPECT_EQ(texts.turnsRatio, "Np/Ns=2.729167");
    EXPECT_EQ(texts.tape, "5.e-002Ts Ins...Tape");  // in record notation
}

TEST(DiagramTexts, BandSpanIsCentredAndHeldToTheSlot) {
    const struct {
        double fill;
        int left;
        int right;
    } cases[] = {{0.5, 311, 490},  {0.0423, 393, 408}, {1, 222, 580},        {0, 401, 401},
                 {-0.5, 401, 401}, {1.5, 222, 580},    {HUGE_VAL, 222, 580}, {NAN, 401, 401}};
    for (const auto& c : cases) {
        const BandSpan span = bandSpan(c.fill);
        EXPECT_EQ(std::pair(span.left, span.right), std::pair(c.left, c.right)) << c.fill;
    }
}

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 150, 65);
const QColor kOrange(255, 128, 0);
const QColor kOlive(128, 128, 0);
const QColor kBlack(0, 0, 0);

QColor formColour() {
    return QPalette().color(QPalette::Window);
}

QImage blankForm() {
    QImage image(708, 480, QImage::Format_RGB32);
    image.fill(formColour());
    return image;
}

QImage render(const std::vector<Solution>& records, int selected, int sandwichWinding) {
    QImage image = blankForm();
    QPainter painter(&image);
    paintWindingDiagram(painter, records, selected, sandwichWinding, 2.0f);
    return image;
}

// A solution whose windings are all empty but winding `winding` (1 to 4), filled to `fill`.
std::vector<Solution> onlyWindingFilled(int winding, float fill) {
    Solution solution = firstSolution();
    for (int n = 1; n <= 4; ++n)
        solution.numbers.fills[static_cast<std::size_t>(n - 1)] = n == winding ? fill : 0;
    return {solution};
}

// Whether every pixel of the area from `first` to `last` (both included) has `colour`.
testing::AssertionResult filled(const QImage& image, QPoint first, QPoint last, const QColor& colour) {
    for (int y = first.y(); y <= last.y(); ++y)
        for (int x = first.x(); x <= last.x(); ++x)
            if (image.pixelColor(x, y) != colour)
                return testing::AssertionFailure()
                       << x << ',' << y << " is " << image.pixelColor(x, y).name().toStdString();
    return testing::AssertionSuccess();
}

TEST(WindingDiagram, EachWindingFillsItsOwnBandInItsColour) {
    // Winding 1 lies on the bobbin; rows top and top + 24 of a band hold no text.
    const QColor colours[] = {kGreen, kOrange, kGreen, kOlive};
    for (int winding = 1; winding <= 4; ++winding) {
        const QColor& colour = colours[winding - 1];
        const int top = 400 - 25 * winding;
        const QImage image = render(onlyWindingFilled(winding, 0.5f), 0, 1);
        for (const int y : {top, top + 24}) {
            EXPECT_TRUE(filled(image, {311, y}, {489, y}, colour)) << "winding " << winding;
            EXPECT_NE(image.pixelColor(310, y), colour) << "winding " << winding << " left of the band";
            EXPECT_NE(image.pixelColor(490, y), colour) << "winding " << winding << " right of the band";
        }
        EXPECT_NE(image.pixelColor(311, top - 1), colour) << "winding " << winding << " above the band";
        EXPECT_NE(image.pixelColor(311, top + 25), colour) << "winding " << winding << " below the band";
    }
}

TEST(WindingDiagram, OutlineAroundEmptyBands) {
    const QImage image = render(onlyWindingFilled(1, 0), 0, 1);
    for (const auto& [wall, outside] : {std::pair{222, 221}, std::pair{580, 581}}) {
        EXPECT_TRUE(filled(image, {wall, 290}, {wall, 400}, kRed)) << "wall " << wall;
        EXPECT_TRUE(filled(image, {outside, 289}, {outside, 401}, formColour())) << "beside wall " << wall;
        EXPECT_EQ(image.pixelColor(wall, 289), formColour()) << "above wall " << wall;
        EXPECT_EQ(image.pixelColor(wall, 401), formColour()) << "below wall " << wall;
    }
    for (int top = 300; top < 400; top += 25) {
        EXPECT_TRUE(filled(image, {222, top}, {580, top}, kRed)) << "separator " << top;
        EXPECT_TRUE(filled(image, {223, top + 1}, {579, top + 1}, formColour())) << "band " << top;
        EXPECT_TRUE(filled(image, {223, top + 24}, {579, top + 24}, formColour())) << "band " << top;
    }
    EXPECT_TRUE(filled(image, {222, 400}, {580, 400}, kRed)) << "bobbin inside";
}

TEST(WindingDiagram, SecondPrimaryBandIsBlackWithoutSandwich) {
    const QImage plain = render(onlyWindingFilled(1, 0.5f), 0, 0);
    EXPECT_TRUE(filled(plain, {222, 325}, {579, 325}, kBlack));
    EXPECT_TRUE(filled(plain, {222, 349}, {579, 349}, kBlack));
    EXPECT_TRUE(filled(plain, {222, 350}, {580, 350}, kRed));
    EXPECT_EQ(plain.pixelColor(221, 330), formColour());
    EXPECT_EQ(plain.pixelColor(580, 330), kRed);

    const QImage sandwich = render(onlyWindingFilled(1, 0.5f), 0, 1);
    EXPECT_EQ(sandwich.pixelColor(222, 330), kRed);
    EXPECT_EQ(sandwich.pixelColor(300, 330), formColour());
}

// Text positions are top-left corners: the first winding line's ink starts at y 382 or a
// little below and at x 250, and stays inside its band.
TEST(WindingDiagram, WindingLineInkInsideItsBand) {
    const QImage image = render(onlyWindingFilled(1, 0), 0, 1);
    QRect ink;
    for (int y = 376; y < 400; ++y)
        for (int x = 223; x < 580; ++x)
            if (qGray(image.pixel(x, y)) < 100) ink |= QRect(x, y, 1, 1);
    ASSERT_FALSE(ink.isNull()) << "no text in the band";
    EXPECT_GE(ink.top(), 382);
    EXPECT_LE(ink.top(), 390);
    EXPECT_GE(ink.left(), 250);
    EXPECT_LE(ink.left(), 254);
    EXPECT_LE(ink.bottom(), 399);
}

TEST(WindingDiagram, DrawsOnlyTheSelectedWholeSolution) {
    std::vector<Solution> two = onlyWindingFilled(1, 1);
    two.push_back(onlyWindingFilled(1, 0.5f).front());
    EXPECT_EQ(render(two, 0, 1).pixelColor(230, 376), kGreen);
    EXPECT_EQ(render(two, 1, 1).pixelColor(230, 376), formColour());

    const std::vector<Solution> none;
    const struct {
        const char* what;
        const std::vector<Solution>& records;
        int selected;
    } nothing[] = {{"no records", none, 0},
                   {"no selection", two, -1},
                   {"past the end", two, 2},
                   {"far past the end", two, INT_MAX}};
    for (const auto& c : nothing) EXPECT_EQ(render(c.records, c.selected, 0), blankForm()) << c.what;
}

TEST(WindingDiagram, LeavesThePainterAsItFoundIt) {
    QImage image = blankForm();
    QPainter painter(&image);
    const QPen pen(QColor(0, 0, 255), 3);
    const QFont font(QStringLiteral("宋体"), 20);
    painter.setPen(pen);
    painter.setFont(font);
    paintWindingDiagram(painter, {firstSolution()}, 0, 0, 2.0f);
    EXPECT_EQ(painter.pen(), pen);
    EXPECT_EQ(painter.font(), font);
}

}  // namespace
