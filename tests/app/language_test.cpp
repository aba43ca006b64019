// The program in English and back again: what every window shows, what the switch leaves alone,
// and room for every text in both languages.
#include <unistd.h>

#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyleOption>
#include <QTimer>

#include "app/about_dialog.h"
#include "engine/design_file.h"
#include "engine/record_layout.h"
#include "form_fixture.h"
#include "psrex/psr_calculator_dialog.h"
#include "rules/rules_dialog.h"
#include "tests/cjk.h"
#include "widgets/language.h"

using namespace quillmere;

namespace {

bool hasCjk(const QString& text) {
    return containsCjk(text.toStdString());
}

void showLanguage(Language language) {
    setApplicationLanguage(*QApplication::instance(), language);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

QString withoutMnemonic(const QString& text) {
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) ++i;
        plain += text[i];
    }
    return plain;
}

// One text a window shows, and the width it needs and has (room -1: not measured).
struct Shown {
    QString where;
    QString text;
    int needed = 0;
    int room = -1;
};

// The advance of `text` up to the ink of its last character: the blank a glyph such as "!" keeps
// to its right is not cut off.
int textWidth(const QFontMetrics& metrics, const QString& text) {
    if (text.isEmpty()) return 0;
    return metrics.horizontalAdvance(text) - std::max(0, metrics.rightBearing(text.back()));
}

void addMeasured(std::vector<Shown>& shown, const QWidget& widget, const QString& where, const QString& text,
                 int room) {
    shown.push_back({where, text, textWidth(widget.fontMetrics(), withoutMnemonic(text)), room});
}

int buttonRoom(const QAbstractButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    const QStyle::SubElement contents = qobject_cast<const QCheckBox*>(&button) ? QStyle::SE_CheckBoxContents
                                        : qobject_cast<const QRadioButton*>(&button)
                                            ? QStyle::SE_RadioButtonContents
                                            : QStyle::SE_PushButtonContents;
    return button.style()->subElementRect(contents, &option, &button).width();
}

int groupTitleRoom(const QGroupBox& box) {
    QStyleOptionGroupBox option;
    option.initFrom(&box);
    option.text = box.title();
    option.textAlignment = box.alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    option.features = box.isFlat() ? QStyleOptionFrame::Flat : QStyleOptionFrame::None;
    const QRect label =
        box.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
    return box.width() - label.left();
}

int comboRoom(const QComboBox& combo) {
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.frame = combo.hasFrame();
    option.subControls = QStyle::SC_All;
    return combo.style()
        ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &combo)
        .width();
}

// Every text of `window` and its visible children, measured where a control gives it a width.
std::vector<Shown> shownTexts(QWidget& window) {
    std::vector<Shown> shown{{QStringLiteral("title"), window.windowTitle()}};
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window)) continue;
        const QString name = widget->objectName();
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            const int room =
                label->contentsRect().width() - 2 * label->margin() - std::max(label->indent(), 0);
            addMeasured(shown, *label, name, label->text(), room);
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            addMeasured(shown, *button, name, button->text(), buttonRoom(*button));
        } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
            addMeasured(shown, *box, name, box->title(), groupTitleRoom(*box));
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            for (int i = 0; i < combo->count(); ++i)
                addMeasured(shown, *combo, name + QString::number(i), combo->itemText(i), comboRoom(*combo));
        } else if (auto* table = qobject_cast<QTableView*>(widget)) {
            const QAbstractItemModel& model = *table->model();
            const QHeaderView& header = *table->horizontalHeader();
            const int margin = header.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
            for (int column = 0; column < model.columnCount(); ++column) {
                addMeasured(shown, header, name + QStringLiteral(" heading %1").arg(column),
                            model.headerData(column, Qt::Horizontal).toString(),
                            header.sectionSize(column) - 2 * margin);
                for (int row = 0; row < model.rowCount(); ++row)
                    shown.push_back({name + QStringLiteral(" %1,%2").arg(row).arg(column),
                                     model.index(row, column).data().toString()});
            }
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            shown.push_back({name, edit->text()});
        }
    }
    return shown;
}

