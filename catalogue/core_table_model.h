#pragma once

#include <string>
#include <vector>

#include <QAbstractTableModel>

#include "engine/core_catalogue.h"

/// The catalogue's cores as a table, one row per core in catalogue order, with a tick per row
/// for the cores to search. It reads the cores where the catalogue keeps them: the catalogue
/// must outlive the model.
class CoreTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Tick, Name, Family, Ae, Le, Ve, Slot, Bobbins, ColumnCount };
    /// The value a column sorts by: a number for the figures, the text otherwise.
    static constexpr int SortRole = Qt::UserRole;

    explicit CoreTableModel(const quillmere::CoreCatalogue& catalogue, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    const quillmere::CoreShape& core(int row) const {
        return catalogue_.cores()[static_cast<std::size_t>(row)];
    }
    /// The row of the core `name` finds (as CoreCatalogue::findCore does); -1 if none.
    int rowOf(std::string_view name) const;

    bool isTicked(int row) const { return ticked_[static_cast<std::size_t>(row)]; }
    void setTicked(int row, bool ticked);
    void clearTicks();
    /// Names of the ticked cores, in catalogue order.
    std::vector<std::string> tickedNames() const;
    int tickedCount() const;

    /// The headings are shown in the language of the installed translators: tells the views to
    /// show them anew.
    void retranslate();

signals:
    void ticksChanged();

private:
    const quillmere::CoreCatalogue& catalogue_;
    std::vector<bool> ticked_;
};
