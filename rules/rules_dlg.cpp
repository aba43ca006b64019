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

    using W = RulesWorkingCopy;
    fields_ = {
        {ui_->edit1000, &W::peakFlux, "peakFlux"},
        {ui_->edit1026, &W::peakFluxSpan, "peakFluxSpan"},
        {ui_->edit1003, &W::onDuty, "onDuty"},
        {ui_->edit1025, &W::onDutySpan, "onDutySpan"},
        {ui_->edit1004, &W::frequency, "frequency"},
        {ui_->edit1017, &W::frequencySpan, "frequencySpan"},
        {ui_->edit1019, &W::windDepthLimit, "windDepthLimit"},
        {ui_->edit1012, &W::maxSolutions, "maxSolutions"},
        {ui_->edit1031, &W::firstWindingMinShare, "firstWindingMinShare"},
        {ui_->edit1035, &W::tapeThickness, "tapeThickness"},
        {ui_->edit1014, &W::idleRatio, "idleRatio"},
        {ui_->edit1018, &W::tempRise, "tempRise"},
        {ui_->edit1016, &W::diodeDrop, "diodeDrop"},
        {ui_->edit1015, &W::switchDrop, "switchDrop"},
        {ui_->edit1038, &W::slotWidthReserve, "slotWidthReserve"},
        {ui_->edit1037, &W::tapeTurns, "tapeTurns"},
        {ui_->edit1011, &W::outputDuty, "outputDuty"},
        {ui_->edit1084, &W::primaryStrands, "primaryStrands"},
        {ui_->edit1085, &W::secondaryStrands, "secondaryStrands"},
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

namespace {

double numberOf(const RulesWorkingCopy& copy,
                const std::variant<float RulesWorkingCopy::*, int RulesWorkingCopy::*>& member) {
    return std::visit([&](auto m) { return static_cast<double>(copy.*m); }, member);
}

}  // namespace

void CRulesDlg::fillEdits() {
    for (const NumberField& field : fields_) {
        if (const auto* member = std::get_if<float RulesWorkingCopy::*>(&field.member))
            field.edit->setText(entryText(working_.**member));
        else
            field.edit->setText(QString::number(working_.*std::get<int RulesWorkingCopy::*>(field.member)));
    }
}

bool CRulesDlg::readEdits() {
    // Read into a copy so that a refused edit leaves the working numbers as they were.
    RulesWorkingCopy read = working_;
    for (const NumberField& field : fields_) {
        const std::string text = entryReadText(*field.edit);
        std::string_view refusal;
        if (const auto* member = std::get_if<float RulesWorkingCopy::*>(&field.member)) {
            const auto value = parseEntryFloat(text);
            if (value)
                read.** member = *value;
            else
                refusal = kEnterNumberMessage;
        } else {
            const auto value = parseEntryInt(text);
            if (value)
                read.*std::get<int RulesWorkingCopy::*>(field.member) = *value;
            else
                refusal = kEnterIntegerMessage;
        }
        if (refusal.empty() && !inRange(*designField(field.name, false), numberOf(read, field.member)))
            refusal = refusalMessage(AnalyseRefusal::RulesOutOfRange);
        if (!refusal.empty()) {
            refuseEntry(*field.edit, message_, engineText(refusal));
            return false;
        }
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
