#include "catalogue/core_filter_proxy.h"

#include <QVariantList>

#include "catalogue/core_table_model.h"

CoreFilterProxy::CoreFilterProxy(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(CoreTableModel::SortRole);
    collator_.setNumericMode(true);
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
}

QString CoreFilterProxy::findKey(const QString& text) {
    QString key;
    key.reserve(text.size());
    for (const QChar c : text)
        if (!c.isSpace()) key += c;
    return key.toCaseFolded();
}

void CoreFilterProxy::setFindText(const QString& text) {
    const QString key = findKey(text);
    if (key == findKey_) return;
    findKey_ = key;
    invalidateFilter();
}

void CoreFilterProxy::setFamily(const QString& family) {
    if (family == family_) return;
    family_ = family;
    invalidateFilter();
}

void CoreFilterProxy::setAeRange(std::optional<double> minAe, std::optional<double> maxAe) {
    if (minAe == minAe_ && maxAe == maxAe_) return;
    minAe_ = minAe;
    maxAe_ = maxAe;
    invalidateFilter();
}

void CoreFilterProxy::setShowImplausible(bool show) {
    if (show == showImplausible_) return;
    showImplausible_ = show;
    invalidateFilter();
}

const CoreTableModel* CoreFilterProxy::cores() const {
    return qobject_cast<const CoreTableModel*>(sourceModel());
}

bool CoreFilterProxy::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    const CoreTableModel* model = cores();
    if (!model || sourceParent.isValid()) return false;
    const CoreShape& core = model->core(sourceRow);
    if (!showImplausible_ && !core.plausible) return false;
    if (!family_.isEmpty() && QString::compare(QString::fromStdString(core.family), family_, Qt::CaseInsensitive) != 0)
        return false;
    // The same inclusive bounds as the catalogue's CoreFilter, so that what is shown is what a
    // search over the family covers.
    if (minAe_ && core.ae < *minAe_) return false;
    if (maxAe_ && core.ae > *maxAe_) return false;
    if (findKey_.isEmpty()) return true;
    if (findKey(QString::fromStdString(core.name)).contains(findKey_)) return true;
    for (const std::string& alias : core.aliases)
        if (findKey(QString::fromStdString(alias)).contains(findKey_)) return true;
    return false;
}

bool CoreFilterProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const QVariant a = left.data(sortRole());
    const QVariant b = right.data(sortRole());
    if (!a.isValid() || !b.isValid()) return !a.isValid() && b.isValid();
    if (a.typeId() == QMetaType::QString) return collator_.compare(a.toString(), b.toString()) < 0;
    if (a.typeId() == QMetaType::QVariantList) {
        const QVariantList x = a.toList();
        const QVariantList y = b.toList();
        for (qsizetype i = 0; i < x.size() && i < y.size(); ++i) {
            if (x[i].toDouble() < y[i].toDouble()) return true;
            if (y[i].toDouble() < x[i].toDouble()) return false;
        }
        return false;
    }
    return a.toDouble() < b.toDouble();
}
