#include "rules/rules_dialog.h"

#include <string>
#include <string_view>
#include <utility>

#include <QEvent>

#include "engine/analysis.h"
#include "engine/design_fields.h"
#include "engine/design_inputs.h"
#include "engine/entry_number.h"
#include "rules/ranking_limits_dialog.h"
#include "rules/wire_set_edit.h"
#include "ui_rules_dialog.h"
#include "widgets/entry_text.h"
#include "widgets/language.h"

using namespace quillmere;

RulesDialog::RulesDialog(RuleSet& rules, int controllerChoice, QWidget* parent)
    : QDialog(parent),
      rules_(rules),
      controllerChoice_(controllerChoice),
      ui_(std::make_unique<Ui::RulesDialog>()) {
    ui_->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    const auto rule = [](std::string_view name) { return designField(name, false); };
    fields_ = {
        {ui_->peakFluxEdit, rule("peakFlux")},
        {ui_->peakFluxSpanEdit, rule("peakFluxSpan")},
        {ui_->onDutyEdit, rule("onDuty")},
        {ui_->onDutySpanEdit, rule("onDutySpan")},
        {ui_->frequencyEdit, rule("frequency")},
        {ui_->frequencySpanEdit, rule("frequencySpan")},
        {ui_->windDepthLimitEdit, rule("windDepthLimit")},
        {ui_->maxSolutionsEdit, rule("maxSolutions")},
        {ui_->firstWindingShareEdit, rule("firstWindingMinShare")},
        {ui_->tapeThicknessEdit, rule("tapeThickness")},
        {ui_->idleRatioEdit, rule("idleRatio")},
        {ui_->tempRiseEdit, rule("tempRise")},
        {ui_->diodeDropEdit, rule("diodeDrop")},
        {ui_->switchDropEdit, rule("switchDrop")},
        {ui_->slotWidthReserveEdit, rule("slotWidthReserve")},
        {ui_->tapeTurnsEdit, rule("tapeTurns")},
        {ui_->outputDutyEdit, rule("outputDuty")},
        {ui_->primaryStrandsEdit, rule("primaryStrands")},
        {ui_->secondaryStrandsEdit, rule("secondaryStrands")},
    };

    ui_->sandwichWindingCheck->setChecked(rules.sandwichWinding == 1);
    ui_->skinEffectCheck->setChecked(rules.skinEffect == 1);
    ui_->evenTurnsCheck->setChecked(rules.evenTurns);
    ui_->sandwichWireChangeCheck->setChecked(rules.sandwichWireChange);
    updateSandwichWireChange();

    working_ = RulesWorkingCopy::from(rules);
    showMode(rules.ccMode);
    if (controllerChoice_ != static_cast<int>(Controller::PsrGeneric)) ui_->outputDutyEdit->setEnabled(false);
    fillEdits();

    for (int i = 0; i < WireCatalogue::kSize; ++i)
        ui_->wireCatalogueList->addItem(QString::fromUtf8(
            WireCatalogue::text(i).data(), static_cast<qsizetype>(WireCatalogue::text(i).size())));
    refreshWireLists();

    connect(ui_->ccRadio, &QRadioButton::clicked, this, [this] { showMode(true); });
    connect(ui_->cvRadio, &QRadioButton::clicked, this, [this] { showMode(false); });
    connect(ui_->sandwichWindingCheck, &QCheckBox::clicked, this, &RulesDialog::updateSandwichWireChange);
    connect(ui_->saveButton, &QPushButton::clicked, this, &RulesDialog::save);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &RulesDialog::reject);
    connect(ui_->rankingLimitsButton, &QPushButton::clicked, this, &RulesDialog::openRankingLimits);
    connect(ui_->addPrimaryWireButton, &QPushButton::clicked, this,
            [this] { addWire(&RuleSet::primaryWires); });
    connect(ui_->addSecondaryWireButton, &QPushButton::clicked, this,
            [this] { addWire(&RuleSet::secondaryWires); });
    connect(ui_->removePrimaryWireButton, &QPushButton::clicked, this,
            [this] { removeWire(&RuleSet::primaryWires, *ui_->primaryWireList); });
    connect(ui_->removeSecondaryWireButton, &QPushButton::clicked, this,
            [this] { removeWire(&RuleSet::secondaryWires, *ui_->secondaryWireList); });
}

RulesDialog::~RulesDialog() = default;

void RulesDialog::setMessageFunction(MessageFunction message) {
    message_ = std::move(message);
}

void RulesDialog::message(const QString& text) {
    message_(this, text);
}

