// The design form as it opens: defaults, layout, result table, About box.
#include <algorithm>

#include <QApplication>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "app/about_dialog.h"
#include "form_fixture.h"
#include "psrex/psr_calculator_dialog.h"
#include "widgets/application_setup.h"

namespace {

QRect units(int x, int y, int width, int height) {
    return {dialogUnits(x), dialogUnits(y), dialogUnits(width), dialogUnits(height)};
}

// Closes the modal dialog that is open when the event loop next runs, after `check` has looked at it.
void closeModalWhenOpen(const std::function<void(QDialog&)>& check) {
    QTimer::singleShot(0, [check] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        check(*dialog);
        dialog->close();
    });
}

}  // namespace

TEST_F(FormTest, OpensWithTheDefaultDesign) {
    const struct {
        const char* id;
        const char* text;
    } defaults[] = {
        {"minInputVoltageEdit", "90"}, {"maxInputVoltageEdit", "280"}, {"outputVoltageEdit", "23"},
        {"outputCurrentEdit", "0.33"}, {"feedbackVoltageEdit", "13"},  {"minRectifiedVoltageEdit", "80"},
        {"efficiencyEdit", "90"},      {"coreAeEdit", "19.2"},         {"slotWidthEdit", "8.6"},
        {"slotDepthEdit", "3.5"},      {"auxWireDiameterEdit", "0.12"}};
    for (const auto& d : defaults) EXPECT_EQ(edit(d.id)->text(), QString::fromLatin1(d.text)) << d.id;

    EXPECT_EQ(combo()->currentText(), QStringLiteral("PSR通用"));
    EXPECT_EQ(design().controllerChoice, 3);
    const QStringList controllers{"----", "BP3105", "PL3532", "PSR通用", "L6562"};
    ASSERT_EQ(combo()->count(), controllers.size());
    for (int i = 0; i < combo()->count(); ++i) EXPECT_EQ(combo()->itemText(i), controllers[i]);

    EXPECT_EQ(labelText("statusLine"), QStringLiteral("Quillmere Release Version"));
    const struct {
        const char* id;
        QColor colour;
    } colours[] = {{"statusLine", QColor(0, 130, 0)},
                   {"solutionsCaptionLabel", QColor(0, 130, 0)},
                   {"acceptedCountLabel", QColor(255, 0, 0)}};
    for (const auto& c : colours)
        EXPECT_EQ(label(c.id)->palette().color(QPalette::WindowText), c.colour) << c.id;
    for (const char* id :
         {"acceptedCountLabel", "analysedCountLabel", "solutionsCaptionLabel", "pointerReadout"})
        EXPECT_TRUE(labelText(id).isEmpty()) << id;
    EXPECT_TRUE(progress()->isVisible());
    EXPECT_EQ(progress()->value(), 0);
    EXPECT_EQ(rows(), 0);
}

TEST_F(FormTest, WindowIsAFixedSizeDialogWithoutMaximise) {
    // The program's caption after the design's name (form_document_test.cpp).
    EXPECT_EQ(form->windowTitle(), QStringLiteral("未命名[*] - Quillmere 1.4+Ex"));
    EXPECT_EQ(form->size(), QSize(708, 480));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(form->windowIcon().isNull());
    EXPECT_EQ(form->font().family(), QStringLiteral("宋体"));
    EXPECT_EQ(form->font().pointSize(), 9);
}

TEST_F(FormTest, ControlsSitAtTheirDialogUnitPositions) {
    const struct {
        const char* name;
        QRect rect;
    } controls[] = {
        {"controllerCombo", units(75, 12, 50, 14)},
        {"calculatorRadio", units(407, 6, 54, 15)},
        {"statusLine", units(136, 21, 136, 9)},  // room for the whole "no solution" caption
        {"analysedCountLabel", units(259, 21, 55, 9)},
        {"solutionsCaptionLabel", units(323, 21, 38, 9)},
        {"acceptedCountLabel", units(364, 21, 80, 9)},
        {"groupDesign", units(7, 35, 120, 248)},
        {"minInputVoltageEdit", units(86, 51, 37, 16)},
        {"maxInputVoltageEdit", units(86, 71, 37, 16)},
        {"slotDepthEdit", units(86, 231, 37, 16)},
        {"auxWireDiameterEdit", units(86, 252, 37, 16)},
        {"resultTable", units(135, 39, 330, 104)},
        {"groupDiagram",
         units(136, 149, 329,
               134)},  // A little wider than 71 units, so that "Coordinate:707,479" is not cut off.
        {"pointerReadout", QRect(dialogUnits(388), dialogUnits(155), 112, dialogUnits(10))},
        {"analyseButton", units(44, 299, 50, 14)},
        {"rulesButton", units(156, 299, 50, 14)},
        {"aboutButton", units(268, 299, 50, 14)},
        {"exitButton", units(380, 299, 50, 14)},
    };
    for (const auto& c : controls) {
        auto* widget = find<QWidget>(QString::fromLatin1(c.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), c.rect) << c.name;
        EXPECT_EQ(widget->parentWidget(), form.get()) << c.name;
    }
    EXPECT_EQ(progress()->geometry(), QRect(QPoint(205, 10), QPoint(579, 24)));
    EXPECT_EQ(find<QGroupBox>("groupDesign")->title(), QStringLiteral("设计条件"));
    EXPECT_EQ(find<QGroupBox>("groupDiagram")->title(), QStringLiteral("Transformer Winding"));
    EXPECT_EQ(find<QRadioButton>("calculatorRadio")->text(), QStringLiteral("REV_IR Mod"));
}

