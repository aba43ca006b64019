#include "app/entry_text.h"

#include <QLineEdit>

QString entryText(float value) {
    return QString::asprintf("%.*g", 6, static_cast<double>(value));
}

std::string entryReadText(const QLineEdit& edit) {
    constexpr int kReadLength = 31;
    return edit.text().left(kReadLength).toStdString();
}
