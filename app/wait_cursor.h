#pragma once

#include <QObject>

/// The hourglass shown from "分析" until the pointer next moves over the program's windows.
class WaitCursor : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~WaitCursor() override;

    void show();
    bool shown() const { return shown_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void restore();

    bool shown_ = false;
};
