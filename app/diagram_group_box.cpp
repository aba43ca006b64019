#include "app/diagram_group_box.h"

#include <QPainter>

namespace {

// The box's title stands above its rule instead of on it, so that the rule passes beneath the
// pointer read-out in the box's top right corner (client y 233 to 247) instead of through it.
constexpr int kTitleIndent = 2;
constexpr int kRuleY = 26;  // box pixels: client y 250

}  // namespace

void DiagramGroupBox::setOverlay(std::function<void(QPainter&)> paint) {
    overlay_ = std::move(paint);
}

void DiagramGroupBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(kTitleIndent, 0, width() - kTitleIndent, kRuleY), Qt::AlignLeft | Qt::AlignVCenter,
                     title());
    // Etched like the flat box's own line.
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(0, kRuleY, width() - 1, kRuleY);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(0, kRuleY + 1, width() - 1, kRuleY + 1);
    if (!overlay_) return;
    // The diagram is laid out in the form's client coordinates.
    painter.translate(-pos());
    overlay_(painter);
}
