#pragma once

#include <QObject>
#include <QWidget>

class QLabel;
class QPoint;
class QWidget;

/// Shows "Coordinate:x,y" (client pixels of `form`) in `readout` while the pointer moves over
/// the form's own surface, its group boxes and static texts; keeps the last value while the
/// pointer is over an edit, button, combo box or list. Install once on the form.
///
/// It watches the form and all its present and later child widgets itself, and turns on mouse
/// tracking where the form's surface shows through (the form, static texts, group boxes and
/// plain containers), so installing it on the form once more is harmless. A left press on the
/// form's bare surface is swallowed.
class PointerReadout : public QObject {
    Q_OBJECT
public:
    PointerReadout(QWidget* form, QLabel* readout);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QWidget* widget);
    bool surfaceAt(QPoint formPosition) const;
    void show(QPoint formPosition);

    QWidget* form_;
    QLabel* readout_;
};
