#pragma once

#include <functional>

#include <QGroupBox>

class QPainter;

/// The group box that frames the winding diagram. The diagram is drawn over the box (whose
/// style may shade its inside), in the client coordinates of the window that holds the box.
class DiagramGroupBox : public QGroupBox {
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;

    void setOverlay(std::function<void(QPainter&)> paint);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void(QPainter&)> overlay_;
};
