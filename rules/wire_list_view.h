#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QListWidget>

/// A list of wire texts that remembers its selection mark: the row the user selected most
/// recently, kept even after that row is deselected again. Merely moving the keyboard focus
/// into the list sets no mark.
class WireListView : public QListWidget {
    Q_OBJECT

public:
    explicit WireListView(QWidget* parent = nullptr);

    std::optional<int> selectionMark() const { return mark_; }

    /// Shows `texts` in place of the current items; the selection and the mark are gone.
    void replaceItems(const std::vector<std::string>& texts);

private:
    void noteSelection(const QItemSelection& selected);

    std::optional<int> mark_;
};
