#include "widgets/message_box.h"

#include <QMessageBox>

void showMessageBox(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Quillmere"), text, QMessageBox::Ok, parent);
    box.exec();
}
