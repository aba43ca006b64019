#include "widgets/app_icons.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

struct IconColours {
    QColor tile;
    QColor edge;
    QColor winding;
    QColor core;
};

// One winding: `loops` half-turns stacked from top to bottom, bulging away from the core,
// with a lead out at each end.
QPainterPath windingPath(double coreSide, double bulge, double top, double bottom, int loops, double lead) {
    const double pitch = (bottom - top) / loops;
    QPainterPath path;
    path.moveTo(coreSide + lead, top);
    path.lineTo(coreSide, top);
    for (int i = 0; i < loops; ++i) {
        const double y = top + i * pitch;
        // A half circle from (coreSide, y) to (coreSide, y + pitch), its far side at coreSide + bulge.
        const QRectF box(bulge < 0 ? coreSide + bulge : coreSide - bulge, y, 2 * std::abs(bulge), pitch);
        path.arcTo(box, 90, bulge < 0 ? 180 : -180);
    }
    path.lineTo(coreSide + lead, bottom);
    return path;
}

QPixmap drawTransformer(int size, const IconColours& colours) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double s = size;

    painter.setPen(QPen(colours.edge, std::max(1.0, s / 32)));
    painter.setBrush(colours.tile);
    const double inset = s / 32;
    painter.drawRoundedRect(QRectF(inset, inset, s - 2 * inset, s - 2 * inset), s / 8, s / 8);

    const double top = s * 0.22;
    const double bottom = s * 0.78;
    const double stroke = std::max(1.0, s / 16);
    const int loops = size >= 24 ? 4 : 3;
    const double bulge = s * 0.11;
    const double leftCore = s * 0.40;
    const double rightCore = s * 0.60;

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colours.winding, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(windingPath(leftCore - s * 0.02, -bulge, top, bottom, loops, -s * 0.18));
    painter.drawPath(windingPath(rightCore + s * 0.02, bulge, top, bottom, loops, s * 0.18));

    // The core: two bars between the windings.
    painter.setPen(QPen(colours.core, std::max(1.0, s / 24), Qt::SolidLine, Qt::FlatCap));
    const double gap = s * 0.035;
    painter.drawLine(QPointF(s / 2 - gap, top - s * 0.04), QPointF(s / 2 - gap, bottom + s * 0.04));
    painter.drawLine(QPointF(s / 2 + gap, top - s * 0.04), QPointF(s / 2 + gap, bottom + s * 0.04));
    return pixmap;
}

const IconColours kApplicationColours{QColor(32, 74, 135), QColor(16, 40, 80), QColor(255, 170, 40),
                                      QColor(235, 235, 235)};
const IconColours kAboutColours{QColor(245, 245, 235), QColor(120, 120, 120), QColor(0, 150, 65),
                                QColor(60, 60, 60)};

}  // namespace

QIcon applicationIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128}) icon.addPixmap(drawTransformer(size, kApplicationColours));
    return icon;
}

QPixmap aboutIcon(int size) {
    return drawTransformer(size, kAboutColours);
}