void expectEveryTextFits(QWidget& window, const char* when) {
    for (const Shown& s : shownTexts(window)) {
        if (s.room < 0) continue;
        EXPECT_LE(s.needed, s.room) << when << ": " << window.objectName().toStdString() << "."
                                    << s.where.toStdString() << " \"" << s.text.toStdString() << '"';
    }
}

// The form's right-click menu: checks what it offers, then triggers the action named `choose`.
void chooseFromFormMenu(DesignForm& form, const char* choose, Language shown) {
    bool chosen = false;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        QStringList texts;
        for (const QAction* action : menu->actions())
            if (!action->isSeparator()) texts << action->text();
        // Each language keeps its own name whichever is shown; the other entries are in the language shown.
        ASSERT_GT(texts.size(), 2);
        EXPECT_EQ(texts.mid(texts.size() - 2), (QStringList{"English", "中文"}));
        for (const QString& text : texts.mid(0, texts.size() - 2))
            EXPECT_EQ(hasCjk(text), shown == Language::Chinese) << text.toStdString();
        EXPECT_TRUE(texts.contains(shown == Language::English ? QStringLiteral("&About Quillmere...")
                                                              : QStringLiteral("关于 Quillmere(&A)...")));
        auto* english = menu->findChild<QAction*>(QStringLiteral("languageEnglish"));
        ASSERT_NE(english, nullptr);
        EXPECT_EQ(english->isChecked(), shown == Language::English);
        auto* action = menu->findChild<QAction*>(QString::fromLatin1(choose));
        ASSERT_NE(action, nullptr);
        action->trigger();
        chosen = true;
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(650, 460), form.mapToGlobal(QPoint(650, 460)));
    QApplication::sendEvent(&form, &event);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    EXPECT_TRUE(chosen);
}

// The text of the OK button of the program's message box, which Qt gives.
QString messageBoxButtonText() {
    QString text;
    QTimer::singleShot(0, [&text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        text = box->button(QMessageBox::Ok)->text();
        box->close();
    });
    showMessageBox(nullptr, QStringLiteral("Quillmere"));
    return text;
}

class LanguageTest : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        for (QDialog* dialog : windows()) {
            dialog->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
        }
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        rulesDialog.setMessageFunction([this](QWidget*, const QString& text) { messages << text; });
        calculator.setMessageFunction([this](QWidget*, const QString& text) { messages << text; });
    }
    void TearDown() override {
        showLanguage(Language::Chinese);
        FormTest::TearDown();
    }

    std::vector<QDialog*> windows() { return {form.get(), &about, &rulesDialog, &calculator}; }

    // Every message of the form, the rules dialog and the calculator that a person can bring up
    // without a file, in the order shown.
    void showEveryWindowsMessages() {
        edit("coreAeEdit")->setText(QStringLiteral("x"));
        click("analyseButton");
        edit("coreAeEdit")->setText(QStringLiteral("19.2"));
        combo()->setCurrentIndex(static_cast<int>(Controller::L6562));
        combo()->setCurrentIndex(static_cast<int>(Controller::None));
        click("analyseButton");  // 7.59 W is too much without a controller
        combo()->setCurrentIndex(static_cast<int>(Controller::PsrGeneric));
        rulesDialog.findChild<QLineEdit*>(QStringLiteral("primaryStrandsEdit"))
            ->setText(QStringLiteral("1.5"));
        rulesDialog.findChild<QPushButton*>(QStringLiteral("saveButton"))->click();
        rulesDialog.findChild<QPushButton*>(QStringLiteral("addPrimaryWireButton"))->click();
        calculator.findChild<QLineEdit*>(QStringLiteral("coreAeEdit"))->clear();
        calculator.findChild<QPushButton*>(QStringLiteral("analyseButton"))->click();
        form->setPacing(Pacing::interactive());
        click("analyseButton");
        click("rulesButton");    // the rules while the analysis runs
        click("analyseButton");  // a second analysis
        EXPECT_TRUE(waitFor([this] { return !form->analysisBusy() && !form->analysisWorker().held(); }));
    }

    std::map<QString, QString> snapshot() {
        std::map<QString, QString> texts;
        for (QDialog* window : windows())
            for (const Shown& s : shownTexts(*window))
                texts[window->metaObject()->className() + QStringLiteral(".") + s.where] = s.text;
        return texts;
    }

    AboutDialog about;
    RuleSet rules;
    RulesDialog rulesDialog{rules, static_cast<int>(Controller::PsrGeneric)};
    PsrCalculatorDialog calculator;
};

