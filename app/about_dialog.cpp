#include "app/about_dialog.h"

#include <QEvent>

#include "engine/version.h"
#include "ui_about_dialog.h"
#include "widgets/app_icons.h"

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::AboutDialog>()) {
    ui_->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ui_->staticVersion->setText(QStringLiteral("Quillmere ") + QLatin1String(kQuillmereVersion));
    ui_->staticIcon->setPixmap(aboutIcon(ui_->staticIcon->width()));
}

AboutDialog::~AboutDialog() = default;

void AboutDialog::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) ui_->retranslateUi(this);
    QDialog::changeEvent(event);
}
