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
#include <string>
#include <utility>
#include <vector>

#include "diagram/diagram_texts.h"
#include "diagram/winding_diagram.h"

namespace {

using F = RecordField;
using Changes = std::vector<std::pair<RecordField, std::string>>;

// A shown solution of a plain winding (131 / 48 / No / 27 turns) with `changes` made.
std::vector<std::string> shownRecord(const Changes& changes = {}) {
    std::vector<std::string> record = {"1.",        "19.68691",  "131",       "48",      "No",       "27",
                                       "0.23*1",    "0.3*1",     "0.12*1",    "1300",    "49",       "2620",
                                       "Skipped",   "42",        "0.5119878", "1.32",    "9.962223", "64.68",
                                       "0.9724383", "0.9962523", "0",         "0.395688"};
    for (const auto& [at, text] : changes) record.at(static_cast<std::size_t>(at)) = text;
    return record;
}

DiagramTexts textsOf(const std::vector<std::string>& record, float tapeTurns = 2.0f) {
    return buildDiagramTexts(*shownSolution(record, 0), tapeTurns);
}

TEST(DiagramTexts, WindingLinesShowTurnsWireAndFillAsStored) {
    const Changes sandwich = {{F::primaryTurns1, "60"},
                              {F::primaryTurns2, "44"},
                              {F::primaryWire, "0.35*2/0.3*2"},
                              {F::fill3, "0.5"}};
    const std::array<std::string, 4> lines = {
        "Winding1:Np_1=60Ts φp1=0.35*2 Layer:0.9724383", "Winding2:Ns=48Ts φs=0.3*1 Layer:0.9962523",
        "Winding3:Np_2=44Ts φp2=0.3*2 Layer:0.5", "Winding4:Nf=27Ts φf=0.12*1 Layer:0.395688"};
    EXPECT_EQ(textsOf(shownRecord(sandwich)).windingLines, lines);
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
    // {Np_1, Np_2, Ns, text}
    const std::array<const char*, 4> cases[] = {
        {"136", "No", "52", "Np/Ns=2.615385"},
        {"60", "44", "42", "Np/Ns=2.476191"},  // single precision: the double quotient reads 2.476190
        {"1.2e+002", "No", "4.e+001", "Np/Ns=3"},
        {"No", "No", "5", "Np/Ns=0"},
        {"136", "No", "0", "Np/Ns=--"},
        {"1e300", "No", "1e-300", "Np/Ns=--"}};
    for (const auto& [np1, np2, ns, text] : cases)
        EXPECT_EQ(turnsRatioText(np1, np2, ns), text) << np1 << " + " << np2 << " over " << ns;
}

TEST(DiagramTexts, SummaryLinesCarryTheirFields) {
    const DiagramTexts texts = textsOf(shownRecord(), 0.05f);
    EXPECT_EQ(texts.inductance, "Inductance(Lp)1300μH  Bpk=2620GS");
    EXPECT_EQ(texts.frequency, "Frq=49kHz");
    EXPECT_EQ(texts.duty, "DMax=42");
    EXPECT_EQ(texts.reflectedVoltage, "Vor=64.68V");
    EXPECT_EQ(texts.turnsRatio, "Np/Ns=2.729167");
    EXPECT_EQ(texts.tape, "5.e-002Ts Ins...Tape");  // in record notation
}

TEST(DiagramTexts, BandSpanIsCentredAndHeldToTheSlot) {
    const struct {
        const char* fill;
        int left;
        int right;
    } cases[] = {{"0.5", 311, 490},  {"4.23e-002", 393, 408}, {"1", 222, 580},    {"0", 401, 401},
                 {"-0.5", 401, 401}, {"1.5", 222, 580},       {"1e999", 222, 580}};
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

QImage render(const std::vector<std::string>& records, int selected, int sandwichWinding) {
    QImage image = blankForm();
    QPainter painter(&image);
    paintWindingDiagram(painter, records, selected, sandwichWinding, 2.0f);
    return image;
}

// A record whose windings are all empty but winding `winding` (1 to 4), filled to `fill`.
std::vector<std::string> onlyWindingFilled(int winding, const std::string& fill) {
    const RecordField fills[] = {F::fill1, F::fill2, F::fill3, F::fill4};
    Changes changes;
    for (int n = 1; n <= 4; ++n) changes.emplace_back(fills[n - 1], n == winding ? fill : "0");
    return shownRecord(changes);
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
        const QImage image = render(onlyWindingFilled(winding, "0.5"), 0, 1);
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
    const QImage image = render(onlyWindingFilled(1, "0"), 0, 1);
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
    const QImage plain = render(onlyWindingFilled(1, "0.5"), 0, 0);
    EXPECT_TRUE(filled(plain, {222, 325}, {579, 325}, kBlack));
    EXPECT_TRUE(filled(plain, {222, 349}, {579, 349}, kBlack));
    EXPECT_TRUE(filled(plain, {222, 350}, {580, 350}, kRed));
    EXPECT_EQ(plain.pixelColor(221, 330), formColour());
    EXPECT_EQ(plain.pixelColor(580, 330), kRed);

    const QImage sandwich = render(onlyWindingFilled(1, "0.5"), 0, 1);
    EXPECT_EQ(sandwich.pixelColor(222, 330), kRed);
    EXPECT_EQ(sandwich.pixelColor(300, 330), formColour());
}

// Text positions are top-left corners: the first winding line's ink starts at y 382 or a
// little below and at x 250, and stays inside its band.
TEST(WindingDiagram, WindingLineInkInsideItsBand) {
    const QImage image = render(onlyWindingFilled(1, "0"), 0, 1);
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
    std::vector<std::string> two = onlyWindingFilled(1, "1");
    const std::vector<std::string> second = onlyWindingFilled(1, "0.5");
    two.insert(two.end(), second.begin(), second.end());
    EXPECT_EQ(render(two, 0, 1).pixelColor(230, 376), kGreen);
    EXPECT_EQ(render(two, 1, 1).pixelColor(230, 376), formColour());

    std::vector<std::string> truncated = two;  // a whole record, then one text short of another
    truncated.pop_back();
    const std::vector<std::string> none;
    const struct {
        const char* what;
        const std::vector<std::string>& records;
        int selected;
    } nothing[] = {{"no records", none, 0},
                   {"no selection", two, -1},
                   {"past the end", two, 2},
                   {"far past the end", two, INT_MAX},
                   {"truncated record", truncated, 1}};
    for (const auto& c : nothing) EXPECT_EQ(render(c.records, c.selected, 0), blankForm()) << c.what;
    EXPECT_NE(render(truncated, 0, 0), blankForm()) << "the whole record before a truncated one";
}

TEST(WindingDiagram, LeavesThePainterAsItFoundIt) {
    QImage image = blankForm();
    QPainter painter(&image);
    const QPen pen(QColor(0, 0, 255), 3);
    const QFont font(QStringLiteral("宋体"), 20);
    painter.setPen(pen);
    painter.setFont(font);
    paintWindingDiagram(painter, shownRecord(), 0, 0, 2.0f);
    EXPECT_EQ(painter.pen(), pen);
    EXPECT_EQ(painter.font(), font);
}

}  // namespace
