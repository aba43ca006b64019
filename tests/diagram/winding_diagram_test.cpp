#include "diagram/winding_diagram.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPen>

#include <algorithm>
#include <climits>
#include <ostream>
#include <string>
#include <vector>

#include "tests/diagram/shown_record.h"

namespace {

constexpr int kFill1 = 18;

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 150, 65);
const QColor kOrange(255, 128, 0);
const QColor kOlive(128, 128, 0);
const QColor kBlack(0, 0, 0);

QColor windowColour() {
    return QPalette().color(QPalette::Window);
}

QImage blankForm() {
    QImage image(708, 480, QImage::Format_RGB32);
    image.fill(windowColour());
    return image;
}

QImage render(const std::vector<std::string>& records, int selected, int sandwichWinding,
              float tapeTurns = 2.0f) {
    QImage image = blankForm();
    QPainter painter(&image);
    paintWindingDiagram(painter, records, selected, sandwichWinding, tapeTurns);
    return image;
}

// A record whose windings all have the fill `fill` except winding `winding` (1 to 4).
std::vector<std::string> onlyWindingFilled(int winding, const std::string& fill) {
    std::vector<std::pair<int, std::string>> changes;
    for (int n = 1; n <= 4; ++n) changes.emplace_back(kFill1 + n - 1, n == winding ? fill : "0");
    return shownRecordWith(changes);
}

struct BandCase {
    int winding;
    const char* fill;
    int left;   // first pixel of the band
    int right;  // first pixel after it
};

void PrintTo(const BandCase& c, std::ostream* os) {
    *os << "winding " << c.winding << " fill " << c.fill;
}

class BandPixels : public testing::TestWithParam<BandCase> {};

// Rows top and top + 24 of each band hold no text, so the band shows plainly there.
TEST_P(BandPixels, FillsFromLeftUpToRight) {
    const BandCase& c = GetParam();
    static const QColor colours[] = {kGreen, kOrange, kGreen, kOlive};
    const QColor colour = colours[c.winding - 1];
    const int top = 400 - 25 * c.winding;
    const QImage image = render(onlyWindingFilled(c.winding, c.fill), 0, 1);
    for (const int y : {top, top + 24}) {
        EXPECT_EQ(image.pixelColor(c.left, y), colour) << "left edge, y " << y;
        EXPECT_EQ(image.pixelColor(c.right - 1, y), colour) << "right edge, y " << y;
        EXPECT_NE(image.pixelColor(c.left - 1, y), colour) << "before the band, y " << y;
        EXPECT_NE(image.pixelColor(c.right, y), colour) << "after the band, y " << y;
    }
    EXPECT_NE(image.pixelColor(c.left, top - 1), colour) << "above the band";
    EXPECT_NE(image.pixelColor(c.left, top + 25), colour) << "below the band";
}

INSTANTIATE_TEST_SUITE_P(Fills, BandPixels,
                         testing::Values(BandCase{1, "0.5", 311, 490}, BandCase{2, "0.5", 311, 490},
                                         BandCase{3, "0.5", 311, 490}, BandCase{4, "0.5", 311, 490},
                                         BandCase{1, "4.23e-002", 393, 408},
                                         BandCase{4, "4.23e-002", 393, 408}, BandCase{1, "1", 222, 580},
                                         BandCase{2, "1", 222, 580}));

TEST(WindingDiagram, EmptyFillLeavesBandOpen) {
    const QImage image = render(onlyWindingFilled(1, "0"), 0, 1);
    for (int x = 223; x < 580; ++x) {
        for (const int y : {300, 325, 350, 375}) ASSERT_EQ(image.pixelColor(x, y), kRed) << x << "," << y;
        for (const int y : {301, 324, 326, 349, 351, 374, 376, 399})
            ASSERT_EQ(image.pixelColor(x, y), windowColour()) << x << "," << y;
    }
}

TEST(WindingDiagram, SecondPrimaryBandBlackWithoutSandwich) {
    const QImage plain = render(onlyWindingFilled(1, "0.5"), 0, 0);
    for (int x = 222; x < 580; ++x) {
        ASSERT_EQ(plain.pixelColor(x, 325), kBlack) << x;
        ASSERT_EQ(plain.pixelColor(x, 349), kBlack) << x;
        ASSERT_NE(plain.pixelColor(x, 350), kBlack) << x;
    }
    EXPECT_EQ(plain.pixelColor(221, 330), windowColour());
    EXPECT_EQ(plain.pixelColor(580, 330), kRed);

    const QImage sandwich = render(onlyWindingFilled(1, "0.5"), 0, 1);
    EXPECT_EQ(sandwich.pixelColor(222, 330), kRed);
    EXPECT_EQ(sandwich.pixelColor(300, 330), windowColour());
}