TEST_F(LanguageTest, EnglishShowsNoChineseAndChineseComesBackAsItWas) {
    ASSERT_TRUE(analyseAndWait());
    ASSERT_GT(rows(), 0);
    edit("outputVoltageEdit")->setText(QStringLiteral("24.5"));  // typed, not yet read
    calculator.findChild<QPushButton*>(QStringLiteral("analyseButton"))->click();
    QTest::mouseClick(rulesDialog.findChild<QRadioButton*>(QStringLiteral("cvRadio")),
                      Qt::LeftButton);  // CV
    EXPECT_TRUE(hasCjk(messageBoxButtonText())) << "Qt's own texts are Chinese too";
    const std::map<QString, QString> chinese = snapshot();

    chooseFromFormMenu(*form, "languageEnglish", Language::Chinese);
    ASSERT_EQ(applicationLanguage(*QApplication::instance()), Language::English);
    const std::map<QString, QString> english = snapshot();
    ASSERT_EQ(english.size(), chinese.size());
    for (const auto& [where, text] : english) {
        EXPECT_FALSE(hasCjk(text)) << where.toStdString() << " \"" << text.toStdString() << '"';
        // Numbers, counts and what was typed stay as they were; units are written the English way.
        if (!hasCjk(chinese.at(where))) {
            const std::string shown = chinese.at(where).toStdString();
            EXPECT_EQ(text.toStdString(), englishUnits(shown)) << where.toStdString();
        }
    }
    EXPECT_EQ(QString::fromStdString(form->statusText()), labelText("statusLine"));
    EXPECT_FALSE(hasCjk(messageBoxButtonText()));

    chooseFromFormMenu(*form, "languageChinese", Language::English);
    const std::map<QString, QString> again = snapshot();
    ASSERT_EQ(again.size(), chinese.size());
    for (const auto& [where, text] : again)
        EXPECT_EQ(text.toStdString(), chinese.at(where).toStdString()) << where.toStdString();
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}

TEST_F(LanguageTest, ABadDesignIsExplainedInTheLanguageShown) {
    const QString path = QDir::temp().filePath(QStringLiteral("quillmere-bad-%1.qmd").arg(getpid()));
    {
        std::ofstream file(path.toStdString(), std::ios::binary);
        std::string text = designFileText(Design{});
        text.replace(text.find("\"coreAe\": 19.2"), 14, "\"coreAe\": \"19.2\"");
        file << text;
    }
    const struct {
        Language language;
        QString says;
    } cases[] = {
        {Language::English,
         QStringLiteral("Cannot open the design file:\n%1: inputs.coreAe: expected a number, "
                        "found the text \"19.2\"")},
        {Language::Chinese,
         QStringLiteral("无法打开设计文件:\n%1: inputs.coreAe: 应为数，却是 文本 \"19.2\"")},
    };
    for (const auto& c : cases) {
        showLanguage(c.language);
        messages.clear();
        EXPECT_FALSE(form->openDesign(path));
        EXPECT_EQ(messages.join('|').toStdString(), c.says.arg(path).toStdString());
    }
    QFile::remove(path);
}

