#include "sheet/sheet_page.h"

#include <algorithm>

#include <QFont>
#include <QFontMetricsF>
#include <QPen>

namespace {

constexpr double kSmallestPoints = 5;
constexpr double kCellPadding = 1;  // mm
const QColor kShade(234, 234, 234);
const QColor kRule(110, 110, 110);

}  // namespace

void SheetPage::setFont(double points, bool bold) {
    QFont font(QStringLiteral("宋体"));
    font.setPointSizeF(points);
    font.setBold(bold);
    p_.setFont(font);
}

void SheetPage::text(const QRectF& boxMm, const QString& s, Qt::Alignment alignment, QColor colour) {
    const QRectF area = box(boxMm.x(), boxMm.y(), boxMm.width(), boxMm.height());
    const QFont saved = p_.font();
    QFont font = saved;
    const double width = QFontMetricsF(font, p_.device()).horizontalAdvance(s);
    if (width > area.width() && width > 0)
        font.setPointSizeF(std::max(kSmallestPoints, font.pointSizeF() * area.width() / width));
    p_.setFont(font);
    p_.setPen(colour);
    p_.drawText(area, static_cast<int>(alignment | Qt::AlignVCenter) | Qt::TextDontClip, s);
    p_.setFont(saved);
}

double SheetPage::paragraph(double x, double y, double width, const QString& s, QColor colour) {
    const QRectF area = box(x, y, width, 100);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    const QRectF used = p_.boundingRect(area, flags, s);
    p_.setPen(colour);
    p_.drawText(area, flags, s);
    return used.height() / kDotsPerMm;
}

void SheetPage::line(double x1, double y1, double x2, double y2, double widthMm, QColor colour,
                     Qt::PenStyle style) {
    QPen pen(colour);
    pen.setWidthF(widthMm * kDotsPerMm);
    pen.setStyle(style);
    pen.setCapStyle(Qt::FlatCap);
    p_.setPen(pen);
    p_.drawLine(at(x1, y1), at(x2, y2));
}

double SheetPage::table(double x, double y, const std::vector<double>& widths,
                        const std::vector<QStringList>& rows, bool headingRow, double points) {
    QPen pen(kRule);
    pen.setWidthF(0.12 * kDotsPerMm);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        double left = x;
        for (std::size_t c = 0; c < widths.size(); ++c) {
            const QRectF cell = box(left, y, widths[c], kRowHeight);
            const bool shaded = headingRow ? r == 0 : c % 2 == 0;
            if (shaded) p_.fillRect(cell, kShade);
            p_.setPen(pen);
            p_.setBrush(Qt::NoBrush);
            p_.drawRect(cell);
            const QString s =
                c < static_cast<std::size_t>(rows[r].size()) ? rows[r][static_cast<int>(c)] : "";
            setFont(points, headingRow && r == 0);
            text(QRectF(left + kCellPadding, y, widths[c] - 2 * kCellPadding, kRowHeight), s, Qt::AlignLeft);
            left += widths[c];
        }
        y += kRowHeight;
    }
    return kRowHeight * static_cast<double>(rows.size());
}

double SheetPage::heading(double x, double y, double width, const QString& s) {
    setFont(9.5, true);
    text(QRectF(x, y + 1, width, 4.5), s, Qt::AlignLeft);
    return 6.5;
}
