// "分析" through to the filled result table, refusals while busy, and closing mid-analysis.
#include <chrono>
#include <stop_token>
#include <string>

#include <QApplication>
#include <QCursor>
#include <QTimer>

#include "engine/number_text.h"
#include "engine/search.h"
#include "form_fixture.h"
#include "rules/rules_dialog.h"

using namespace quillmere;

namespace {

struct EngineResult {
    std::vector<Solution> solutions;
    std::int64_t analysedCount;
    std::int64_t acceptedCount;
};

// The engine's own result for a design, run synchronously.
EngineResult engineRun(const DesignInputs& inputs, const RuleSet& rules) {
    Design design;
    design.inputs = inputs;
    design.rules = rules;
    const AnalysisResult result = analyseNow(design);
    return {result.solutions, result.analysedCount, result.acceptedCount};
}

QString numberLabel(std::int64_t count) {
    return QString::fromStdString(numberText(static_cast<double>(count)));
}

// Rules whose grid takes minutes to walk, so that an analysis is surely still running.
void makeSearchLong(RuleSet& rules) {
    rules.onDutySpan = 20;
    rules.frequencySpan = 30;
    rules.peakFluxSpan = 1000;
    for (int i = 0; i < 30; ++i) {
        rules.primaryWires[static_cast<std::size_t>(i)] = WireCatalogue::value(i);
        rules.secondaryWires[static_cast<std::size_t>(i)] = WireCatalogue::value(i);
    }
}

}  // namespace

TEST_F(FormTest, EnterOnTheDefaultsFillsTheTableWithTheEnginesSolutions) {
    const EngineResult reference = engineRun(design().inputs, design().rules);
    ASSERT_EQ(reference.solutions.size(), 10u);

    ASSERT_TRUE(analyseAndWait());

    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(labelText("statusLine"), QStringLiteral("分析线程搜索完成.....分析总数:"));
    EXPECT_EQ(labelText("solutionsCaptionLabel"), QStringLiteral("找到解法:"));
    EXPECT_EQ(labelText("analysedCountLabel"), numberLabel(reference.analysedCount));
    EXPECT_EQ(labelText("acceptedCountLabel"), numberLabel(reference.acceptedCount));
    EXPECT_EQ(labelText("analysedCountLabel"), QStringLiteral("1984500"));

    ASSERT_EQ(rows(), 10);
    for (int row = 0; row < 10; ++row) {
        for (int column = 0; column < 18; ++column) {
            const std::string expected = solutionText(reference.solutions[static_cast<std::size_t>(row)],
                                                      static_cast<RecordField>(column));
            EXPECT_EQ(cell(row, column).toStdString(), expected) << row << ',' << column;
        }
    }
    EXPECT_EQ(cell(0, 0), QStringLiteral("1."));
    EXPECT_EQ(currentRow(), 0);
    EXPECT_EQ(table()->selectionModel()->selectedRows().size(), 1);
    EXPECT_TRUE(table()->selectionModel()->isRowSelected(0, {}));
    EXPECT_TRUE(table()->hasFocus());
    EXPECT_TRUE(combo()->isEnabled());
    EXPECT_TRUE(progress()->isVisible());
    EXPECT_EQ(progress()->value(), 100);
}

