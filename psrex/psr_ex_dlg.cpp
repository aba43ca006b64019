#include "psrex/psr_ex_dlg.h"

#include <utility>

#include <QColor>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>

#include "engine/entry_number.h"
#include "ui_psrex_dlg.h"
#include "widgets/entry_text.h"
#include "widgets/language.h"

namespace {

// Inputs that are numbers but give the formulas no usable value.
constexpr const char* kUnusableInputMessage = QT_TRANSLATE_NOOP("CPsrExDlg", "参数不合理,请检查!");

QColor toQColor(Rgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

// A slider draw puts the stored values back, also into an entry just refused: that one keeps
// its whole text selected, so the engineer can still type over it.
void setTextIfChanged(QLineEdit* edit, const QString& text) {
    if (edit->text() == text) return;
    const bool wholeSelected = edit->hasSelectedText() && edit->selectedText() == edit->text();
    edit->setText(text);
    if (wholeSelected) edit->selectAll();
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
    // The captions promise Alt+A and Alt+Q. A "&" mnemonic would change their text, and a
    // button's own shortcut is reset whenever its text is set, so these stand apart.
    for (const auto& [button, key] :
         {std::pair{ui_->button1096, Qt::Key_A}, std::pair{ui_->button1108, Qt::Key_Q}}) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | key), this);
        connect(shortcut, &QShortcut::activated, button, [button] {
            button->setFocus(Qt::ShortcutFocusReason);
            button->animateClick();
        });
    }

    writeFields();
}

CPsrExDlg::~CPsrExDlg() = default;

void CPsrExDlg::setMessageFunction(MessageFunction function) {
    showMessage_ = std::move(function);
}

void CPsrExDlg::accept() {
    const auto read = readFields();
    if (!read) return;
    fields_ = *read;
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
    // Nothing is stored until the whole calculation has succeeded: the slider recomputes from
    // the stored fields, and they must keep matching the results on show.
    const auto read = readFields();
    if (!read) return;
    const auto outcome = analyse(*read);
    if (!outcome) {
        refuseEntry(*inputEdit(outcome.refused()), showMessage_, tr(kUnusableInputMessage));
        return;
    }
    fields_ = outcome->fields;
    ui_->slider1100->setValue(kAnalyseSliderPosition);
    setTextIfChanged(ui_->static1106, QString::fromStdString(outcome->minLabel));
    setTextIfChanged(ui_->static1107, QString::fromStdString(outcome->maxLabel));
    writeFields();
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
    writeFields();
}

void CPsrExDlg::updateFluxLabelColour() {
    QPalette wanted = fluxLabelDefaultPalette_;
    if (const auto colour = fluxLabelColour(ui_->slider1100->value()))
        wanted.setColor(QPalette::WindowText, toQColor(*colour));
    if (ui_->static1109->palette() != wanted) ui_->static1109->setPalette(wanted);
}

std::optional<PsrFields> CPsrExDlg::readFields() {
    PsrFields read = fields_;
    if (!exchangeFields(Exchange::Read, read)) return std::nullopt;
    return read;
}

void CPsrExDlg::writeFields() {
    exchangeFields(Exchange::Write, fields_);
}

bool CPsrExDlg::exchangeFields(Exchange direction, PsrFields& fields) {
    const bool done = exchangeFloat(direction, ui_->edit1050, fields.exCoreAe) &&
                      exchangeFloat(direction, ui_->edit1049, fields.exEfficiency) &&
                      exchangeFloat(direction, ui_->edit1099, fields.exInductance) &&
                      exchangeFloat(direction, ui_->edit1104, fields.exTurnsRatio) &&
                      exchangeFloat(direction, ui_->edit1103, fields.exFeedbackTurns) &&
                      exchangeInt(direction, ui_->edit1101, fields.exPrimaryTurns) &&
                      exchangeInt(direction, ui_->edit1102, fields.exSecondaryTurns) &&
                      exchangeFloat(direction, ui_->edit1095, fields.exWantedFrequency) &&
                      exchangeFloat(direction, ui_->edit1105, fields.exActualFrequency) &&
                      exchangeFloat(direction, ui_->edit1092, fields.exFeedbackVoltage) &&
                      exchangeFloat(direction, ui_->edit1045, fields.exOutputVoltage) &&
                      exchangeFloat(direction, ui_->edit1046, fields.exOutputCurrent);
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
        refuseEntry(*edit, showMessage_, engineText(kEnterNumberMessage));
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
        refuseEntry(*edit, showMessage_, engineText(kEnterIntegerMessage));
        return false;
    }
    field = *value;
    return true;
}

QLineEdit* CPsrExDlg::inputEdit(PsrInput input) const {
    switch (input) {
        case PsrInput::CoreAe:
            return ui_->edit1050;
        case PsrInput::Efficiency:
            return ui_->edit1049;
        case PsrInput::WantedFrequency:
            return ui_->edit1095;
        case PsrInput::FeedbackVoltage:
            return ui_->edit1092;
        case PsrInput::OutputVoltage:
            return ui_->edit1045;
        case PsrInput::OutputCurrent:
            return ui_->edit1046;
    }
    return ui_->edit1050;  // not reached: every input has its edit
}
