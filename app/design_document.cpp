#include "app/design_document.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString translated(const char* source) {
    return QCoreApplication::translate("DesignDocument", source);
}

}  // namespace

SaveAnswer askToSaveDesign(QWidget* parent) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Quillmere"),
                    translated(QT_TRANSLATE_NOOP("DesignDocument", "保存对设计的更改吗?")),
                    QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("saveQuestion"));
    QPushButton* save =
        box.addButton(translated(QT_TRANSLATE_NOOP("DesignDocument", "保存(&S)")), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(translated(QT_TRANSLATE_NOOP("DesignDocument", "不保存(&N)")),
                                         QMessageBox::DestructiveRole);
    QPushButton* cancel =
        box.addButton(translated(QT_TRANSLATE_NOOP("DesignDocument", "取消")), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) return SaveAnswer::Save;
    if (box.clickedButton() == discard) return SaveAnswer::Discard;
    return SaveAnswer::Cancel;
}

QString documentTitle(const QString& designPath, const QString& caption) {
    QString name = designPath.isEmpty() ? translated(QT_TRANSLATE_NOOP("DesignDocument", "未命名"))
                                        : QFileInfo(designPath).fileName();
    // A "[*]" of the file's own name is shown as it is, not taken for the mark.
    name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    return QStringLiteral("%1[*] - %2").arg(name, caption);
}
