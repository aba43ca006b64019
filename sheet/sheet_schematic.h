#pragma once

#include <QRectF>

#include "sheet/sheet_page.h"
#include "sheet/winding_sheet_content.h"

/// The transformer's circuit symbol in `areaMm`: each winding a coil between its pins, its start
/// marked with a dot. The primary starts at the top, the secondary and auxiliary windings at the
/// bottom (a flyback's phase); a sandwiched primary's halves are drawn in series through the
/// midpoint pin.
void drawSchematic(SheetPage& page, const WindingSheetContent& content, const QRectF& areaMm);
