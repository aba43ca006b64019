#include "app/result_table.h"

#include <algorithm>
#include <array>

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>

#include "engine/analysis_result.h"
#include "widgets/language.h"

namespace {

// Column widths in pixels, in the order of the headings.
constexpr std::array<int, kShownColumns> kColumnWidths{35, 60, 40, 40, 40, 40, 60, 60, 60,
                                                       55, 55, 60, 55, 40, 60, 50, 60, 60};

}  // namespace

// The "磁芯" column's width, pixels.
constexpr int kCoreColumnWidth = 90;

void ResultTableModel::show(const std::vector<Solution>* solutions) {
    show(solutions, nullptr);
}

void ResultTableModel::show(const std::vector<Solution>* solutions, const std::vector<CoreContext>* cores) {
    beginResetModel();
    solutions_ = solutions;
    cores_ = cores && cores->size() > 1 ? cores : nullptr;
    endResetModel();
}

int ResultTableModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !solutions_) return 0;
    return static_cast<int>(std::min<std::size_t>(solutions_->size(), INT_MAX));
}

int ResultTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kShownColumns) + (cores_ ? 1 : 0);
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const {
    if (!solutions_ || !index.isValid()) return {};
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    const Solution* solution = solutionAt(*solutions_, index.row());
    const int column = index.column() - (cores_ ? 1 : 0);
    if (!solution || column < -1 || column >= static_cast<int>(kShownColumns)) return {};
    if (column == -1) {
        if (!solution->core || *solution->core >= cores_->size()) return {};
        return QString::fromStdString((*cores_)[*solution->core].core.name);
    }
    return QString::fromStdString(solutionText(*solution, static_cast<RecordField>(column)));
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    section -= cores_ ? 1 : 0;
    if (orientation != Qt::Horizontal || section < -1 || section >= static_cast<int>(kShownColumns))
        return {};
    if (section == -1 && !cores_) return {};
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    if (section == -1) return QCoreApplication::translate("ResultTableModel", "磁芯");
    const std::string_view heading = kColumnHeadings[static_cast<std::size_t>(section)];
    if (applicationLanguage(*QCoreApplication::instance()) == Language::English)
        return engineText(englishUnits(heading));
    return engineText(heading);
}

void ResultTableModel::retranslate() {
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

QModelIndex ResultTableView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    if (action == MoveHome || action == MoveEnd) modifiers |= Qt::ControlModifier;
    return QTableView::moveCursor(action, modifiers);
}

QString ResultTableView::selectedRowsText() const {
    const QAbstractItemModel* data = model();
    if (!data || !selectionModel()) return {};
    QModelIndexList rows = selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end());
    const auto line = [&](const auto& cell) {
        QStringList cells;
        for (int column = 0; column < data->columnCount(); ++column) cells << cell(column);
        return cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    };
    QString text = line([&](int column) { return data->headerData(column, Qt::Horizontal).toString(); });
    for (const QModelIndex& row : rows)
        text += line([&](int column) { return data->index(row.row(), column).data().toString(); });
    return text;
}

void ResultTableView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        QGuiApplication::clipboard()->setText(selectedRowsText());
        return;
    }
    QTableView::keyPressEvent(event);
}

void fitResultColumns(QTableView& table, const ResultTableModel& model) {
    const int first = model.showsCores() ? 1 : 0;
    if (first) table.setColumnWidth(0, kCoreColumnWidth);
    for (int column = 0; column < static_cast<int>(kShownColumns); ++column)
        table.setColumnWidth(first + column, kColumnWidths[static_cast<std::size_t>(column)]);
}

void prepareResultTable(QTableView& table, ResultTableModel& model) {
    table.setModel(&model);
    fitResultColumns(table, model);
    table.verticalHeader()->hide();
    // Fixed rows keep a table of any length as quick as a short one.
    table.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
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
