#include "sheet/sheet_cross_section.h"

#include <algorithm>
#include <cmath>

#include <QPen>

#include "sheet/sheet_text.h"
#include "sheet/sheet_words.h"

namespace {

// Of the area: the slot takes the left part, the labels the right.
constexpr double kLabelWidth = 42;    // mm
constexpr double kDimensionRoom = 9;  // mm left of and below the slot for its dimensions
constexpr double kLabelPitch = 3.4;   // mm between label lines
const QColor kTape(90, 90, 90);
const QColor kMarginTape(150, 150, 150);
const QColor kBobbin(60, 60, 60);

constexpr double kTallest = 48;  // mm of page the slot's depth may take

QRectF slotArea(const QRectF& areaMm) {
    return {areaMm.x() + kDimensionRoom, areaMm.y() + 4, areaMm.width() - kDimensionRoom - kLabelWidth - 2,
            std::min(kTallest, areaMm.height() - kDimensionRoom - 4)};
}

double depthOf(const SheetCrossSection& section) {
    return std::max(section.slotDepth, section.buildHeight);
}

QString bandLabel(const WindingSheetContent& content, const SheetCrossSection::Band& band) {
    const SheetWinding& w = content.windings[band.winding];
    if (band.tape)
        return WindingSheet::tr("胶带 %1 层 × %2")
            .arg(sheet_words::number(w.tapeLayers), sheet_words::withUnit(w.tapeThickness, "mm"));
    const QString layers = w.layers == 1 ? WindingSheet::tr("1 层") : WindingSheet::tr("%1 层").arg(w.layers);
    return WindingSheet::tr("%1 %2 %3，%4")
        .arg(sheet_words::roleName(w.role), QString::fromStdString(w.symbol), sheet_words::turns(w.turns),
             layers);
}

}  // namespace

double crossSectionHeight(const SheetCrossSection& section, double widthMm) {
    const double scale = crossSectionScale(section, QRectF(0, 0, widthMm, 1000));
    return depthOf(section) * scale + kDimensionRoom + 4;
}

double crossSectionScale(const SheetCrossSection& section, const QRectF& areaMm) {
    const QRectF slot = slotArea(areaMm);
    const double depth = depthOf(section);
    if (!(section.slotWidth > 0) || !(depth > 0)) return 1;
    return std::min(slot.width() / section.slotWidth, slot.height() / depth);
}

QColor windingColour(WindingRole role) {
    switch (role) {
        case WindingRole::Primary:
        case WindingRole::PrimaryFirstHalf:
        case WindingRole::PrimarySecondHalf:
            return {242, 196, 160};
        case WindingRole::Secondary:
            return {164, 200, 240};
        case WindingRole::Auxiliary:
            break;
    }
    return {172, 222, 168};
}

QColor tapeColour() {
    return kTape;
}

std::vector<double> bandLabelLines(const std::vector<double>& centres, double floorMm, double topMm,
                                   double pitch) {
    std::vector<double> lines;
    double below = floorMm + pitch;
    for (const double centre : centres) {
        below = std::min(centre, below - pitch);
        lines.push_back(below);
    }
    // Many bands on a shallow slot (a sandwich) would climb into the text above the drawing.
    double above = topMm - pitch;
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        *line = std::max(*line, above + pitch);
        above = *line;
    }
    return lines;
}

