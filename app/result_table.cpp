#include "app/result_table.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <memory>
#include <optional>
#include <string>

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>

#include "engine/analysis_result.h"
#include "engine/core_context.h"
#include "engine/number_text.h"
#include "engine/solution_figure_text.h"
#include "widgets/language.h"

using namespace quillmere;

namespace {

// Column widths in pixels, in the order of the headings.
constexpr std::array<int, kShownColumns> kColumnWidths{35, 60, 40, 40, 40, 40, 60, 60, 60,
                                                       55, 55, 60, 55, 40, 60, 50, 60, 60};

constexpr int kFigureWidth = 70;

bool isFigureColumn(int column) {
    return column >= static_cast<int>(kShownColumns) &&
           column < static_cast<int>(kShownColumns + kFigureColumns);
}

FigureColumn figureColumn(int column) {
    return static_cast<FigureColumn>(column - static_cast<int>(kShownColumns));
}

// What a cell sorts by: a number (its text read as one, "0.23*1" by its diameter), else its text.
struct SortKey {
    int group = 0;  // 0 number, 1 text, 2 nothing ("—")
    double number = 0;
    std::string text;

    bool operator<(const SortKey& other) const {
        if (group != other.group) return group < other.group;
        if (group == 0) return number < other.number;
        return text < other.text;
    }
};

SortKey sortKey(const Solution& solution, int column, const std::vector<CoreContext>* cores) {
    if (column == -1) {
        if (!cores || !solution.core || *solution.core >= cores->size()) return SortKey{2, 0, {}};
        return SortKey{1, 0, (*cores)[*solution.core].core.name};
    }
    if (isFigureColumn(column)) {
        const std::optional<double> value = solutionFigure(solution, figureColumn(column));
        return value ? SortKey{0, *value, {}} : SortKey{2, 0, {}};
    }
    std::string text = solutionText(solution, static_cast<RecordField>(column));
    const double number = parseNumberPrefix(text);
    const bool numeric = !text.empty() && (std::isdigit(static_cast<unsigned char>(text[0])) != 0 ||
                                           text[0] == '-' || text[0] == '.');
    return numeric ? SortKey{0, number, {}} : SortKey{1, 0, std::move(text)};
}

// The "磁芯" column's width, pixels.
constexpr int kCoreColumnWidth = 90;

}  // namespace

void ResultTableModel::show(const std::vector<Solution>* solutions) {
    show(solutions, nullptr);
}

void ResultTableModel::show(const std::vector<Solution>* solutions, const std::vector<CoreContext>* cores) {
    beginResetModel();
    solutions_ = solutions;
    cores_ = cores && cores->size() > 1 ? cores : nullptr;
    order_.clear();
    figures_ =
        solutions && std::ranges::any_of(*solutions, [](const Solution& s) { return s.figures.has_value(); });
    endResetModel();
}

const Solution* ResultTableModel::solutionOfRow(int row) const {
    if (!solutions_) return nullptr;
    return solutionAt(*solutions_, solutionIndex(row));
}

int ResultTableModel::solutionIndex(int row) const {
    if (row < 0 || row >= rowCount()) return -1;
    return order_.empty() ? row : order_[static_cast<std::size_t>(row)];
}

void ResultTableModel::sort(int column, Qt::SortOrder order) {
    if (!solutions_ || column < 0 || column >= columnCount()) return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> beforeSolutions;
    for (const QModelIndex& index : before) beforeSolutions.push_back(solutionIndex(index.row()));

    std::vector<std::pair<SortKey, int>> keyed;
    keyed.reserve(static_cast<std::size_t>(rowCount()));
    for (int k = 0; k < rowCount(); ++k)
        keyed.emplace_back(sortKey((*solutions_)[static_cast<std::size_t>(k)], shownColumn(column), cores_),
                           k);
    // Descending keeps "—" last too, and equal keys in rank order.
    std::ranges::stable_sort(keyed, [order](const auto& a, const auto& b) {
        if (order == Qt::AscendingOrder || a.first.group != b.first.group) return a.first < b.first;
        return b.first < a.first;
    });
    order_.clear();
    for (const auto& [key, index] : keyed) order_.push_back(index);

    std::vector<int> rowOf(order_.size());
    for (std::size_t row = 0; row < order_.size(); ++row)
        rowOf[static_cast<std::size_t>(order_[row])] = static_cast<int>(row);
    QModelIndexList after;
    for (qsizetype k = 0; k < before.size(); ++k) {
        const int solution = beforeSolutions[static_cast<std::size_t>(k)];
        after.push_back(solution < 0 ? QModelIndex{}
                                     : index(rowOf[static_cast<std::size_t>(solution)], before[k].column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int ResultTableModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !solutions_) return 0;
    return static_cast<int>(std::min<std::size_t>(solutions_->size(), INT_MAX));
}

int ResultTableModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return static_cast<int>(kShownColumns + (figures_ ? kFigureColumns : 0)) + (cores_ ? 1 : 0);
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const {
    if (!solutions_ || !index.isValid()) return {};
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    const Solution* solution = solutionOfRow(index.row());
    if (!solution || index.column() < 0 || index.column() >= columnCount()) return {};
    const int column = shownColumn(index.column());
    if (column == -1) {
        if (!solution->core || *solution->core >= cores_->size()) return {};
        return QString::fromStdString((*cores_)[*solution->core].core.name);
    }
    if (isFigureColumn(column))
        return QString::fromStdString(solutionFigureText(*solution, figureColumn(column)));
    return QString::fromStdString(solutionText(*solution, static_cast<RecordField>(column)));
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    section = shownColumn(section);
    if (section == -1) return QCoreApplication::translate("ResultTableModel", "磁芯");
    if (isFigureColumn(section))
        return QString::fromUtf8(kFigureHeadings[static_cast<std::size_t>(figureColumn(section))]);
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
    for (int column = first + static_cast<int>(kShownColumns); column < model.columnCount(); ++column)
        table.setColumnWidth(column, kFigureWidth);
}

void prepareResultTable(QTableView& table, ResultTableModel& model) {
    table.setModel(&model);
    fitResultColumns(table, model);
    table.verticalHeader()->hide();
    // Fixed rows keep a table of any length as quick as a short one.
    table.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table.verticalHeader()->setDefaultSectionSize(table.fontMetrics().height() + 5);
    QHeaderView* header = table.horizontalHeader();
    header->setDefaultSectionSize(kFigureWidth);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false);
    // The header flips its own indicator on a click once it is shown: the order is kept here.
    struct Sorted {
        int column = -1;
        Qt::SortOrder order = Qt::AscendingOrder;
    };
    const auto sorted = std::make_shared<Sorted>();
    QObject::connect(header, &QHeaderView::sectionClicked, &model, [header, &model, sorted](int section) {
        const bool again = sorted->column == section && sorted->order == Qt::AscendingOrder;
        *sorted = {section, again ? Qt::DescendingOrder : Qt::AscendingOrder};
        model.sort(section, sorted->order);
        header->setSortIndicator(section, sorted->order);
        header->setSortIndicatorShown(true);
    });
    QObject::connect(&model, &QAbstractItemModel::modelReset, header, [header, sorted] {
        *sorted = {};
        header->setSortIndicatorShown(false);
    });
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
