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
#include "rules/rules_dlg.h"

namespace {

class NoSink : public NotificationSink {
public:
    void post(Notification) override {}
    void setStatusText(std::string_view) override {}
    void analysisDone(AnalysisResult) override {}
};

struct EngineResult {
    std::vector<std::string> solutionRecords;
    std::int64_t analysedCount;
    std::int64_t acceptedCount;
};

// The engine's own result for a design, run synchronously.
EngineResult engineRun(const DesignInputs& inputs, const RuleSet& rules) {
    NoSink sink;
    SearchCounters counters;
    const auto result = runAnalysis({inputs, rules}, counters, sink, Pacing::none(), std::stop_token());
    return {result->solutionRecords, result->analysedCount, result->acceptedCount};
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

    state().rules.onDutySpan = 1e9f;
    const auto start = std::chrono::steady_clock::now();
    click(1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].contains(QStringLiteral("1323000000661500"))) << asked[0].toStdString();
    EXPECT_FALSE(state().worker.held()) << "no means no search";
    EXPECT_EQ(rows(), shownRows) << "and what was shown stays";
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    answer = true;
    click(1);
    EXPECT_EQ(asked.size(), 2);
    EXPECT_TRUE(state().worker.held());
    form->close();
    EXPECT_FALSE(state().worker.held());
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}

}  // namespace
