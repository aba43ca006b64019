#pragma once

#include <vector>

#include <QByteArray>
#include <QImage>
#include <QRect>

namespace quillmere {
struct Solution;
}  // namespace quillmere

/// The part of the form's client area the winding diagram is drawn in (x 215 to 694, y 255 to
/// 421): what an exported picture shows.
inline constexpr QRect kWindingDiagramArea(QPoint(215, 255), QPoint(694, 421));

/// The diagram of shown solution `selected` on white, as the form draws it, `pixelScale` image
/// pixels to one form pixel (1 or 2).
QImage windingDiagramImage(const std::vector<quillmere::Solution>& solutions, int selected,
                           int sandwichWinding, float tapeTurns, int pixelScale);

/// The same as an SVG document, in form pixels.
QByteArray windingDiagramSvg(const std::vector<quillmere::Solution>& solutions, int selected,
                             int sandwichWinding, float tapeTurns);