void RulesDialog::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        // Retranslating resets every text of the form; the frequency caption follows the mode.
        ui_->retranslateUi(this);
        showFrequencyCaption();
    }
    QDialog::changeEvent(event);
}

void RulesDialog::showFrequencyCaption() {
    ui_->frequencyLabel->setText(ui_->cvRadio->isChecked() ? tr("PWM频率") : tr("PFM频率范围"));
}

void RulesDialog::showMode(bool cc) {
    (cc ? ui_->ccRadio : ui_->cvRadio)->setChecked(true);
    // CC works at the grid's frequencies with an output duty; CV at one frequency with an idle ratio.
    showFrequencyCaption();
    ui_->idleRatioEdit->setEnabled(!cc);
    ui_->idleRatioLabel->setEnabled(!cc);
    ui_->outputDutyEdit->setEnabled(cc);
    ui_->outputDutyLabel->setEnabled(cc);
    ui_->frequencySpanEdit->setEnabled(cc);
}

void RulesDialog::openRankingLimits() {
    // Window-modal and not waited for: its "确定" writes the working copy, which "保存" stores.
    auto* dialog = new RankingLimitsDialog(working_, message_, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void RulesDialog::updateSandwichWireChange() {
    const bool sandwich = ui_->sandwichWindingCheck->isChecked();
    if (!sandwich) ui_->sandwichWireChangeCheck->setChecked(false);
    ui_->sandwichWireChangeCheck->setEnabled(sandwich);
}

void RulesDialog::fillEdits() {
    for (const NumberField& field : fields_) {
        const double value = working_.get(*field.field);
        if (field.field->kind == FieldKind::WholeFloat)
            field.edit->setText(QString::number(static_cast<int>(value)));
        else
            field.edit->setText(entryText(static_cast<float>(value)));
    }
}

bool RulesDialog::readEdits() {
    // Read into a copy so that a refused edit leaves the working numbers as they were.
    RulesWorkingCopy read = working_;
    for (const NumberField& field : fields_) {
        const std::string text = entryReadText(*field.edit);
        std::string_view refusal;
        std::optional<double> value;
        if (field.field->kind == FieldKind::WholeFloat) {
            value = parseEntryInt(text);
            if (!value) refusal = kEnterIntegerMessage;
        } else {
            value = parseEntryFloat(text);
            if (!value) refusal = kEnterNumberMessage;
        }
        if (value && !inRange(*field.field, *value))
            refusal = refusalMessage(AnalyseRefusal::RulesOutOfRange);
        if (!refusal.empty()) {
            refuseEntry(*field.edit, message_, engineText(refusal));
            return false;
        }
        read.set(*field.field, *value);
    }
    working_ = read;
    return true;
}

void RulesDialog::save() {
    if (!readEdits()) return;
    if (wireSetsEmpty()) {
        message(tr("数据错误,请检查!"));
        return;
    }
    RuleSet& rules = rules_;
    rules.sandwichWinding = ui_->sandwichWindingCheck->isChecked() ? 1 : 0;
    rules.skinEffect = ui_->skinEffectCheck->isChecked() ? 1 : 0;
    rules.evenTurns = ui_->evenTurnsCheck->isChecked();
    rules.sandwichWireChange = ui_->sandwichWireChangeCheck->isChecked();
    working_.writeTo(rules);
    rules.ccMode = !ui_->cvRadio->isChecked();
    QDialog::accept();
}

void RulesDialog::reject() {
    if (wireSetsEmpty()) {
        message(tr("漆包线列表不能为空!"));
        return;
    }
    QDialog::reject();
}

bool RulesDialog::wireSetsEmpty() const {
    return isEmpty(rules_.primaryWires) || isEmpty(rules_.secondaryWires);
}

void RulesDialog::addWire(WireSet RuleSet::*set) {
    const auto mark = ui_->wireCatalogueList->selectionMark();
    if (!mark) {
        message(tr("没有选择任何数据!"));
        return;
    }
    addCatalogueWire(rules_.*set, *mark);
    refreshWireLists();
}

void RulesDialog::removeWire(WireSet RuleSet::*set, const WireListView& list) {
    const auto mark = list.selectionMark();
    if (!mark) {
        message(tr("没有选择任何数据!"));
        return;
    }
    removeListedWire(rules_.*set, *mark);
    refreshWireLists();
}

void RulesDialog::refreshWireLists() {
    ui_->primaryWireList->replaceItems(wireListTexts(rules_.primaryWires));
    ui_->secondaryWireList->replaceItems(wireListTexts(rules_.secondaryWires));
}
