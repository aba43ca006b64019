#include "diagram/diagram_export.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

#include "diagram/winding_diagram.h"

using namespace quillmere;

namespace {

void paintOnWhite(QPainter& painter, const std::vector<Solution>& solutions, int selected,
                  int sandwichWinding, float tapeTurns) {
    painter.fillRect(QRect(QPoint(0, 0), kWindingDiagramArea.size()), Qt::white);
    painter.translate(-kWindingDiagramArea.topLeft());
    paintWindingDiagram(painter, solutions, selected, sandwichWinding, tapeTurns);
}

}  // namespace

QImage windingDiagramImage(const std::vector<Solution>& solutions, int selected, int sandwichWinding,
                           float tapeTurns, int pixelScale) {
    QImage image(kWindingDiagramArea.size() * pixelScale, QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelScale);
    QPainter painter(&image);
    paintOnWhite(painter, solutions, selected, sandwichWinding, tapeTurns);
    return image;
}

QByteArray windingDiagramSvg(const std::vector<Solution>& solutions, int selected, int sandwichWinding,
                             float tapeTurns) {
    QBuffer buffer;
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(kWindingDiagramArea.size());
    generator.setViewBox(QRect(QPoint(0, 0), kWindingDiagramArea.size()));
    generator.setTitle(QStringLiteral("Transformer Winding"));
    {
        QPainter painter(&generator);
        paintOnWhite(painter, solutions, selected, sandwichWinding, tapeTurns);
    }
    return buffer.data();
}
