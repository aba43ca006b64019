#pragma once

#include <memory>

#include <QDialog>

namespace Ui {
class AboutDialog;
}

/// "关于 Quillmere": the program's name, version and purpose.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
    ~AboutDialog() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    std::unique_ptr<Ui::AboutDialog> ui_;
};