// The form's own message boxes: English without Chinese (paths are ASCII here), Chinese as written.
TEST_F(LanguageTest, TheFormsMessagesFollowTheLanguage) {
    const QString gone = QDir::temp().filePath(QStringLiteral("quillmere-gone-%1.qmd").arg(getpid()));
    const struct {
        const char* what;
        std::function<void()> trigger;
        QStringList chinese;  ///< in the order shown
    } cases[] = {
        {"export before an analysis",
         [this] { form->exportResults(); },
         {QStringLiteral("没有可导出的解法!请先分析。")}},
        {"diagram before an analysis",
         [this] { form->exportDiagram(); },
         {QStringLiteral("没有可导出的解法!请先分析。")}},
        {"sheet before an analysis",
         [this] { form->exportWindingSheet(); },
         {QStringLiteral("没有可导出的解法!请先分析。")}},
        {"a recent design that is gone",
         [&] { form->openRecentDesign(gone); },
         {QStringLiteral("这个设计文件已不存在, 已从最近的设计中移除:\n") + gone}},
        {"saving a bad entry",
         [this] {
             edit("coreAeEdit")->setText(QStringLiteral("x"));
             form->saveDesignFile();
             edit("coreAeEdit")->setText(QStringLiteral("19.2"));
         },
         {QStringLiteral("请键入一个数。"), QStringLiteral("参数错误！")}},
    };
    for (const Language language : {Language::English, Language::Chinese}) {
        showLanguage(language);
        for (const auto& c : cases) {
            messages.clear();
            c.trigger();
            const std::string shown = messages.join(QLatin1Char('|')).toStdString();
            if (language == Language::Chinese) {
                EXPECT_EQ(shown, c.chinese.join(QLatin1Char('|')).toStdString()) << c.what;
            } else {
                EXPECT_EQ(messages.size(), c.chinese.size()) << c.what << ": " << shown;
                EXPECT_FALSE(hasCjk(messages.join(QString()))) << c.what << ": " << shown;
            }
        }
    }
}

TEST_F(LanguageTest, AnOpenedDesignKeepsTheStatusLineTranslatable) {
    ASSERT_TRUE(analyseAndWait());
    const QString path = QDir::temp().filePath(QStringLiteral("quillmere-language-%1.qmd").arg(getpid()));
    {
        std::ofstream file(path.toStdString(), std::ios::binary);
        file << designFileText(Design{});
    }
    ASSERT_TRUE(form->openDesign(path));
    QFile::remove(path);
    const QString chinese = labelText("statusLine");
    showLanguage(Language::English);
    EXPECT_FALSE(hasCjk(labelText("statusLine"))) << labelText("statusLine").toStdString();
    showLanguage(Language::Chinese);
    EXPECT_EQ(labelText("statusLine"), chinese);
}

TEST_F(LanguageTest, EveryWindowsMessagesAreEnglish) {
    showLanguage(Language::English);
    showEveryWindowsMessages();
    EXPECT_EQ(messages,
              (QStringList{"Please enter a number.", "Invalid input!", "The L6562 is not supported yet!",
                           "The power exceeds the IC's maximum output!", "Please enter an integer.",
                           "Nothing is selected!", "Please enter a number.",
                           "Busy! Please wait until the analysis has finished!",
                           "An analysis is already running! Please wait until it has finished!"}));
}

TEST_F(LanguageTest, EveryWindowsMessagesAreChineseByDefault) {
    showEveryWindowsMessages();
    EXPECT_EQ(messages.join(QLatin1Char('|')).toStdString(),
              "请键入一个数。|参数错误！|L6562暂未提供支持!|功率超过IC最大输出!|请键入一个整数。|"
              "没有选择任何数据!|请键入一个数。|系统正忙!请等待分析完成!|"
              "已经有一个线程在分析中!请等待分析完成!");
}

