#include "app/result_table.h"

#include <array>

#include <QHeaderView>
#include <QTableWidget>

namespace {

struct Column {
    const char* heading;
    int width;
};

constexpr std::array<Column, kResultColumns> kColumns{{
    {"No.", 35},
    {"分值", 60},
    {"Np_1", 40},
    {"Ns", 40},
    {"Np_2", 40},
    {"Nf", 40},
    {"φNp", 60},
    {"φNs", 60},
    {"φNf", 60},
    {"Lp(uH)", 55},
    {"f(KHz)", 55},
    {"△B(GS)", 60},
    {"Cmil/A", 55},
    {"Dmax", 40},
    {"Ipkp", 60},
    {"Ipks", 50},
    {"Cin(uF)", 60},
    {"Vor", 60},
}};

}  // namespace

void prepareResultTable(QTableWidget& table) {
    table.setColumnCount(kResultColumns);
    for (int column = 0; column < kResultColumns; ++column) {
        auto* heading =
            new QTableWidgetItem(QString::fromUtf8(kColumns[static_cast<std::size_t>(column)].heading));
        heading->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        table.setHorizontalHeaderItem(column, heading);
        table.setColumnWidth(column, kColumns[static_cast<std::size_t>(column)].width);
    }
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
