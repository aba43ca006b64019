#include "catalogue/core_filter_proxy.h"

#include <QVariantList>

#include "catalogue/core_table_model.h"

using namespace quillmere;

namespace {

// The digits of the number that starts at `at`, without leading zeros; moves `at` past it.
QStringView significantDigits(const QString& text, qsizetype& at) {
    const qsizetype start = at;
    while (at < text.size() && text[at].isDigit()) ++at;
    qsizetype first = start;
    while (first + 1 < at && text[first] == u'0') ++first;
    return QStringView(text).mid(first, at - first);
}

}  // namespace

CoreFilterProxy::CoreFilterProxy(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(CoreTableModel::SortRole);
}

QString CoreFilterProxy::findKey(const QString& text) {
    QString key;
    key.reserve(text.size());
    for (const QChar c : text)
        if (!c.isSpace()) key += c;
    return key.toCaseFolded();
}

bool CoreFilterProxy::naturalLess(const QString& left, const QString& right) {
    // Not QCollator: its numeric mode needs a locale other than C, and core names are ASCII.
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < left.size() && j < right.size()) {
        if (left[i].isDigit() && right[j].isDigit()) {
            const QStringView a = significantDigits(left, i);
            const QStringView b = significantDigits(right, j);
            if (a.size() != b.size()) return a.size() < b.size();
            if (a != b) return a < b;
            continue;
        }
        const QChar a = left[i].toCaseFolded();
        const QChar b = right[j].toCaseFolded();
        if (a != b) return a < b;
        ++i;
        ++j;
    }
    if (left.size() - i != right.size() - j) return left.size() - i < right.size() - j;
    return left < right;  // equal but for case or leading zeros
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
    if (!family_.isEmpty() &&
        QString::compare(QString::fromStdString(core.family), family_, Qt::CaseInsensitive) != 0)
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
    if (a.typeId() == QMetaType::QString) return naturalLess(a.toString(), b.toString());
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
