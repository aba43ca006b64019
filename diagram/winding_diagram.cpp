#include "diagram/winding_diagram.h"

#include <array>

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QLine>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <QString>

#include "diagram/diagram_texts.h"
#include "engine/analysis_result.h"
#include "engine/number_text.h"

using namespace quillmere;

namespace {

// The layout assumes 96 dots per inch: every position is a fixed client pixel, and the
// 10-point text is 13 pixels high there, whatever the screen says.
constexpr int kTextPixelSize = 10 * 96 / 72;

const QColor kOutlineColour(255, 0, 0);
const QColor kPrimaryColour(0, 150, 65);
const QColor kSecondaryColour(255, 128, 0);
const QColor kFeedbackColour(128, 128, 0);
const QColor kTextColour(0, 0, 0);

constexpr int kSlotLeft = 222;
constexpr int kSlotRight = 580;
constexpr int kBobbinInside = 400;
constexpr int kWallTop = 290;
constexpr int kBandHeight = 25;

// Walls, bobbin inside, then the separators between and over the windings.
constexpr std::array<QLine, 7> kOutline = {{
    {kSlotLeft, kWallTop, kSlotLeft, kBobbinInside},
    {kSlotLeft, kBobbinInside, kSlotRight, kBobbinInside},
    {kSlotRight, kBobbinInside, kSlotRight, kWallTop},
    {kSlotLeft, 375, kSlotRight, 375},
    {kSlotLeft, 350, kSlotRight, 350},
    {kSlotLeft, 325, kSlotRight, 325},
    {kSlotLeft, 300, kSlotRight, 300},
}};

struct Band {
    int top;
    std::size_t winding;  ///< 0 to 3: whose fill sets the width
    const QColor& colour;
};

// Winding 1 lies on the bobbin, winding 4 outermost.
const std::array<Band, 4> kBands = {{
    {375, 0, kPrimaryColour},
    {350, 1, kSecondaryColour},
    {325, 2, kPrimaryColour},
    {300, 3, kFeedbackColour},
}};

constexpr int kSecondPrimaryBandTop = 325;

QFont diagramFont() {
    QFont font(QStringLiteral("楷体"));
    font.setPixelSize(kTextPixelSize);
    return font;
}

// Positions name the text's top-left corner, not its baseline.
void drawTextAt(QPainter& painter, int x, int y, const std::string& text) {
    const QFontMetrics metrics(painter.font());
    painter.drawText(QPoint(x, y + metrics.ascent()), QString::fromStdString(text));
}

void drawTexts(QPainter& painter, const DiagramTexts& texts) {
    constexpr std::array<int, 4> kWindingLineTops = {382, 357, 332, 307};
    for (std::size_t n = 0; n < texts.windingLines.size(); ++n)
        drawTextAt(painter, 250, kWindingLineTops[n], texts.windingLines[n]);
    drawTextAt(painter, 250, 407, texts.inductance);
    for (const int y : {295, 320, 345, 370}) drawTextAt(painter, 585, y, texts.tape);
    drawTextAt(painter, 585, 395, "Bobbin  Inside");
    drawTextAt(painter, 240, 255, texts.frequency);
    drawTextAt(painter, 315, 255, texts.duty);
    drawTextAt(painter, 375, 255, texts.reflectedVoltage);
    drawTextAt(painter, 460, 255, texts.turnsRatio);
}

}  // namespace

void paintWindingDiagram(QPainter& painter, const std::vector<Solution>& solutions, int selected,
                         int sandwichWinding, float tapeTurns) {
    const Solution* solution = solutionAt(solutions, selected);
    if (!solution) return;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBackgroundMode(Qt::TransparentMode);
    QPen pen(kOutlineColour);
    pen.setWidth(1);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setFont(diagramFont());

    for (const QLine& line : kOutline) painter.drawLine(line);

    for (const Band& band : kBands) {
        const BandSpan span = bandSpan(shownValue(solution->numbers.fills[band.winding]));
        painter.fillRect(QRect(span.left, band.top, span.right - span.left, kBandHeight), band.colour);
    }
    if (sandwichWinding == 0)
        painter.fillRect(QRect(kSlotLeft, kSecondPrimaryBandTop, kSlotRight - kSlotLeft, kBandHeight),
                         Qt::black);

    painter.setPen(kTextColour);
    drawTexts(painter, buildDiagramTexts(*solution, tapeTurns));
    painter.restore();
}
