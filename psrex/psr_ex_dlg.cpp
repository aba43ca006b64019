#include "psrex/psr_ex_dlg.h"

#include <QColor>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include "engine/entry_number.h"
#include "ui_psrex_dlg.h"
#include "widgets/entry_text.h"

namespace {

QColor toQColor(Rgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

void setTextIfChanged(QLineEdit* edit, const QString& text) {
    if (edit->text() != text) edit->setText(text);
}

void setTextIfChanged(QLabel* label, const QString& text) {
    if (label->text() != text) label->setText(text);
}

}  // namespace

CPsrExDlg::CPsrExDlg(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::CPsrExDlg>()) {
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());

    setTextColour(ui_->static1106, toQColor(kMinLabelColour));
    setTextColour(ui_->static1107, toQColor(kMaxLabelColour));
    fluxLabelDefaultPalette_ = ui_->static1109->palette();
    updateFluxLabelColour();

    // The turns follow the slider each time it draws itself, as well as on every move.
    ui_->slider1100->installEventFilter(this);
    connect(ui_->slider1100, &QSlider::valueChanged, this, [this] { onSliderDrawn(); });
    connect(ui_->button1096, &QPushButton::clicked, this, [this] { onAnalyse(); });
    connect(ui_->button1108, &QPushButton::clicked, this, &QDialog::reject);

    exchangeFields(Exchange::Write);
}

CPsrExDlg::~CPsrExDlg() = default;

void CPsrExDlg::setMessageFunction(MessageFunction function) {
    showMessage_ = std::move(function);
}

void CPsrExDlg::accept() {
    if (!exchangeFields(Exchange::Read)) return;
    QDialog::accept();
}

void CPsrExDlg::changeEvent(QEvent* event) {
    // The texts set by code (turns at the slider's ends, flux density) are not the form's own:
    // retranslating leaves them as they are.
    if (event->type() == QEvent::LanguageChange) ui_->retranslateUi(this);
    QDialog::changeEvent(event);
}

bool CPsrExDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->slider1100 && event->type() == QEvent::Paint) onSliderDrawn();
    return QDialog::eventFilter(watched, event);
}

void CPsrExDlg::keyPressEvent(QKeyEvent* event) {
    const bool enter = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
                       (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier);
    if (!enter) {
        QDialog::keyPressEvent(event);
        return;
    }
    // No button is the default: Enter presses the button that has the focus, else accepts.
    if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled())
        button->click();
    else
        accept();
}

void CPsrExDlg::onAnalyse() {
    if (!exchangeFields(Exchange::Read)) return;
    const auto outcome = analyse(fields_);
    if (!outcome) return;
    fields_ = outcome->fields;
    ui_->slider1100->setValue(kAnalyseSliderPosition);
    setTextIfChanged(ui_->static1106, QString::fromStdString(outcome->minLabel));
    setTextIfChanged(ui_->static1107, QString::fromStdString(outcome->maxLabel));
    exchangeFields(Exchange::Write);
    // The slider redraws at its new position and the turns follow it.
    onSliderDrawn();
}

void CPsrExDlg::onSliderDrawn() {
    const int position = ui_->slider1100->value();
    if (const auto turns = turnsForSlider(fields_, position)) {
        fields_.exPrimaryTurns = turns->primary;
        fields_.exSecondaryTurns = turns->secondary;
        fields_.exFeedbackTurns = turns->feedback;
    }
    setTextIfChanged(ui_->static1109, QString::fromStdString(fluxLabelText(position)));
    updateFluxLabelColour();
    // Not read first: whatever was typed since the last Analyse gives way to the stored values.
    exchangeFields(Exchange::Write);
}

void CPsrExDlg::updateFluxLabelColour() {
    QPalette wanted = fluxLabelDefaultPalette_;
    if (const auto colour = fluxLabelColour(ui_->slider1100->value()))
        wanted.setColor(QPalette::WindowText, toQColor(*colour));
    if (ui_->static1109->palette() != wanted) ui_->static1109->setPalette(wanted);
}

bool CPsrExDlg::exchangeFields(Exchange direction) {
    const bool done = exchangeFloat(direction, ui_->edit1050, fields_.exCoreAe) &&
                      exchangeFloat(direction, ui_->edit1049, fields_.exEfficiency) &&
                      exchangeFloat(direction, ui_->edit1099, fields_.exInductance) &&
                      exchangeFloat(direction, ui_->edit1104, fields_.exTurnsRatio) &&
                      exchangeFloat(direction, ui_->edit1103, fields_.exFeedbackTurns) &&
                      exchangeInt(direction, ui_->edit1101, fields_.exPrimaryTurns) &&
                      exchangeInt(direction, ui_->edit1102, fields_.exSecondaryTurns) &&
                      exchangeFloat(direction, ui_->edit1095, fields_.exWantedFrequency) &&
                      exchangeFloat(direction, ui_->edit1105, fields_.exActualFrequency) &&
                      exchangeFloat(direction, ui_->edit1092, fields_.exFeedbackVoltage) &&
                      exchangeFloat(direction, ui_->edit1045, fields_.exOutputVoltage) &&
                      exchangeFloat(direction, ui_->edit1046, fields_.exOutputCurrent);
    if (!done) return false;
    const QSignalBlocker quiet(ui_->slider1100);
    ui_->slider1100->setRange(kFluxSliderMinimum, kFluxSliderMaximum);
    return true;
}

bool CPsrExDlg::exchangeFloat(Exchange direction, QLineEdit* edit, float& field) {
    if (direction == Exchange::Write) {
        setTextIfChanged(edit, entryText(field));
        return true;
    }
    const auto value = parseEntryFloat(entryReadText(*edit));
    if (!value) {
        refuseEntry(*edit, showMessage_, kEnterNumberMessage);
        return false;
    }
    field = *value;
    return true;
}

bool CPsrExDlg::exchangeInt(Exchange direction, QLineEdit* edit, int& field) {
    if (direction == Exchange::Write) {
        setTextIfChanged(edit, QString::number(field));
        return true;
    }
    const auto value = parseEntryInt(entryReadText(*edit));
    if (!value) {
        refuseEntry(*edit, showMessage_, kEnterIntegerMessage);
        return false;
    }
    field = *value;
    return true;
}
