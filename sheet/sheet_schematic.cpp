#include "sheet/sheet_schematic.h"

#include <QPainterPath>
#include <QPen>

#include "sheet/sheet_text.h"
#include "sheet/sheet_words.h"

namespace {

constexpr double kLineWidth = 0.3;  // mm
constexpr int kBumps = 4;
constexpr double kBumpDepth = 1.6;  // mm
constexpr double kPinRadius = 0.9;  // mm
constexpr double kDotRadius = 0.6;  // mm

enum class Side { Left, Right };

struct Coil {
    const SheetWinding* winding = nullptr;
    double top = 0;     // mm
    double bottom = 0;  // mm
    bool startAtTop = true;
};

// A vertical coil at x `coilX`, its bumps facing the core; leads run out to pins at `pinX`.
void drawCoil(SheetPage& page, const Coil& coil, Side side, double coilX, double pinX, bool drawTopPin,
              bool drawBottomPin) {
    QPainter& p = page.painter();
    const double toCore = side == Side::Left ? 1 : -1;
    QPen pen(Qt::black);
    pen.setWidthF(kLineWidth * SheetPage::kDotsPerMm);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    QPainterPath path(SheetPage::at(coilX, coil.top));
    const double pitch = (coil.bottom - coil.top) / kBumps;
    for (int k = 0; k < kBumps; ++k) {
        const double y = coil.top + k * pitch;
        const QRectF bump = side == Side::Left ? SheetPage::box(coilX - kBumpDepth, y, 2 * kBumpDepth, pitch)
                                               : SheetPage::box(coilX - kBumpDepth, y, 2 * kBumpDepth, pitch);
        path.arcTo(bump, 90, toCore > 0 ? -180 : 180);
    }
    p.drawPath(path);

    const int topPin = coil.startAtTop ? coil.winding->startPin : coil.winding->finishPin;
    const int bottomPin = coil.startAtTop ? coil.winding->finishPin : coil.winding->startPin;
    const auto lead = [&](double y, int pin, bool drawPin) {
        page.line(coilX, y, pinX, y, kLineWidth);
        if (!drawPin) return;
        QPen ring(Qt::black);
        ring.setWidthF(kLineWidth * SheetPage::kDotsPerMm);
        p.setPen(ring);
        p.setBrush(Qt::white);
        p.drawEllipse(SheetPage::at(pinX, y), kPinRadius * SheetPage::kDotsPerMm,
                      kPinRadius * SheetPage::kDotsPerMm);
        page.setFont(7.5, true);
        const double textX = side == Side::Left ? pinX - 7 : pinX + 1.3;
        page.text(QRectF(textX, y - 2, 5.7, 4), QString::number(pin),
                  side == Side::Left ? Qt::AlignRight : Qt::AlignLeft);
    };
    lead(coil.top, topPin, drawTopPin);
    lead(coil.bottom, bottomPin, drawBottomPin);

    // The start dot beside the coil's start, away from the core.
    const double dotY = coil.startAtTop ? coil.top + 1.4 : coil.bottom - 1.4;
    const double dotX = coilX - toCore * 1.6;
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(SheetPage::at(dotX, dotY), kDotRadius * SheetPage::kDotsPerMm,
                  kDotRadius * SheetPage::kDotsPerMm);

    // Name and turns beside the coil, between the leads.
    const SheetWinding& w = *coil.winding;
    page.setFont(7);
    const double labelWidth = 19;
    const double labelX = side == Side::Left ? coilX - 2.6 - labelWidth : coilX + 2.6;
    const double middle = (coil.top + coil.bottom) / 2;
    const Qt::Alignment align = side == Side::Left ? Qt::AlignRight : Qt::AlignLeft;
    page.text(QRectF(labelX, middle - 3.6, labelWidth, 3.4),
              sheet_words::roleName(w.role) + QLatin1Char(' ') + QString::fromStdString(w.symbol), align);
    page.text(QRectF(labelX, middle + 0.2, labelWidth, 3.4), sheet_words::turns(w.turns), align);
}

}  // namespace

void drawSchematic(SheetPage& page, const WindingSheetContent& content, const QRectF& areaMm) {
    const double x0 = areaMm.x();
    const double y0 = areaMm.y();
    const double centre = x0 + areaMm.width() / 2;
    const double bottom = y0 + areaMm.height();

    // The core: two bars between the two sides.
    page.line(centre - 0.7, y0 + 3, centre - 0.7, bottom - 9, 0.35);
    page.line(centre + 0.7, y0 + 3, centre + 0.7, bottom - 9, 0.35);

    const double leftCoil = centre - 5;
    const double leftPins = x0 + 8;
    const double rightCoil = centre + 5;
    const double rightPins = x0 + areaMm.width() - 8;

    const SheetWinding* first = nullptr;
    const SheetWinding* second = nullptr;
    for (const SheetWinding& w : content.windings) {
        if (w.role == WindingRole::Primary || w.role == WindingRole::PrimaryFirstHalf) first = &w;
        if (w.role == WindingRole::PrimarySecondHalf) second = &w;
    }
    // Primary from the top; a sandwich's halves in series through the midpoint pin.
    if (first && second) {
        drawCoil(page, {first, y0 + 4, y0 + 15, true}, Side::Left, leftCoil, leftPins, true, true);
        drawCoil(page, {second, y0 + 15, y0 + 26, true}, Side::Left, leftCoil, leftPins, false, true);
    } else if (first) {
        drawCoil(page, {first, y0 + 4, y0 + 26, true}, Side::Left, leftCoil, leftPins, true, true);
    } else if (second) {
        drawCoil(page, {second, y0 + 4, y0 + 26, true}, Side::Left, leftCoil, leftPins, true, true);
    }
    for (const SheetWinding& w : content.windings) {
        if (w.role == WindingRole::Auxiliary)
            drawCoil(page, {&w, y0 + 30, y0 + 42, false}, Side::Left, leftCoil, leftPins, true, true);
        if (w.role == WindingRole::Secondary)
            drawCoil(page, {&w, y0 + 8, y0 + 30, false}, Side::Right, rightCoil, rightPins, true, true);
    }

    page.setFont(6.5);
    QString legend =
        WindingSheet::tr("● 起绕端（同名端）。所有绕组同向绕制；次级与反馈绕组的起绕端与初级反相（反激）。");
    if (first && second)
        legend += QLatin1Char(' ') +
                  WindingSheet::tr("%1 的末端与 %2 的始端同接脚 %3，两半串联。")
                      .arg(QString::fromStdString(first->symbol), QString::fromStdString(second->symbol))
                      .arg(first->finishPin);
    page.paragraph(x0, bottom - 8, areaMm.width(), legend, Qt::black);
}
