#include "app/result_table.h"

#include <array>

#include <QHeaderView>
#include <QTableWidget>

#include "engine/record_layout.h"
#include "widgets/language.h"

namespace {

// Column widths in pixels; the headings are the engine's.
constexpr std::array<int, kResultColumns> kColumnWidths{35, 60, 40, 40, 40, 40, 60, 60, 60,
                                                        55, 55, 60, 55, 40, 60, 50, 60, 60};
static_assert(kColumnHeadings.size() == kResultColumns);

}  // namespace

void prepareResultTable(QTableWidget& table) {
    table.setColumnCount(kResultColumns);
    for (int column = 0; column < kResultColumns; ++column) {
        auto* heading = new QTableWidgetItem();
        heading->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        table.setHorizontalHeaderItem(column, heading);
        table.setColumnWidth(column, kColumnWidths[static_cast<std::size_t>(column)]);
    }
    setResultHeadings(table);
    table.verticalHeader()->hide();
    table.verticalHeader()->setDefaultSectionSize(table.fontMetrics().height() + 5);
    table.horizontalHeader()->setSectionsClickable(false);
    table.horizontalHeader()->setHighlightSections(false);
    table.horizontalHeader()->setStretchLastSection(false);
    table.setShowGrid(true);
    table.setSelectionBehavior(QAbstractItemView::SelectRows);
    table.setSelectionMode(QAbstractItemView::ExtendedSelection);
    table.setEditTriggers(QAbstractItemView::NoEditTriggers);
    table.setSortingEnabled(false);
    table.setWordWrap(false);
    table.setTabKeyNavigation(false);
}

void setResultHeadings(QTableWidget& table) {
    for (int column = 0; column < kResultColumns; ++column)
        table.horizontalHeaderItem(column)->setText(
            engineText(kColumnHeadings[static_cast<std::size_t>(column)]));
}

void fillResultTable(QTableWidget& table, const std::vector<std::string>& solutionRecords) {
    table.setRowCount(0);
    for (std::size_t index = 0; index < solutionRecords.size(); ++index) {
        const int column = static_cast<int>(index % kSolutionTexts);
        if (column == 0) table.insertRow(table.rowCount());
        if (column >= kResultColumns) continue;
        auto* item = new QTableWidgetItem(QString::fromStdString(solutionRecords[index]));
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        table.setItem(table.rowCount() - 1, column, item);
    }
}