void drawCrossSection(SheetPage& page, const WindingSheetContent& content, const QRectF& areaMm) {
    const SheetCrossSection& x = content.crossSection;
    QPainter& p = page.painter();
    const double scale = crossSectionScale(x, areaMm);
    const QRectF room = slotArea(areaMm);
    const double left = room.x();
    // The bobbin, where the winding starts; a build above the slot's depth still shows.
    const double floor = room.y() + depthOf(x) * scale;
    const double width = x.slotWidth * scale;
    const double depth = x.slotDepth * scale;
    const auto up = [&](double mm) { return floor - mm * scale; };

    // Margin tapes, then the bands from the bobbin outwards.
    if (x.margin > 0) {
        const double height = std::min(x.buildHeight, x.slotDepth) * scale;
        p.fillRect(SheetPage::box(left, floor - height, x.margin * scale, height), kMarginTape);
        p.fillRect(SheetPage::box(left + width - x.margin * scale, floor - height, x.margin * scale, height),
                   kMarginTape);
    }
    const double innerLeft = left + x.margin * scale;
    const double innerWidth = width - 2 * x.margin * scale;
    for (const SheetCrossSection::Band& band : x.bands) {
        const double top = up(band.bottom + band.thickness);
        const double height = band.thickness * scale;
        if (band.tape) {
            p.fillRect(SheetPage::box(left, top, width, height), kTape);
            continue;
        }
        const SheetWinding& w = content.windings[band.winding];
        const QColor fill = windingColour(w.role);
        p.fillRect(SheetPage::box(innerLeft, top, innerWidth, height), fill);
        // Each layer's turns spread evenly across the width, as the maker winds them.
        const double wire = w.outerDiameter * scale;
        if (wire < 0.5) continue;  // too small to draw turn by turn
        QPen pen(fill.darker(160));
        pen.setWidthF(0.08 * SheetPage::kDotsPerMm);
        p.setPen(pen);
        p.setBrush(fill);
        for (int layer = 0; layer < w.layers; ++layer) {
            const int count = layer == w.layers - 1 ? w.lastLayerTurns : w.turnsPerLayer;
            const double centreY = up(band.bottom + (layer + 0.5) * w.outerDiameter);
            const int wires = count * static_cast<int>(std::max(1.0, std::round(w.strands)));
            const double pitch = innerWidth / wires;
            for (int k = 0; k < wires; ++k) {
                const double cx = innerLeft + (k + 0.5) * pitch;
                p.drawEllipse(SheetPage::at(cx, centreY), wire / 2 * SheetPage::kDotsPerMm,
                              wire / 2 * SheetPage::kDotsPerMm);
            }
        }
    }

    // The slot: bobbin floor and walls; the depth limit dashed.
    page.line(left - 0.2, floor + 0.3, left + width + 0.2, floor + 0.3, 0.6,
              kBobbin);  // under the first layer
    page.line(left, floor, left, floor - depth, 0.4, kBobbin);
    page.line(left + width, floor, left + width, floor - depth, 0.4, kBobbin);
    page.line(left, floor - depth, left + width, floor - depth, 0.15, kBobbin, Qt::DashLine);
    if (x.depthLimit > 0 && x.depthLimit < x.slotDepth)
        page.line(left, up(x.depthLimit), left + width, up(x.depthLimit), 0.15, Qt::red, Qt::DashLine);

    // Dimensions in words and millimetres.
    page.setFont(6.5);
    page.text(QRectF(left, floor + 1, width, 3.4),
              WindingSheet::tr("槽宽 %1").arg(sheet_words::withUnit(x.slotWidth, "mm")), Qt::AlignHCenter);
    page.text(QRectF(left, floor + 4.2, width, 3.4),
              WindingSheet::tr("骨架（中柱侧）　绕线深度上限 %1（红虚线）")
                  .arg(sheet_words::withUnit(x.depthLimit, "mm")),
              Qt::AlignHCenter);
    p.save();
    p.translate(SheetPage::at(left - 1.2, floor - depth / 2));
    p.rotate(-90);
    page.text(QRectF(-depth / 2, -3.4, depth, 3.2),
              WindingSheet::tr("槽深 %1").arg(sheet_words::withUnit(x.slotDepth, "mm")), Qt::AlignHCenter);
    p.restore();
    if (x.margin > 0)
        page.text(QRectF(left, floor - depth - 3.6, width, 3.4),
                  WindingSheet::tr("两侧挡墙胶带各 %1").arg(sheet_words::withUnit(x.margin, "mm")),
                  Qt::AlignHCenter);

    // Labels to the right, each on its own line, led to its band.
    const double labelX = left + width + 7;
    std::vector<double> centres;
    for (const SheetCrossSection::Band& band : x.bands)
        centres.push_back(up(band.bottom + band.thickness / 2));
    const std::vector<double> lines =
        bandLabelLines(centres, floor, areaMm.top() + kLabelPitch / 2, kLabelPitch);
    for (std::size_t k = 0; k < x.bands.size(); ++k) {
        const SheetCrossSection::Band& band = x.bands[k];
        const double centre = centres[k];
        const double labelY = lines[k];
        page.line(left + width + 0.5, centre, labelX - 3, centre, 0.12, Qt::darkGray);
        page.line(labelX - 3, centre, labelX - 1, labelY, 0.12, Qt::darkGray);
        page.text(QRectF(labelX, labelY - kLabelPitch / 2, kLabelWidth - 5, kLabelPitch),
                  bandLabel(content, band), Qt::AlignLeft, band.tape ? kTape : Qt::black);
    }
}
