#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QStringList>
#include <QTableView>
#include <QTest>

#include "app/design_form.h"
#include "engine/notification.h"

/// The design form shown offscreen and active, with its messages captured and the worker
/// running flat out unless a test wants the interactive pacing.
class FormTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<DesignForm>();
        form->setMessageFunction([this](QWidget*, const QString& text) { messages << text; });
        form->setPacing(quillmere::Pacing::none());
        form->setSaveQuestion([this](QWidget*) {
            ++saveQuestions;
            return saveAnswer;
        });
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    void TearDown() override {
        form.reset();
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the wait cursor outlived its form";
    }

    quillmere::Design& design() { return form->design(); }
    const ShownResults& shown() const { return form->shownResults(); }

    template <class Widget>
    Widget* find(const QString& name) const {
        auto* widget = form->findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QLineEdit* edit(const char* name) const { return find<QLineEdit>(name); }
    QLabel* label(const char* name) const { return find<QLabel>(name); }
    QString labelText(const char* name) const { return label(name)->text(); }
    QAbstractButton* button(const char* name) const { return find<QAbstractButton>(name); }
    QComboBox* combo() const { return find<QComboBox>(QStringLiteral("controllerCombo")); }
    QTableView* table() const { return find<QTableView>(QStringLiteral("resultTable")); }
    int rows() const { return table()->model()->rowCount(); }
    QString cell(int row, int column) const { return table()->model()->index(row, column).data().toString(); }
    int currentRow() const { return table()->currentIndex().row(); }
    QProgressBar* progress() const { return find<QProgressBar>(QStringLiteral("progress")); }

    void click(const char* name) const { QTest::mouseClick(button(name), Qt::LeftButton); }

    /// Processes events until `done` holds; false after `limit`.
    static bool waitFor(const std::function<bool()>& done,
                        std::chrono::milliseconds limit = std::chrono::seconds(30)) {
        return QTest::qWaitFor(done, static_cast<int>(limit.count()));
    }

    /// Presses Enter in an edit (the default button "分析") and waits until the form is idle.
    bool analyseAndWait() {
        QTest::keyClick(edit("minInputVoltageEdit"), Qt::Key_Return);
        return waitFor([this] { return !form->analysisBusy() && !form->analysisWorker().held(); });
    }

    std::unique_ptr<DesignForm> form;
    QStringList messages;
    /// How "保存对设计的更改吗?" is answered, and how often it was asked.
    SaveAnswer saveAnswer = SaveAnswer::Discard;
    int saveQuestions = 0;
};
