#pragma once

#include <optional>

#include <QSortFilterProxyModel>
#include <QString>

class CoreTableModel;

/// Which of a CoreTableModel's cores are shown, and in which order: the type-to-find text, the
/// family, the Ae range and the implausible shapes, as the catalogue dialog sets them. Names sort
/// naturally ("RM 4" before "RM 10"), figures as numbers.
class CoreFilterProxy : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit CoreFilterProxy(QObject* parent = nullptr);

    /// Part of a name or alias, ignoring case and spaces ("etd29" finds "ETD 29/16/10"); empty
    /// shows every name.
    void setFindText(const QString& text);
    /// A family, case-insensitive; empty shows every family.
    void setFamily(const QString& family);
    /// Inclusive Ae bounds in mm²; none: unbounded.
    void setAeRange(std::optional<double> minAe, std::optional<double> maxAe);
    void setShowImplausible(bool show);

    /// `text` without case or white space, as names are compared.
    static QString findKey(const QString& text);
    /// Natural order, ignoring case: digit runs compare as numbers ("RM 4" < "RM 10").
    static bool naturalLess(const QString& left, const QString& right);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    const CoreTableModel* cores() const;

    QString findKey_;
    QString family_;
    std::optional<double> minAe_;
    std::optional<double> maxAe_;
    bool showImplausible_ = false;
};
