#pragma once

#include <QColor>
#include <QRectF>

#include <vector>

#include "sheet/sheet_page.h"
#include "sheet/winding_sheet_content.h"

/// Page millimetres per millimetre of the slot, as `drawCrossSection` draws it in `areaMm`.
double crossSectionScale(const SheetCrossSection& section, const QRectF& areaMm);

/// The height (mm) the drawing needs when `widthMm` wide: the slot to scale and its dimensions.
double crossSectionHeight(const SheetCrossSection& section, double widthMm);

/// The fill of a winding's band (one colour per role; both primary halves share one).
QColor windingColour(WindingRole role);

/// The fill of the insulation tape's bands, which span the slot's whole width.
QColor tapeColour();

/// Where the band labels stand (page mm, top of page = 0), one line each, `pitch` apart: from the
/// bobbin outwards each at its band's centre or a line above the label below it, whichever is
/// higher; when that would climb above `topMm`, the stack is pushed down just enough, keeping
/// its order. `centres` run from the bobbin outwards (falling y).
std::vector<double> bandLabelLines(const std::vector<double>& centres, double floorMm, double topMm,
                                   double pitch);

/// The slot to scale in `areaMm`: the bobbin at the bottom, each winding's layers at their real
/// thickness with its turns spread across the width, the tapes, the margins and the depth limit;
/// the bands labelled in words to the right.
void drawCrossSection(SheetPage& page, const WindingSheetContent& content, const QRectF& areaMm);