TEST(WindingDiagram, SlotOutline) {
    const QImage image = render(onlyWindingFilled(1, "0.5"), 0, 1);
    for (int y = 290; y <= 400; ++y) {
        EXPECT_EQ(image.pixelColor(222, y), kRed) << "left wall, y " << y;
        EXPECT_EQ(image.pixelColor(580, y), kRed) << "right wall, y " << y;
        EXPECT_EQ(image.pixelColor(221, y), windowColour()) << "outside left, y " << y;
        EXPECT_EQ(image.pixelColor(581, y), windowColour()) << "outside right, y " << y;
    }
    for (const int x : {222, 580}) {
        EXPECT_EQ(image.pixelColor(x, 289), windowColour()) << x;
        EXPECT_EQ(image.pixelColor(x, 401), windowColour()) << x;
    }
    for (int x = 222; x <= 580; ++x) EXPECT_EQ(image.pixelColor(x, 400), kRed) << "bobbin inside, x " << x;
}

// Text positions are top-left corners: the first winding line's ink starts below y 382 and
// right of x 250 and stays inside its band.
TEST(WindingDiagram, WindingLineInkInsideItsBand) {
    const QImage image = render(onlyWindingFilled(1, "0"), 0, 1);
    int inkTop = 480;
    int inkBottom = -1;
    int inkLeft = 708;
    for (int y = 376; y < 400; ++y) {
        for (int x = 223; x < 580; ++x) {
            if (qGray(image.pixel(x, y)) < 100) {
                inkTop = std::min(inkTop, y);
                inkBottom = std::max(inkBottom, y);
                inkLeft = std::min(inkLeft, x);
            }
        }
    }
    ASSERT_GE(inkBottom, 0) << "no text in the band";
    EXPECT_GE(inkTop, 382);
    EXPECT_LE(inkTop, 390);
    EXPECT_GE(inkLeft, 250);
    EXPECT_LE(inkLeft, 254);
    EXPECT_LE(inkBottom, 399);
}

TEST(WindingDiagram, NothingDrawnWithoutSuchSolution) {
    std::vector<std::string> two = plainShownRecord();
    const std::vector<std::string> second = plainShownRecord();
    two.insert(two.end(), second.begin(), second.end());
    std::vector<std::string> truncated = two;  // a whole record, then one text short of another
    truncated.pop_back();
    const std::vector<std::string> empty;

    const QImage blank = blankForm();
    struct Case {
        const char* name;
        const std::vector<std::string>* records;
        int selected;
    };
    for (const Case& c :
         {Case{"no records", &empty, 0}, Case{"no selection", &two, -1}, Case{"past the end", &two, 2},
          Case{"far past the end", &two, INT_MAX}, Case{"truncated record", &truncated, 1}}) {
        EXPECT_EQ(render(*c.records, c.selected, 0), blank) << c.name;
    }
    EXPECT_NE(render(truncated, 0, 0), blank) << "the whole record before a truncated one";
}

TEST(WindingDiagram, DrawsTheSelectedSolution) {
    std::vector<std::string> records = onlyWindingFilled(1, "1");
    const std::vector<std::string> second = onlyWindingFilled(1, "0.5");
    records.insert(records.end(), second.begin(), second.end());
    EXPECT_EQ(render(records, 0, 1).pixelColor(230, 376), kGreen);
    EXPECT_EQ(render(records, 1, 1).pixelColor(230, 376), windowColour());
}

TEST(WindingDiagram, LeavesPainterAsItFoundIt) {
    QImage image = blankForm();
    QPainter painter(&image);
    const QPen pen(QColor(0, 0, 255), 3);
    const QFont font(QStringLiteral("宋体"), 20);
    painter.setPen(pen);
    painter.setFont(font);
    paintWindingDiagram(painter, plainShownRecord(), 0, 0, 2.0f);
    EXPECT_EQ(painter.pen(), pen);
    EXPECT_EQ(painter.font(), font);
}

}  // namespace
