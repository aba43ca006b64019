#include "rules/ranking_limits_dialog.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/design_fields.h"
#include "engine/entry_number.h"
#include "engine/rule_set.h"
#include "widgets/entry_text.h"
#include "widgets/language.h"

using namespace quillmere;

namespace {

QString rangeNumber(double value) {
    return QString::number(value, 'g', 8);
}

}  // namespace

RankingLimitsDialog::RankingLimitsDialog(RulesWorkingCopy& working, MessageFunction message, QWidget* parent)
    : QDialog(parent), working_(working), message_(std::move(message)) {
    setObjectName(QStringLiteral("RankingLimitsDialog"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const auto entry = [this](const char* name, std::string_view field, bool emptyIsOff) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setMaximumWidth(80);
        return Entry{new QLabel(this), edit, designField(field, false), emptyIsOff};
    };
    rankByLabel_ = new QLabel(this);
    rankByCombo_ = new QComboBox(this);
    rankByCombo_->setObjectName(QStringLiteral("rankByCombo"));
    rankByCombo_->setSizeAdjustPolicy(QComboBox::AdjustToContents);  // the longest text of either language
    for (int i = 0; i < 4; ++i) rankByCombo_->addItem(QString());
    temperature_ = entry("operatingTemperatureEdit", "operatingTemperature", false);
    riseLimit_ = entry("maxTemperatureRiseEdit", "maxTemperatureRise", true);
    fluxLimit_ = entry("maxFluxOfSaturationEdit", "maxFluxOfSaturation", true);
    lossLimit_ = entry("maxTotalLossEdit", "maxTotalLoss", true);
    offNote_ = new QLabel(this);
    okButton_ = new QPushButton(this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(this);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));

    auto* form = new QFormLayout;
    form->addRow(rankByLabel_, rankByCombo_);
    for (const Entry* e : {&temperature_, &riseLimit_, &fluxLimit_, &lossLimit_})
        form->addRow(e->label, e->edit);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(offNote_);
    layout->addLayout(buttons);
    setTabOrder(rankByCombo_, temperature_.edit);
    setTabOrder(temperature_.edit, riseLimit_.edit);
    setTabOrder(riseLimit_.edit, fluxLimit_.edit);
    setTabOrder(fluxLimit_.edit, lossLimit_.edit);
    setTabOrder(lossLimit_.edit, okButton_);
    setTabOrder(okButton_, cancelButton_);

    rankByCombo_->setCurrentIndex(static_cast<int>(working_.get(*designField("rankBy", false))));
    for (const Entry* e : {&temperature_, &riseLimit_, &fluxLimit_, &lossLimit_})
        e->edit->setText(entryText(static_cast<float>(working_.get(*e->field))));
    connect(okButton_, &QPushButton::clicked, this, &RankingLimitsDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &RankingLimitsDialog::reject);
    retranslate();
}

void RankingLimitsDialog::retranslate() {
    setWindowTitle(tr("排序与限值"));
    rankByLabel_->setText(tr("排序依据"));
    // In RankBy order.
    const std::array<QString, 4> rankings = {tr("末层占比"), tr("总损耗"), tr("温升"), tr("磁芯体积")};
    for (int i = 0; i < 4; ++i) rankByCombo_->setItemText(i, rankings[static_cast<std::size_t>(i)]);
    temperature_.label->setText(tr("工作温度(°C)"));
    riseLimit_.label->setText(tr("最大温升(K)"));
    fluxLimit_.label->setText(tr("最大 Bpk/Bsat(%)"));
    lossLimit_.label->setText(tr("最大总损耗(W)"));
    offNote_->setText(tr("限值为 0 或空时不限。"));
    okButton_->setText(tr("确定"));
    cancelButton_->setText(tr("取消"));
    // The other language's texts are longer or shorter: an open dialog fits itself to them.
    if (isVisible()) adjustSize();
}

void RankingLimitsDialog::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) retranslate();
    QDialog::changeEvent(event);
}

void RankingLimitsDialog::accept() {
    // Read into a copy so that a refused entry leaves the working copy as it was.
    RulesWorkingCopy read = working_;
    for (const Entry* e : {&temperature_, &riseLimit_, &fluxLimit_, &lossLimit_}) {
        const std::string text = entryReadText(*e->edit);
        const bool blank = e->edit->text().trimmed().isEmpty();
        std::optional<double> value;
        if (e->emptyIsOff && blank)
            value = 0.0;
        else if (const std::optional<float> typed = parseEntryFloat(text))
            value = *typed;
        if (!value) {
            refuseEntry(*e->edit, message_, engineText(kEnterNumberMessage));
            return;
        }
        if (!inRange(*e->field, *value)) {
            const QString name = e->label->text();
            const DesignField& f = *e->field;
            refuseEntry(*e->edit, message_,
                        std::isfinite(f.high)
                            ? tr("%1须在 %2 到 %3 之间!").arg(name, rangeNumber(f.low), rangeNumber(f.high))
                            : tr("%1不能小于 %2!").arg(name, rangeNumber(f.low)));
            return;
        }
        read.set(*e->field, *value);
    }
    read.set(*designField("rankBy", false), rankByCombo_->currentIndex());
    working_ = read;
    QDialog::accept();
}