TEST_F(LanguageTest, EveryTextFitsItsControlInBothLanguages) {
    for (const Language language : {Language::Chinese, Language::English}) {
        showLanguage(language);
        const char* name = language == Language::Chinese ? "Chinese" : "English";
        ASSERT_TRUE(analyseAndWait());
        for (QDialog* window : windows()) expectEveryTextFits(*window, name);

        // Every caption of the status line, and the mode captions of the rules dialog.
        for (const char* caption : {"读取用户参数......", "执行分析线程......"}) {
            form->notificationSink().setStatusText(caption);
            QCoreApplication::processEvents();
            expectEveryTextFits(*form, name);
        }
        for (const SearchPhase phase :
             {SearchPhase::Searching, SearchPhase::Widened, SearchPhase::Extracting}) {
            SearchCounters& counters = form->workerCountersForTest();
            counters.searchPhase = static_cast<int>(phase);
            counters.phaseChanged = true;
            counters.passNumber = 20;
            form->notificationSink().post(Notification::AnalysisStatus);
            QCoreApplication::processEvents();
            expectEveryTextFits(*form, name);
        }
        edit("slotWidthEdit")->setText(QStringLiteral("2"));
        ASSERT_TRUE(analyseAndWait());
        expectEveryTextFits(*form, name);
        edit("slotWidthEdit")->setText(QStringLiteral("8.6"));
        for (const char* mode : {"cvRadio", "ccRadio"}) {
            QTest::mouseClick(rulesDialog.findChild<QRadioButton*>(QString::fromLatin1(mode)),
                              Qt::LeftButton);
            expectEveryTextFits(rulesDialog, name);
        }
    }
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}

TEST_F(LanguageTest, FileDialogTitlesAndUnitsFollowTheLanguage) {
    const struct {
        FileAction action;
        const char* chinese;
        const char* english;
    } titles[] = {
        {FileAction::OpenDesign, "打开设计", "Open Design"},
        {FileAction::SaveDesign, "保存设计", "Save Design"},
        {FileAction::ExportResults, "导出结果", "Export Results"},
        {FileAction::ExportDiagram, "导出绕组图", "Export Winding Diagram"},
        {FileAction::ExportWindingSheet, "导出绕组规格书", "Export Winding Sheet"},
    };
    // The headings whose units the Chinese writes the old way; the files keep those.
    const struct {
        int column;
        const char* chinese;
        const char* english;
    } headings[] = {{9, "Lp(uH)", "Lp(µH)"},
                    {10, "f(KHz)", "f(kHz)"},
                    {11, "△B(GS)", "△B(G)"},
                    {16, "Cin(uF)", "Cin(µF)"},
                    {14, "Ipkp", "Ipkp"}};
    for (const Language language : {Language::English, Language::Chinese}) {
        showLanguage(language);
        const bool english = language == Language::English;
        for (const auto& t : titles)
            EXPECT_EQ(fileDialogTitle(t.action), QString::fromUtf8(english ? t.english : t.chinese));
        for (const auto& h : headings)
            EXPECT_EQ(table()->model()->headerData(h.column, Qt::Horizontal).toString(),
                      QString::fromUtf8(english ? h.english : h.chinese));
    }
}

TEST(MessageBox, NeverLargerThanTheScreenWhateverTheText) {
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    const QString deepPath = QStringLiteral("rules") + QStringLiteral(".a").repeated(100000);
    const struct {
        const char* what;
        QString text;
    } cases[] = {
        {"one long line", QStringLiteral("无法打开设计文件:\n") + deepPath + QStringLiteral(": given twice")},
        {"many lines", QStringLiteral("line\n").repeated(5000)},
        {"short", QStringLiteral("请键入一个数。")},
    };
    for (const auto& c : cases) {
        QRect shown;
        QString text;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            shown = box->frameGeometry();
            text = box->text();
            box->close();
        });
        showMessageBox(nullptr, c.text);
        EXPECT_LE(shown.width(), available.width()) << c.what;
        EXPECT_LE(shown.height(), available.height()) << c.what;
        if (c.text.size() < 100) {
            EXPECT_EQ(text, c.text) << "a short text is shown whole";
        } else {
            EXPECT_TRUE(text.contains(QStringLiteral("…"))) << c.what;
        }
    }
    EXPECT_TRUE(
        fittedMessageText(QStringLiteral("无法打开设计文件:\n") + deepPath + QStringLiteral(": given twice"),
                          QFontMetrics(QApplication::font()), QSize(400, 300))
            .endsWith(QStringLiteral("given twice")))
        << "the end of a line, where the cause stands, is kept";
}

}  // namespace
