#include "app/diagram_group_box.h"

#include <QPainter>

void DiagramGroupBox::setOverlay(std::function<void(QPainter&)> paint) {
    overlay_ = std::move(paint);
}

void DiagramGroupBox::paintEvent(QPaintEvent* event) {
    QGroupBox::paintEvent(event);
    if (!overlay_) return;
    QPainter painter(this);
    painter.translate(-pos());
    overlay_(painter);
}
