#include "rules/rules_dlg.h"

#include <string>
#include <string_view>
#include <utility>

#include <QEvent>

#include "engine/analysis.h"
#include "engine/design_fields.h"
#include "engine/design_inputs.h"
#include "engine/entry_number.h"
#include "rules/wire_set_edit.h"
#include "ui_rules_dlg.h"
#include "widgets/entry_text.h"
#include "widgets/language.h"

CRulesDlg::CRulesDlg(RuleSet& rules, int controllerChoice, QWidget* parent)
    : QDialog(parent),
      rules_(rules),
      controllerChoice_(controllerChoice),
      ui_(std::make_unique<Ui::CRulesDlg>()) {
    ui_->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    const auto rule = [](std::string_view name) { return designField(name, false); };
    fields_ = {
        {ui_->edit1000, rule("peakFlux")},
        {ui_->edit1026, rule("peakFluxSpan")},
        {ui_->edit1003, rule("onDuty")},
        {ui_->edit1025, rule("onDutySpan")},
        {ui_->edit1004, rule("frequency")},
        {ui_->edit1017, rule("frequencySpan")},
        {ui_->edit1019, rule("windDepthLimit")},
        {ui_->edit1012, rule("maxSolutions")},
        {ui_->edit1031, rule("firstWindingMinShare")},
        {ui_->edit1035, rule("tapeThickness")},
        {ui_->edit1014, rule("idleRatio")},
        {ui_->edit1018, rule("tempRise")},
        {ui_->edit1016, rule("diodeDrop")},
        {ui_->edit1015, rule("switchDrop")},
        {ui_->edit1038, rule("slotWidthReserve")},
        {ui_->edit1037, rule("tapeTurns")},
        {ui_->edit1011, rule("outputDuty")},
        {ui_->edit1084, rule("primaryStrands")},
        {ui_->edit1085, rule("secondaryStrands")},
    };

    ui_->check1039->setChecked(rules.sandwichWinding == 1);
    ui_->check1033->setChecked(rules.skinEffect == 1);
    ui_->check1052->setChecked(rules.evenTurns);
    ui_->check1040->setChecked(rules.sandwichWireChange);
    updateSandwichWireChange();

    working_ = RulesWorkingCopy::from(rules);
    showMode(rules.ccMode);
    if (controllerChoice_ != static_cast<int>(Controller::PsrGeneric)) ui_->edit1011->setEnabled(false);
    fillEdits();

    for (int i = 0; i < WireCatalogue::kSize; ++i)
        ui_->list1076->addItem(QString::fromUtf8(WireCatalogue::text(i).data(),
                                                 static_cast<qsizetype>(WireCatalogue::text(i).size())));
    refreshWireLists();

    connect(ui_->radio1056, &QRadioButton::clicked, this, [this] { showMode(true); });
    connect(ui_->radio1057, &QRadioButton::clicked, this, [this] { showMode(false); });
    connect(ui_->check1039, &QCheckBox::clicked, this, &CRulesDlg::updateSandwichWireChange);
    connect(ui_->button1034, &QPushButton::clicked, this, &CRulesDlg::save);
    connect(ui_->button2, &QPushButton::clicked, this, &CRulesDlg::reject);
    connect(ui_->button1077, &QPushButton::clicked, this, [this] { addWire(&RuleSet::primaryWires); });
    connect(ui_->button1082, &QPushButton::clicked, this, [this] { addWire(&RuleSet::secondaryWires); });
    connect(ui_->button1079, &QPushButton::clicked, this,
            [this] { removeWire(&RuleSet::primaryWires, *ui_->list1080); });
    connect(ui_->button1083, &QPushButton::clicked, this,
            [this] { removeWire(&RuleSet::secondaryWires, *ui_->list1081); });
}

CRulesDlg::~CRulesDlg() = default;

void CRulesDlg::setMessageFunction(MessageFunction message) {
    message_ = std::move(message);
}

void CRulesDlg::message(const QString& text) {
    message_(this, text);
}

void CRulesDlg::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        // Retranslating resets every text of the form; the frequency caption follows the mode.
        ui_->retranslateUi(this);
        showFrequencyCaption();
    }
    QDialog::changeEvent(event);
}

void CRulesDlg::showFrequencyCaption() {
    ui_->static1059->setText(ui_->radio1057->isChecked() ? tr("PWM频率") : tr("PFM频率范围"));
}

void CRulesDlg::showMode(bool cc) {
    (cc ? ui_->radio1056 : ui_->radio1057)->setChecked(true);
    // CC works at the grid's frequencies with an output duty; CV at one frequency with an idle ratio.
    showFrequencyCaption();
    ui_->edit1014->setEnabled(!cc);
    ui_->static1058->setEnabled(!cc);
    ui_->edit1011->setEnabled(cc);
    ui_->static1075->setEnabled(cc);
    ui_->edit1017->setEnabled(cc);
}

void CRulesDlg::updateSandwichWireChange() {
    const bool sandwich = ui_->check1039->isChecked();
    if (!sandwich) ui_->check1040->setChecked(false);
    ui_->check1040->setEnabled(sandwich);
}

void CRulesDlg::fillEdits() {
    for (const NumberField& field : fields_) {
        const double value = working_.get(*field.field);
        if (field.field->kind == FieldKind::WholeFloat)
            field.edit->setText(QString::number(static_cast<int>(value)));
        else
            field.edit->setText(entryText(static_cast<float>(value)));
    }
}

bool CRulesDlg::readEdits() {
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

void CRulesDlg::save() {
    if (!readEdits()) return;
    if (wireSetsEmpty()) {
        message(tr("数据错误,请检查!"));
        return;
    }
    RuleSet& rules = rules_;
    rules.sandwichWinding = ui_->check1039->isChecked() ? 1 : 0;
    rules.skinEffect = ui_->check1033->isChecked() ? 1 : 0;
    rules.evenTurns = ui_->check1052->isChecked();
    rules.sandwichWireChange = ui_->check1040->isChecked();
    working_.writeTo(rules);
    rules.ccMode = !ui_->radio1057->isChecked();
    QDialog::accept();
}

void CRulesDlg::reject() {
    if (wireSetsEmpty()) {
        message(tr("漆包线列表不能为空!"));
        return;
    }
    QDialog::reject();
}

bool CRulesDlg::wireSetsEmpty() const {
    return isEmpty(rules_.primaryWires) || isEmpty(rules_.secondaryWires);
}

void CRulesDlg::addWire(WireSet RuleSet::*set) {
    const auto mark = ui_->list1076->selectionMark();
    if (!mark) {
        message(tr("没有选择任何数据!"));
        return;
    }
    addCatalogueWire(rules_.*set, *mark);
    refreshWireLists();
}

void CRulesDlg::removeWire(WireSet RuleSet::*set, const WireListView& list) {
    const auto mark = list.selectionMark();
    if (!mark) {
        message(tr("没有选择任何数据!"));
        return;
    }
    removeListedWire(rules_.*set, *mark);
    refreshWireLists();
}

void CRulesDlg::refreshWireLists() {
    ui_->list1080->replaceItems(wireListTexts(rules_.primaryWires));
    ui_->list1081->replaceItems(wireListTexts(rules_.secondaryWires));
}
