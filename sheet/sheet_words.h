#pragma once

#include <QString>

#include "sheet/winding_sheet_content.h"

/// The sheet's words and figures in the language of the installed translators.
namespace sheet_words {

/// "初级", "次级", "反馈绕组", ... and the sandwich halves.
QString roleName(WindingRole role);

/// "— " and why the figure is unknown.
QString gapText(SheetGap gap);

/// A figure to 4 significant figures, plain decimals.
QString number(double value);

/// A figure and its unit: "0.25 mm".
QString withUnit(double value, const QString& unit);

/// "131 匝" / "131 turns".
QString turns(int count);

/// "1–3": a winding's pins, start first.
QString pinSpan(int start, int finish);

/// A figure that may be unknown: the value with its unit, or the gap's text.
QString figure(const SheetFigure& f, const QString& unit);

/// A part name that may be unknown.
QString name(const SheetName& n);

}  // namespace sheet_words
