#pragma once

#include <QDialog>

#include "rules/rules_working_copy.h"
#include "widgets/message_box.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
namespace quillmere {
struct DesignField;
}  // namespace quillmere

/// "排序与限值": what the search ranks by, the operating temperature of the loss figures and the
/// three loss limits, opened from the rules dialog. "确定" checks every entry against its rule's
/// range and writes them into the rules dialog's working copy, which reaches the design only
/// when the rules are saved; "取消" leaves the working copy alone. A limit of 0 or empty is off.
class RankingLimitsDialog : public QDialog {
    Q_OBJECT

public:
    RankingLimitsDialog(RulesWorkingCopy& working, MessageFunction message, QWidget* parent = nullptr);

    /// "确定": refuses the first entry that is not a number in its range, else writes and closes.
    void accept() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    struct Entry {
        QLabel* label;
        QLineEdit* edit;
        const quillmere::DesignField* field;
        bool emptyIsOff;  ///< a limit: empty reads as 0
    };

    void retranslate();

    RulesWorkingCopy& working_;
    MessageFunction message_;
    QLabel* rankByLabel_;
    QComboBox* rankByCombo_;
    Entry temperature_;
    Entry riseLimit_;
    Entry fluxLimit_;
    Entry lossLimit_;
    QLabel* offNote_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};
