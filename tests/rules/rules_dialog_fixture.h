#pragma once

#include <gtest/gtest.h>

#include <memory>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTest>

#include "engine/design.h"
#include "rules/rules_dlg.h"

/// A rules dialog on its own design state, shown offscreen, with its messages captured.
class RulesDialogTest : public ::testing::Test {
protected:
    void open() {
        dialog = std::make_unique<CRulesDlg>(state.rules, state.controllerChoice);
        dialog->setMessageFunction([this](QWidget*, const QString& text) { messages << text; });
        dialog->show();
    }

    template <class Widget>
    Widget* find(const char* name) const {
        auto* widget = dialog->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QLineEdit* edit(const char* name) const { return find<QLineEdit>(name); }
    void click(const char* button) const { QTest::mouseClick(find<QAbstractButton>(button), Qt::LeftButton); }
    void type(const char* name, const QString& text) const { edit(name)->setText(text); }

    /// Clicks row `row` of a list as the engineer would, with `modifiers` held.
    void clickRow(const char* list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        auto* view = find<QListWidget>(list);
        QListWidgetItem* item = view->item(row);
        ASSERT_NE(item, nullptr) << list << " row " << row;
        view->scrollToItem(item);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, view->visualItemRect(item).center());
    }
    QStringList rows(const char* list) const {
        QStringList texts;
        const auto* view = find<QListWidget>(list);
        for (int i = 0; i < view->count(); ++i) texts << view->item(i)->text();
        return texts;
    }

    Design state;
    std::unique_ptr<CRulesDlg> dialog;
    QStringList messages;
};
