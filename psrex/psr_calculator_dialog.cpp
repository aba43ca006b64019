#include "psrex/psr_calculator_dialog.h"

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
#include "ui_psr_calculator_dialog.h"
#include "widgets/entry_text.h"
#include "widgets/language.h"

using namespace quillmere;

namespace {

// Inputs that are numbers but give the formulas no usable value.
constexpr const char* kUnusableInputMessage = QT_TRANSLATE_NOOP("PsrCalculatorDialog", "参数不合理,请检查!");

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

PsrCalculatorDialog::PsrCalculatorDialog(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::PsrCalculatorDialog>()) {
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());

    setTextColour(ui_->minLabel, toQColor(kMinLabelColour));
    setTextColour(ui_->maxLabel, toQColor(kMaxLabelColour));
    fluxLabelDefaultPalette_ = ui_->fluxLabel->palette();
    updateFluxLabelColour();

    // The turns follow the slider each time it draws itself, as well as on every move.
    ui_->fluxSlider->installEventFilter(this);
    connect(ui_->fluxSlider, &QSlider::valueChanged, this, [this] { onSliderDrawn(); });
    connect(ui_->analyseButton, &QPushButton::clicked, this, [this] { onAnalyse(); });
    connect(ui_->exitButton, &QPushButton::clicked, this, &QDialog::reject);
    // The captions promise Alt+A and Alt+Q. A "&" mnemonic would change their text, and a
    // button's own shortcut is reset whenever its text is set, so these stand apart.
    for (const auto& [button, key] :
         {std::pair{ui_->analyseButton, Qt::Key_A}, std::pair{ui_->exitButton, Qt::Key_Q}}) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | key), this);
        connect(shortcut, &QShortcut::activated, button, [button] {
            button->setFocus(Qt::ShortcutFocusReason);
            button->animateClick();
        });
    }

    writeFields();
}

PsrCalculatorDialog::~PsrCalculatorDialog() = default;

void PsrCalculatorDialog::setMessageFunction(MessageFunction function) {
    showMessage_ = std::move(function);
}

void PsrCalculatorDialog::accept() {
    const auto read = readFields();
    if (!read) return;
    fields_ = *read;
    QDialog::accept();
}

void PsrCalculatorDialog::changeEvent(QEvent* event) {
    // The texts set by code (turns at the slider's ends, flux density) are not the form's own:
    // retranslating leaves them as they are.
    if (event->type() == QEvent::LanguageChange) ui_->retranslateUi(this);
    QDialog::changeEvent(event);
}

bool PsrCalculatorDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->fluxSlider && event->type() == QEvent::Paint) onSliderDrawn();
    return QDialog::eventFilter(watched, event);
}

void PsrCalculatorDialog::keyPressEvent(QKeyEvent* event) {
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

void PsrCalculatorDialog::onAnalyse() {
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
    ui_->fluxSlider->setValue(kAnalyseSliderPosition);
    setTextIfChanged(ui_->minLabel, QString::fromStdString(outcome->minLabel));
    setTextIfChanged(ui_->maxLabel, QString::fromStdString(outcome->maxLabel));
    writeFields();
    // The slider redraws at its new position and the turns follow it.
    onSliderDrawn();
}

void PsrCalculatorDialog::onSliderDrawn() {
    const int position = ui_->fluxSlider->value();
    if (const auto turns = turnsForSlider(fields_, position)) {
        fields_.exPrimaryTurns = turns->primary;
        fields_.exSecondaryTurns = turns->secondary;
        fields_.exFeedbackTurns = turns->feedback;
    }
    setTextIfChanged(ui_->fluxLabel, QString::fromStdString(fluxLabelText(position)));
    updateFluxLabelColour();
    // Not read first: whatever was typed since the last Analyse gives way to the stored values.
    writeFields();
}

void PsrCalculatorDialog::updateFluxLabelColour() {
    QPalette wanted = fluxLabelDefaultPalette_;
    if (const auto colour = fluxLabelColour(ui_->fluxSlider->value()))
        wanted.setColor(QPalette::WindowText, toQColor(*colour));
    if (ui_->fluxLabel->palette() != wanted) ui_->fluxLabel->setPalette(wanted);
}

std::optional<PsrFields> PsrCalculatorDialog::readFields() {
    PsrFields read = fields_;
    if (!exchangeFields(Exchange::Read, read)) return std::nullopt;
    return read;
}

void PsrCalculatorDialog::writeFields() {
    exchangeFields(Exchange::Write, fields_);
}

bool PsrCalculatorDialog::exchangeFields(Exchange direction, PsrFields& fields) {
    const bool done = exchangeFloat(direction, ui_->coreAeEdit, fields.exCoreAe) &&
                      exchangeFloat(direction, ui_->efficiencyEdit, fields.exEfficiency) &&
                      exchangeFloat(direction, ui_->inductanceEdit, fields.exInductance) &&
                      exchangeFloat(direction, ui_->turnsRatioEdit, fields.exTurnsRatio) &&
                      exchangeFloat(direction, ui_->feedbackTurnsEdit, fields.exFeedbackTurns) &&
                      exchangeInt(direction, ui_->primaryTurnsEdit, fields.exPrimaryTurns) &&
                      exchangeInt(direction, ui_->secondaryTurnsEdit, fields.exSecondaryTurns) &&
                      exchangeFloat(direction, ui_->wantedFrequencyEdit, fields.exWantedFrequency) &&
                      exchangeFloat(direction, ui_->actualFrequencyEdit, fields.exActualFrequency) &&
                      exchangeFloat(direction, ui_->feedbackVoltageEdit, fields.exFeedbackVoltage) &&
                      exchangeFloat(direction, ui_->outputVoltageEdit, fields.exOutputVoltage) &&
                      exchangeFloat(direction, ui_->outputCurrentEdit, fields.exOutputCurrent);
    if (!done) return false;
    const QSignalBlocker quiet(ui_->fluxSlider);
    ui_->fluxSlider->setRange(kFluxSliderMinimum, kFluxSliderMaximum);
    return true;
}

bool PsrCalculatorDialog::exchangeFloat(Exchange direction, QLineEdit* edit, float& field) {
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

bool PsrCalculatorDialog::exchangeInt(Exchange direction, QLineEdit* edit, int& field) {
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

QLineEdit* PsrCalculatorDialog::inputEdit(PsrInput input) const {
    switch (input) {
        case PsrInput::CoreAe:
            return ui_->coreAeEdit;
        case PsrInput::Efficiency:
            return ui_->efficiencyEdit;
        case PsrInput::WantedFrequency:
            return ui_->wantedFrequencyEdit;
        case PsrInput::FeedbackVoltage:
            return ui_->feedbackVoltageEdit;
        case PsrInput::OutputVoltage:
            return ui_->outputVoltageEdit;
        case PsrInput::OutputCurrent:
            return ui_->outputCurrentEdit;
    }
    return ui_->coreAeEdit;  // not reached: every input has its edit
}
