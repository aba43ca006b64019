#pragma once

#include <vector>

#include <QColor>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <QStringList>

/// A page drawn in millimetres from its top-left corner, with one text face throughout.
class SheetPage {
public:
    /// Dots of the PDF per inch: fine enough that positions do not visibly round.
    static constexpr int kResolution = 1200;
    static constexpr double kDotsPerMm = kResolution / 25.4;
    static constexpr double kWidth = 210;
    static constexpr double kHeight = 297;
    static constexpr double kMargin = 15;
    static constexpr double kContentWidth = kWidth - 2 * kMargin;
    static constexpr double kRowHeight = 4.8;

    explicit SheetPage(QPainter& painter) : p_(painter) {}

    QPainter& painter() { return p_; }

    static QPointF at(double x, double y) { return {x * kDotsPerMm, y * kDotsPerMm}; }
    static QRectF box(double x, double y, double width, double height) {
        return {x * kDotsPerMm, y * kDotsPerMm, width * kDotsPerMm, height * kDotsPerMm};
    }

    void setFont(double points, bool bold = false);

    /// One line of text in `box` (mm); a text too wide is set smaller rather than cut off.
    void text(const QRectF& boxMm, const QString& s, Qt::Alignment alignment, QColor colour = Qt::black);

    /// Text wrapped at word (or character) boundaries within `width` mm from (x, y); returns the
    /// height it takes, mm.
    double paragraph(double x, double y, double width, const QString& s, QColor colour = Qt::black);

    void line(double x1, double y1, double x2, double y2, double widthMm, QColor colour = Qt::black,
              Qt::PenStyle style = Qt::SolidLine);

    /// A grid of cells starting at (x, y), the columns `widths` mm wide; the first row shaded when
    /// `headingRow`, else every other column from the first (label columns). Returns its height.
    double table(double x, double y, const std::vector<double>& widths, const std::vector<QStringList>& rows,
                 bool headingRow, double points = 7.5);

    /// A section heading at `y`; returns the height it takes.
    double heading(double x, double y, double width, const QString& s);

private:
    QPainter& p_;
};
