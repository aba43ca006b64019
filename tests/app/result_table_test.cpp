#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTableView>
#include <QTest>

#include "app/result_table.h"
#include "engine/analysis_result.h"
#include "engine/solution_figure_text.h"

using namespace quillmere;

namespace {

// Solutions whose duty, Lp and loss disagree in order, one without a gap and one without figures.
std::vector<Solution> solutions() {
    std::vector<Solution> all;
    const struct {
        int duty;
        float lp;
        double loss;
        bool gap;
        bool figures;
    } rows[] = {{42, 1300, 0.9, true, true},
                {40, 900, 0.25, false, true},
                {45, 1100, 2.5, true, true},
                {41, 1000, 0, true, false}};
    int rank = 1;
    for (const auto& r : rows) {
        Solution s;
        s.rank = rank++;
        s.numbers.onDuty = r.duty;
        s.numbers.inductance = r.lp;
        if (r.figures) {
            s.figures = SolutionLossFigures{};
            s.figures->coreLossW = r.loss;
            s.figures->gapComputed = true;
            s.figures->gapMm = 0.1 * r.loss;
            if (!r.gap) s.figures->noGap = NoGapReason::beyondHalfWindow;
        }
        all.push_back(s);
    }
    return all;
}

std::vector<int> shownOrder(const ResultTableModel& model) {
    std::vector<int> order;
    for (int row = 0; row < model.rowCount(); ++row) order.push_back(model.solutionIndex(row));
    return order;
}

constexpr int kCoreLoss = static_cast<int>(kShownColumns);
constexpr int kGap = kCoreLoss + static_cast<int>(FigureColumn::gap);
constexpr int kDuty = 13;
constexpr int kLp = 9;

TEST(ResultTable, FigureColumnsFollowTheRecordOnlyWhenASolutionHasThem) {
    std::vector<Solution> shown = solutions();
    ResultTableModel model;
    model.show(&shown);
    ASSERT_EQ(model.columnCount(), static_cast<int>(kShownColumns + kFigureColumns));
    EXPECT_EQ(model.headerData(kCoreLoss, Qt::Horizontal, Qt::DisplayRole).toString(), "Pcore(W)");
    EXPECT_EQ(model.index(0, kCoreLoss).data().toString(), "0.9");
    EXPECT_EQ(model.index(1, kGap).data().toString(), "—");
    EXPECT_EQ(model.index(3, kCoreLoss).data().toString(), "—");

    std::vector<Solution> custom = solutions();
    for (Solution& s : custom) s.figures.reset();
    model.show(&custom);
    EXPECT_EQ(model.columnCount(), static_cast<int>(kShownColumns));
}

TEST(ResultTable, SortsByAnyColumnAsNumbersWithoutFiguresLast) {
    std::vector<Solution> shown = solutions();
    ResultTableModel model;
    model.show(&shown);
    const struct {
        int column;
        Qt::SortOrder order;
        std::vector<int> expected;
    } cases[] = {
        {kDuty, Qt::AscendingOrder, {1, 3, 0, 2}},
        {kDuty, Qt::DescendingOrder, {2, 0, 3, 1}},
        {kLp, Qt::AscendingOrder, {1, 3, 2, 0}},  // 900 before 1000: numbers, not texts
        {kCoreLoss, Qt::AscendingOrder, {1, 0, 2, 3}},
        {kCoreLoss, Qt::DescendingOrder, {2, 0, 1, 3}},  // "—" stays last
        {kGap, Qt::AscendingOrder, {0, 2, 1, 3}},
        {0, Qt::AscendingOrder, {0, 1, 2, 3}},
    };
    for (const auto& c : cases) {
        model.sort(c.column, c.order);
        EXPECT_EQ(shownOrder(model), c.expected) << c.column << " " << c.order;
        EXPECT_EQ(model.index(0, 0).data().toString().toStdString(),
                  solutionText(shown[static_cast<std::size_t>(c.expected[0])], RecordField::rank));
    }
    // The ranking itself is left as searched; a new result shows in rank order.
    EXPECT_EQ(shown[1].rank, 2);
    model.sort(kDuty);
    model.show(&shown);
    EXPECT_EQ(shownOrder(model), (std::vector<int>{0, 1, 2, 3}));
}

TEST(ResultTable, AClickOnAHeadingSortsAndASecondReverses) {
    std::vector<Solution> shown = solutions();
    QTableView table;
    ResultTableModel model;
    prepareResultTable(table, model);
    model.show(&shown);
    table.resize(1200, 300);
    table.show();
    table.selectRow(2);
    QHeaderView* header = table.horizontalHeader();
    const auto click = [&](int column) {
        const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    };
    click(kDuty);
    EXPECT_EQ(shownOrder(model), (std::vector<int>{1, 3, 0, 2}));
    click(kDuty);
    EXPECT_EQ(shownOrder(model), (std::vector<int>{2, 0, 3, 1}));
    // The selection follows its solution.
    EXPECT_EQ(model.solutionIndex(table.selectionModel()->currentIndex().row()), 2);
}

}  // namespace
