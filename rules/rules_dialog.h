#pragma once

#include <memory>
#include <variant>
#include <vector>

#include <QDialog>

#include "engine/rule_set.h"
#include "rules/rules_working_copy.h"
#include "widgets/message_box.h"

class QLineEdit;
class WireListView;
namespace Ui {
class RulesDialog;
}

/// The rules dialog "规则设置": the design rules, the output mode, the winding options and the
/// wire candidate sets of the design it is lent, and through "排序与限值" the ranking and loss
/// limits. Numbers, options, ranking and mode reach the state only on "保存"; the wire sets are
/// written as soon as a wire is added or removed.
class RulesDialog : public QDialog {
    Q_OBJECT

public:
    /// Edits `rules`; `controllerChoice` (a Controller value) decides which entries are open.
    RulesDialog(quillmere::RuleSet& rules, int controllerChoice, QWidget* parent = nullptr);
    ~RulesDialog() override;

    void setMessageFunction(MessageFunction message);

    /// Cancel: "取消", Esc and the close box. Refused while a wire set is empty.
    void reject() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    /// One numeric edit and the working-copy number behind it.
    struct NumberField {
        QLineEdit* edit;
        const quillmere::DesignField* field;  ///< the rule it edits, with the range "保存" holds it to
    };

    /// Selects the mode's radio button and the entries that belong to it.
    void showMode(bool cc);
    void showFrequencyCaption();
    void updateSandwichWireChange();
    /// "排序与限值": ranking, operating temperature and loss limits, into the working copy.
    void openRankingLimits();
    void fillEdits();
    bool readEdits();
    void save();
    void addWire(quillmere::WireSet quillmere::RuleSet::*set);
    void removeWire(quillmere::WireSet quillmere::RuleSet::*set, const WireListView& list);
    void refreshWireLists();
    bool wireSetsEmpty() const;
    void message(const QString& text);

    quillmere::RuleSet& rules_;
    const int controllerChoice_;
    std::unique_ptr<Ui::RulesDialog> ui_;
    RulesWorkingCopy working_;
    std::vector<NumberField> fields_;  ///< in the order "保存" reads them
    MessageFunction message_ = showMessageBox;
};
