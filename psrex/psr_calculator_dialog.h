#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include <QDialog>
#include <QPalette>

#include "psrex/psr_calculator.h"
#include "widgets/message_box.h"

class QLineEdit;
class QLabel;
class QSlider;

namespace Ui {
class PsrCalculatorDialog;
}

/// The VEV_OD calculator: inductance and turns of a primary-side-regulated flyback for a
/// wanted frequency, with the design flux density on a slider. Run it modally; it keeps its
/// own fields and shares nothing with the design form.
class PsrCalculatorDialog : public QDialog {
    Q_OBJECT

public:
    explicit PsrCalculatorDialog(QWidget* parent = nullptr);
    ~PsrCalculatorDialog() override;

    /// Where the fixed messages go; tests capture them instead of opening boxes.
    void setMessageFunction(MessageFunction function);

    const PsrFields& fields() const { return fields_; }

    /// Reads the fields and closes with the accept result; stays open, keeping every field as
    /// it was, when a field is refused.
    void accept() override;

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class Exchange { Read, Write };

    void onAnalyse();
    void onSliderDrawn();
    /// All fields as the edits give them, or empty when one is refused (its message shown).
    std::optional<PsrFields> readFields();
    void writeFields();
    bool exchangeFields(Exchange direction, PsrFields& fields);
    bool exchangeFloat(Exchange direction, QLineEdit* edit, float& field);
    bool exchangeInt(Exchange direction, QLineEdit* edit, int& field);
    QLineEdit* inputEdit(PsrInput input) const;
    void updateFluxLabelColour();

    std::unique_ptr<Ui::PsrCalculatorDialog> ui_;
    PsrFields fields_;
    MessageFunction showMessage_ = showMessageBox;
    QPalette fluxLabelDefaultPalette_;
};
