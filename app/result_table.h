#pragma once

#include <vector>

#include <QAbstractTableModel>
#include <QTableView>

namespace quillmere {
struct Solution;
struct CoreContext;
}  // namespace quillmere

/// The shown solutions as the result table sees them: one row per solution, the first 18 of its
/// 22 texts as columns, then the loss figures when any solution has them. It reads the solutions
/// where the form keeps them instead of copying them, and writes a text only when the view asks
/// for it. Rows may be shown sorted by a column; the solutions keep their ranks.
class ResultTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    /// Shows `solutions`, which must outlive the model or the next call; nullptr shows nothing.
    void show(const std::vector<quillmere::Solution>* solutions);
    /// The same for the solutions of a search over `cores` (index by Solution::core), which
    /// must live as long: with more than one core, a "磁芯" column comes first.
    void show(const std::vector<quillmere::Solution>* solutions,
              const std::vector<quillmere::CoreContext>* cores);
    /// True while the "磁芯" column is shown.
    bool showsCores() const { return cores_ != nullptr; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    /// Shows the rows ordered by `column`: numbers as numbers, texts after them, "—" last; equal
    /// ones in rank order. Display only.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    /// The index in the shown solutions of table row `row` (the same row until sorted); -1 if none.
    int solutionIndex(int row) const;

    /// The headings are shown in the language of the installed translators: tells the view to
    /// show them anew.
    void retranslate();

private:
    const quillmere::Solution* solutionOfRow(int row) const;
    /// The column of the record or figure shown in view column `column`: −1 for "磁芯".
    int shownColumn(int column) const { return column - (cores_ ? 1 : 0); }

    const std::vector<quillmere::Solution>* solutions_ = nullptr;
    const std::vector<quillmere::CoreContext>* cores_ = nullptr;  // set only with more than one core
    bool figures_ = false;    // a solution has loss figures: their columns are shown
    std::vector<int> order_;  // solution index of each row; empty: rank order
};

/// The result table: a list of solutions, so Home and End go to the first and the last one,
/// and Ctrl+C copies the selected rows.
class ResultTableView : public QTableView {
    Q_OBJECT
public:
    using QTableView::QTableView;

    /// The headings and the selected rows as tab-separated lines, for a spreadsheet.
    QString selectedRowsText() const;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent* event) override;
};

/// Gives the result table its model, its columns and its look: grid lines, whole rows selected,
/// several rows at a time, no editing; a click on a heading sorts by that column (again: the
/// other way), a new result shows in rank order.
void prepareResultTable(QTableView& table, ResultTableModel& model);
/// The columns' widths for what `model` shows now (with or without the "磁芯" column).
void fitResultColumns(QTableView& table, const ResultTableModel& model);
