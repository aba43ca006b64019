#include "sheet/sheet_words.h"

#include "sheet/sheet_number.h"
#include "sheet/sheet_text.h"

namespace sheet_words {

QString roleName(WindingRole role) {
    switch (role) {
        case WindingRole::Primary:
            return WindingSheet::tr("初级");
        case WindingRole::PrimaryFirstHalf:
            return WindingSheet::tr("初级前半");
        case WindingRole::PrimarySecondHalf:
            return WindingSheet::tr("初级后半");
        case WindingRole::Secondary:
            return WindingSheet::tr("次级");
        case WindingRole::Auxiliary:
            break;
    }
    return WindingSheet::tr("反馈绕组");
}

QString gapText(SheetGap gap) {
    switch (gap) {
        case SheetGap::NoCatalogueCore:
            return WindingSheet::tr("— 未选目录磁芯");
        case SheetGap::NoLossFigures:
            return WindingSheet::tr("— 尚无损耗模型（绕组长度未知）");
        case SheetGap::None:
            break;
    }
    return QStringLiteral("—");
}

QString number(double value) {
    return QString::fromStdString(sheetNumber(value));
}

QString withUnit(double value, const QString& unit) {
    return number(value) + QLatin1Char(' ') + unit;
}

QString turns(int count) {
    return count == 1 ? WindingSheet::tr("1 匝") : WindingSheet::tr("%1 匝").arg(count);
}

QString pinSpan(int start, int finish) {
    return QStringLiteral("%1–%2").arg(start).arg(finish);
}

QString figure(const SheetFigure& f, const QString& unit) {
    return f.value ? withUnit(*f.value, unit) : gapText(f.gap);
}

QString name(const SheetName& n) {
    return n.text ? QString::fromStdString(*n.text) : gapText(n.gap);
}

}  // namespace sheet_words