TEST_F(FormTest, AnalysisWithoutSolutionsSaysSoAndLeavesTheTableEmpty) {
    ASSERT_TRUE(analyseAndWait());
    ASSERT_EQ(rows(), 10);
    edit("slotWidthEdit")->setText("2");

    ASSERT_TRUE(analyseAndWait());

    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(labelText("statusLine"), QStringLiteral("没有找到合适的解法,参数可能不合理!"));
    EXPECT_EQ(labelText("acceptedCountLabel"), QStringLiteral("0"));
    EXPECT_EQ(rows(), 0);
    EXPECT_TRUE(shown().result.solutions.empty());
    EXPECT_TRUE(combo()->isEnabled());
    // The long caption does not run into the count beside it.
    const int captionEnd = label("statusLine")->x() +
                           label("statusLine")->fontMetrics().horizontalAdvance(labelText("statusLine"));
    EXPECT_LT(captionEnd, label("analysedCountLabel")->x() + label("analysedCountLabel")->indent());

    // Idle again: "规则" opens the rules dialog instead of refusing.
    bool opened = false;
    QTimer::singleShot(0, [&opened] {
        auto* dialog = qobject_cast<RulesDialog*>(QApplication::activeModalWidget());
        opened = dialog != nullptr;
        if (dialog) dialog->close();
    });
    click("rulesButton");
    EXPECT_TRUE(opened);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(FormTest, WhileAnalysingRulesAndASecondAnalysisAreRefused) {
    form->setPacing(Pacing::interactive());
    click("analyseButton");
    ASSERT_TRUE(form->analysisBusy());
    EXPECT_FALSE(combo()->isEnabled());

    click("rulesButton");
    EXPECT_EQ(messages, QStringList{"系统正忙!请等待分析完成!"});

    // The refusal comes before the form is read: a bad entry and a changed one go unnoticed.
    messages.clear();
    edit("outputVoltageEdit")->setText("12");
    edit("minInputVoltageEdit")->setText("bad");
    click("analyseButton");
    EXPECT_EQ(messages, QStringList{"已经有一个线程在分析中!请等待分析完成!"});
    EXPECT_EQ(design().inputs.outputVoltage, 23.0f);

    // A controller chosen by other means while busy is put back.
    combo()->setCurrentIndex(0);
    EXPECT_EQ(combo()->currentIndex(), 3);
    EXPECT_EQ(design().controllerChoice, 3);

    // The running analysis is undisturbed.
    ASSERT_TRUE(waitFor([this] { return !form->analysisBusy(); }));
    EXPECT_EQ(labelText("statusLine"), QStringLiteral("分析线程搜索完成.....分析总数:"));
    EXPECT_EQ(rows(), 10);
    EXPECT_TRUE(combo()->isEnabled());
}

TEST_F(FormTest, AnalyseIsRefusedWhileTheLastResultsAreStillBeingShown) {
    // The worker has ended and its results wait for the table: a new worker would write the
    // solution list while the fill reads it.
    form->setAnalysisBusyForTest(true);
    click("analyseButton");
    EXPECT_EQ(messages, QStringList{"已经有一个线程在分析中!请等待分析完成!"});
    EXPECT_FALSE(form->analysisWorker().held());
    form->setAnalysisBusyForTest(false);
}

TEST_F(FormTest, ASecondAnalysisStartsFromNoCountsNotTheLastOnes) {
    ASSERT_TRUE(analyseAndWait());
    ASSERT_EQ(labelText("acceptedCountLabel"), QStringLiteral("45"));
    ASSERT_EQ(labelText("analysedCountLabel"), QStringLiteral("1984500"));

    // The worker pauses over its first captions before it counts: what shows meanwhile is the start's.
    form->setPacing(Pacing::interactive());
    click("analyseButton");
    const QStringList beforeCounting{QStringLiteral("读取用户参数......"),
                                     QStringLiteral("执行分析线程......"),
                                     QStringLiteral("线程正在执行搜索中,分析总数:")};
    ASSERT_TRUE(waitFor([&] { return beforeCounting.contains(labelText("statusLine")); }));
    EXPECT_EQ(labelText("acceptedCountLabel"), QStringLiteral("0"));
    EXPECT_EQ(labelText("analysedCountLabel"), QStringLiteral("0"));
    EXPECT_EQ(labelText("solutionsCaptionLabel"), QStringLiteral("找到解法:"));
}

TEST_F(FormTest, ClosingStopsARunningAnalysisPromptly) {
    const struct {
        const char* how;
        std::function<void()> close;
    } ways[] = {
        {"Exit button", [this] { click("exitButton"); }},
        {"Esc", [this] { QTest::keyClick(form.get(), Qt::Key_Escape); }},
        {"close box", [this] { form->close(); }},
        {"destroyed", [this] { form.reset(); }},
    };
    for (const auto& way : ways) {
        if (!form) SetUp();
        makeSearchLong(design().rules);
        click("analyseButton");
        ASSERT_TRUE(waitFor([this] { return form->analysisWorker().counters().analysedCount > 0; }))
            << way.how;

        const auto start = std::chrono::steady_clock::now();
        way.close();
        const auto elapsed = std::chrono::steady_clock::now() - start;

        EXPECT_LT(elapsed, std::chrono::seconds(1)) << way.how;
        if (form) {
            EXPECT_FALSE(form->analysisWorker().held()) << way.how;
            EXPECT_FALSE(form->isVisible()) << way.how;
            EXPECT_EQ(form->result(), QDialog::Rejected) << way.how;
            form.reset();
        }
    }
}

TEST_F(FormTest, RevIrModClosesTheFormBeforeTheCalculatorRuns) {
    bool ran = false;
    form->setCalculatorRunner([this, &ran] {
        ran = true;
        EXPECT_FALSE(form->isVisible());
        EXPECT_FALSE(form->analysisWorker().held());
    });
    makeSearchLong(design().rules);
    click("analyseButton");
    ASSERT_TRUE(waitFor([this] { return form->analysisWorker().counters().analysedCount > 0; }));

    QTest::mouseClick(find<QAbstractButton>("calculatorRadio"), Qt::LeftButton);

    EXPECT_TRUE(ran);
    EXPECT_EQ(form->result(), QDialog::Rejected);
}

TEST_F(FormTest, WaitCursorLastsUntilThePointerMoves) {
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    ASSERT_TRUE(analyseAndWait());
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);

    // Two points: a move to where the pointer already is does not count as one.
    for (QPoint point : {QPoint(300, 300), QPoint(310, 305)}) QTest::mouseMove(form.get(), point);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(FormTest, ClickedOrKeyedRowBecomesTheDrawnSolution) {
    ASSERT_TRUE(analyseAndWait());
    ASSERT_EQ(shown().selectedSolution, 0);

    for (int row : {2, 7, 0}) {
        const QModelIndex cell = table()->model()->index(row, 1);
        table()->scrollTo(cell);
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, table()->visualRect(cell).center());
        EXPECT_EQ(shown().selectedSolution, row);
    }
    // The keyboard moves the selection as a click does; a page is as many rows as fit (-1: any).
    const struct {
        Qt::Key key;
        int row;
    } keys[] = {{Qt::Key_Down, 1},    {Qt::Key_End, 9},  {Qt::Key_Up, 8},
                {Qt::Key_PageUp, -1}, {Qt::Key_Home, 0}, {Qt::Key_PageDown, -1}};
    for (const auto& k : keys) {
        const int before = currentRow();
        QTest::keyClick(table(), k.key);
        EXPECT_NE(currentRow(), before) << k.key;
        if (k.row >= 0) {
            EXPECT_EQ(currentRow(), k.row) << k.key;
        }
        EXPECT_EQ(shown().selectedSolution, currentRow()) << k.key;
    }
}

TEST_F(FormTest, AHugeGridIsAskedAboutWithItsCandidatesBeforeItRuns) {
    QStringList asked;
    bool answer = false;
    form->setQuestionFunction([&](QWidget*, const QString& text) {
        asked << text;
        return answer;
    });
    ASSERT_TRUE(analyseAndWait());
    const int shownRows = rows();
    ASSERT_GT(shownRows, 0);
    EXPECT_TRUE(asked.isEmpty()) << "the default grid is no question";

    design().rules.onDutySpan = 1e9f;
    const auto start = std::chrono::steady_clock::now();
    click("analyseButton");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].contains(QStringLiteral("1323000000661500"))) << asked[0].toStdString();
    EXPECT_FALSE(form->analysisWorker().held()) << "no means no search";
    EXPECT_EQ(rows(), shownRows) << "and what was shown stays";

    answer = true;
    click("analyseButton");
    EXPECT_EQ(asked.size(), 2);
    EXPECT_TRUE(form->analysisWorker().held());
    form->close();
    EXPECT_FALSE(form->analysisWorker().held());
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}
