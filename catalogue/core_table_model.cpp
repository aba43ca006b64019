#include "catalogue/core_table_model.h"

#include <QBrush>
#include <QCoreApplication>
#include <QStringList>

#include "catalogue/core_texts.h"

using namespace quillmere;

namespace {

// The headings belong to the dialog's translation context: one context for the whole room.
constexpr const char* kTickHeading = QT_TRANSLATE_NOOP("CoreCatalogueDialog", "搜索");
constexpr const char* kTickHeadingTip = QT_TRANSLATE_NOOP("CoreCatalogueDialog", "勾选要一起搜索的磁芯");
constexpr const char* kNameHeading = QT_TRANSLATE_NOOP("CoreCatalogueDialog", "名称");
constexpr const char* kFamilyHeading = QT_TRANSLATE_NOOP("CoreCatalogueDialog", "系列");
constexpr const char* kSlotHeading = QT_TRANSLATE_NOOP("CoreCatalogueDialog", "槽宽 × 槽深 (mm)");
constexpr const char* kSlotHeadingTip = QT_TRANSLATE_NOOP("CoreCatalogueDialog", "默认骨架的槽宽与槽深");
constexpr const char* kBobbinsHeading = QT_TRANSLATE_NOOP("CoreCatalogueDialog", "骨架数");
constexpr const char* kAliasesTip = QT_TRANSLATE_NOOP("CoreCatalogueDialog", "别名:%1");
constexpr const char* kImplausibleTip = QT_TRANSLATE_NOOP("CoreCatalogueDialog", "形状不合理:%1");

QString translated(const char* source) {
    return QCoreApplication::translate("CoreCatalogueDialog", source);
}

QString joined(const std::vector<std::string>& texts, const QString& separator) {
    QStringList list;
    for (const std::string& text : texts) list << QString::fromStdString(text);
    return list.join(separator);
}

QString nameTip(const CoreShape& core) {
    QStringList lines;
    if (!core.aliases.empty())
        lines << translated(kAliasesTip).arg(joined(core.aliases, QStringLiteral(", ")));
    if (!core.plausible)
        lines << translated(kImplausibleTip).arg(joined(core.shapeIssues, QStringLiteral("; ")));
    return lines.join(u'\n');
}

}  // namespace

CoreTableModel::CoreTableModel(const CoreCatalogue& catalogue, QObject* parent)
    : QAbstractTableModel(parent), catalogue_(catalogue), ticked_(catalogue.cores().size(), false) {}

int CoreTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(catalogue_.cores().size());
}

int CoreTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CoreTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const CoreShape& shape = core(index.row());
    const Bobbin* bobbin = shape.defaultBobbin();
    const auto column = static_cast<Column>(index.column());

    if (role == Qt::CheckStateRole && column == Tick)
        return isTicked(index.row()) ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::ForegroundRole && !shape.plausible) return QBrush(Qt::gray);
    if (role == Qt::ToolTipRole && column == Name) return nameTip(shape);
    if (role == Qt::ToolTipRole && column == Slot && bobbin) return QString::fromStdString(bobbin->name);
    if (role == Qt::TextAlignmentRole && column >= Ae)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));

    if (role == Qt::DisplayRole) {
        switch (column) {
            case Name:
                return QString::fromStdString(shape.name);
            case Family:
                return QString::fromStdString(shape.family);
            case Ae:
                return figureText(shape.ae);
            case Le:
                return figureText(shape.le);
            case Ve:
                return figureText(shape.ve);
            case Slot:
                return bobbin ? slotText(*bobbin) : QStringLiteral("—");
            case Bobbins:
                return QString::number(shape.bobbins.size());
            case Tick:
            case ColumnCount:
                break;
        }
    } else if (role == SortRole) {
        switch (column) {
            case Tick:
                return isTicked(index.row());
            case Name:
                return QString::fromStdString(shape.name);
            case Family:
                return QString::fromStdString(shape.family);
            case Ae:
                return shape.ae;
            case Le:
                return shape.le;
            case Ve:
                return shape.ve;
            case Slot:
                // The slot width, then the depth (CoreFilterProxy::lessThan); no bobbin: first.
                return bobbin ? QVariant(QVariantList{bobbin->slotWidth, bobbin->slotDepth}) : QVariant();
            case Bobbins:
                return static_cast<qulonglong>(shape.bobbins.size());
            case ColumnCount:
                break;
        }
    }
    return {};
}

QVariant CoreTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::ToolTipRole) {
        if (section == Tick) return translated(kTickHeadingTip);
        if (section == Slot) return translated(kSlotHeadingTip);
        return {};
    }
    if (role != Qt::DisplayRole) return {};
    switch (static_cast<Column>(section)) {
        case Tick:
            return translated(kTickHeading);
        case Name:
            return translated(kNameHeading);
        case Family:
            return translated(kFamilyHeading);
        case Ae:
            return QStringLiteral("Ae (mm²)");
        case Le:
            return QStringLiteral("le (mm)");
        case Ve:
            return QStringLiteral("Ve (mm³)");
        case Slot:
            return translated(kSlotHeading);
        case Bobbins:
            return translated(kBobbinsHeading);
        case ColumnCount:
            break;
    }
    return {};
}

Qt::ItemFlags CoreTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags result = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == Tick) result |= Qt::ItemIsUserCheckable;
    return result;
}

bool CoreTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != Tick || role != Qt::CheckStateRole) return false;
    setTicked(index.row(), value.value<Qt::CheckState>() == Qt::Checked);
    return true;
}

int CoreTableModel::rowOf(std::string_view name) const {
    const CoreShape* found = catalogue_.findCore(name);
    return found ? static_cast<int>(found - catalogue_.cores().data()) : -1;
}

void CoreTableModel::setTicked(int row, bool ticked) {
    if (row < 0 || row >= rowCount() || isTicked(row) == ticked) return;
    ticked_[static_cast<std::size_t>(row)] = ticked;
    const QModelIndex cell = index(row, Tick);
    emit dataChanged(cell, cell, {Qt::CheckStateRole, SortRole});
    emit ticksChanged();
}

void CoreTableModel::clearTicks() {
    if (tickedCount() == 0) return;
    ticked_.assign(ticked_.size(), false);
    emit dataChanged(index(0, Tick), index(rowCount() - 1, Tick), {Qt::CheckStateRole, SortRole});
    emit ticksChanged();
}

std::vector<std::string> CoreTableModel::tickedNames() const {
    std::vector<std::string> names;
    for (int row = 0; row < rowCount(); ++row)
        if (isTicked(row)) names.push_back(core(row).name);
    return names;
}

int CoreTableModel::tickedCount() const {
    return static_cast<int>(std::count(ticked_.begin(), ticked_.end(), true));
}

void CoreTableModel::retranslate() {
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    // The name tips are translated too.
    if (rowCount() > 0) emit dataChanged(index(0, Name), index(rowCount() - 1, Name), {Qt::ToolTipRole});
}
