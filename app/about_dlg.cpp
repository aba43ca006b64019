#include "app/about_dlg.h"

#include <QEvent>

#include "ui_about_dlg.h"
#include "widgets/app_icons.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::CAboutDlg>()) {
    ui_->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ui_->staticIcon->setPixmap(aboutIcon(ui_->staticIcon->width()));
}

CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) ui_->retranslateUi(this);
    QDialog::changeEvent(event);
}