TEST_F(FormTest, ButtonsAndTabOrder) {
    const struct {
        const char* id;
        const char* text;
    } buttons[] = {
        {"analyseButton", "分析"}, {"rulesButton", "规则"}, {"aboutButton", "关于"}, {"exitButton", "退出"}};
    for (const auto& b : buttons) EXPECT_EQ(button(b.id)->text(), QString::fromUtf8(b.text)) << b.id;
    EXPECT_TRUE(qobject_cast<QPushButton*>(button("analyseButton"))->isDefault());

    const QStringList expected{
        "controllerCombo",     "calculatorRadio",   "minInputVoltageEdit", "maxInputVoltageEdit",
        "outputVoltageEdit",   "outputCurrentEdit", "feedbackVoltageEdit", "minRectifiedVoltageEdit",
        "efficiencyEdit",      "coreAeEdit",        "slotWidthEdit",       "slotDepthEdit",
        "auxWireDiameterEdit", "resultTable",       "analyseButton",       "rulesButton",
        "aboutButton",         "exitButton"};
    QStringList chain;
    QWidget* widget = find<QWidget>("controllerCombo");
    do {
        if (expected.contains(widget->objectName())) chain << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != find<QWidget>("controllerCombo") && chain.size() < expected.size());
    EXPECT_EQ(chain, expected);
}

TEST_F(FormTest, AboutButtonOpensTheAboutBox) {
    bool seen = false;
    closeModalWhenOpen([&seen](QDialog& dialog) {
        seen = true;
        EXPECT_NE(qobject_cast<AboutDialog*>(&dialog), nullptr);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("关于 Quillmere"));
        QStringList texts;
        for (auto* label : dialog.findChildren<QLabel*>()) {
            if (!label->text().isEmpty()) texts << label->text();
            if (label->objectName() == QLatin1String("staticIcon")) {
                EXPECT_FALSE(label->pixmap().isNull());
            }
        }
        texts.sort();
        EXPECT_EQ(texts, (QStringList{"Quillmere 1.4", "变压器绕组自动计算软件"}));
        auto* ok = dialog.findChild<QPushButton*>("okButton");
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->text(), QStringLiteral("确定"));
    });
    click("aboutButton");
    EXPECT_TRUE(seen);
}

TEST_F(FormTest, AboutBoxClosesWithItsButton) {
    AboutDialog dialog(form.get());
    QTimer::singleShot(
        0, [&dialog] { QTest::mouseClick(dialog.findChild<QPushButton*>("okButton"), Qt::LeftButton); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
}

TEST_F(FormTest, BackgroundMenuOffersTheAboutBox) {
    bool aboutSeen = false;
    QTimer::singleShot(0, [&aboutSeen] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        const auto actions = menu->actions();
        const auto about = std::find_if(actions.begin(), actions.end(), [](const QAction* action) {
            return action->text() == QStringLiteral("关于 Quillmere(&A)...");
        });
        ASSERT_NE(about, actions.end());
        closeModalWhenOpen(
            [&aboutSeen](QDialog& dialog) { aboutSeen = qobject_cast<AboutDialog*>(&dialog) != nullptr; });
        (*about)->trigger();
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(650, 460), form->mapToGlobal(QPoint(650, 460)));
    QApplication::sendEvent(form.get(), &event);
    EXPECT_TRUE(aboutSeen);
}

TEST_F(FormTest, RevIrModShowsTheCalculatorInTheFormsPlace) {
    bool calculatorShown = false;
    closeModalWhenOpen([this, &calculatorShown](QDialog& dialog) {
        calculatorShown = qobject_cast<PsrCalculatorDialog*>(&dialog) != nullptr;
        EXPECT_FALSE(form->isVisible());
    });
    QTest::mouseClick(find<QAbstractButton>("calculatorRadio"), Qt::LeftButton);
    EXPECT_TRUE(calculatorShown);
    EXPECT_FALSE(form->isVisible());
}
