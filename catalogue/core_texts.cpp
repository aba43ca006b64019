#include "catalogue/core_texts.h"

#include <QLocale>

using namespace quillmere;

QString figureText(double value) {
    // The shortest text that reads back as the same number: the catalogue's own digits.
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

QString slotText(const Bobbin& bobbin) {
    return figureText(bobbin.slotWidth) + QStringLiteral(" × ") + figureText(bobbin.slotDepth);
}
