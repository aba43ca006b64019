#include "rules/wire_list_view.h"

#include <QItemSelection>

WireListView::WireListView(QWidget* parent) : QListWidget(parent) {
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected, const QItemSelection&) { noteSelection(selected); });
}

void WireListView::replaceItems(const std::vector<std::string>& texts) {
    clear();
    for (const std::string& text : texts) addItem(QString::fromStdString(text));
    mark_.reset();
}

void WireListView::noteSelection(const QItemSelection& selected) {
    const QModelIndexList rows = selected.indexes();
    if (rows.isEmpty()) return;
    // Clicks and keys make their row current before its selection is announced; a range takes
    // the row the engineer ended it on.
    const QModelIndex current = currentIndex();
    mark_ = rows.contains(current) ? current.row() : rows.last().row();
}
