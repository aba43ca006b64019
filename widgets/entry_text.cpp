#include "widgets/entry_text.h"

#include <QLineEdit>

#include "widgets/language.h"

QString entryText(float value) {
    return QString::asprintf("%.*g", 6, static_cast<double>(value));
}

void refuseEntry(QLineEdit& edit, const MessageFunction& message, std::string_view text) {
    message(edit.window(), engineText(text));
    edit.setFocus(Qt::OtherFocusReason);
    edit.selectAll();
}

std::string entryReadText(const QLineEdit& edit) {
    constexpr int kReadLength = 31;
    return edit.text().left(kReadLength).toStdString();
}
