#include "widgets/entry_text.h"

#include <QLineEdit>

QString entryText(float value) {
    return QString::asprintf("%.*g", 6, static_cast<double>(value));
}

void refuseEntry(QLineEdit& edit, const MessageFunction& message, const QString& text) {
    message(edit.window(), text);
    edit.setFocus(Qt::OtherFocusReason);
    edit.selectAll();
}

std::string entryReadText(const QLineEdit& edit) {
    constexpr int kReadLength = 31;
    return edit.text().left(kReadLength).toStdString();
}
