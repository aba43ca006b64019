#pragma once

#include <QObject>
#include <QWidget>

class QLabel;
class QWidget;

/// Shows "Coordinate:x,y" (client pixels of `form`) in `readout` while the pointer moves over
/// the form's own surface, its group boxes and static texts; keeps the last value while the
/// pointer is over an edit, button, combo box or list. Install once on the form.
class PointerReadout : public QObject {
    Q_OBJECT
public:
    PointerReadout(QWidget* form, QLabel* readout);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* form_;
    QLabel* readout_;
};
