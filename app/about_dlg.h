#pragma once

#include <memory>

#include <QDialog>

namespace Ui {
class CAboutDlg;
}

/// "关于 Quillmere": the program's name, version and purpose.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    ~CAboutDlg() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    std::unique_ptr<Ui::CAboutDlg> ui_;
};
