#include "catalogue/core_catalogue_dialog.h"

#include <algorithm>
#include <cmath>

#include <QAbstractItemView>
#include <QBrush>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTableView>
#include <QVBoxLayout>

#include "catalogue/core_filter_proxy.h"
#include "catalogue/core_table_model.h"
#include "catalogue/core_texts.h"

using namespace quillmere;

namespace {

constexpr const char* kDefaultMark = QT_TRANSLATE_NOOP("CoreCatalogueDialog", "(默认)");
constexpr const char* kImplausibleMark = QT_TRANSLATE_NOOP("CoreCatalogueDialog", "(不合理)");
constexpr const char* kGenericMark = QT_TRANSLATE_NOOP("CoreCatalogueDialog", "(通用)");

// The catalogue gives Ae to two decimals.
constexpr int kAeSpinDecimals = 2;

QString joined(const std::vector<std::string>& texts) {
    QStringList list;
    for (const std::string& text : texts) list << QString::fromStdString(text);
    return list.join(QStringLiteral("; "));
}

// The largest Ae of the catalogue, rounded up: the top of the Ae range, where it bounds nothing.
double aeCeiling(const CoreCatalogue& catalogue) {
    double top = 1;
    for (const CoreShape& core : catalogue.cores()) top = std::max(top, core.ae);
    return std::ceil(top);
}

}  // namespace

CoreCatalogueDialog::CoreCatalogueDialog(const CoreCatalogue& catalogue, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue) {
    setObjectName(QStringLiteral("coreCatalogueDlg"));
    setFont(QFont(QStringLiteral("宋体"), 9));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    setSizeGripEnabled(true);
    buildWidgets();
    layOut();
    connectWidgets();
    retranslate();
    applyFilters();
    selectMaterial(std::string(CoreCatalogue::kDefaultMaterial));
}

CoreCatalogueDialog::~CoreCatalogueDialog() = default;

void CoreCatalogueDialog::buildWidgets() {
    const auto named = [](auto* widget, const char* name) {
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    };

    findLabel_ = named(new QLabel(this), "findLabel");
    findEdit_ = named(new QLineEdit(this), "findEdit");
    findEdit_->setClearButtonEnabled(true);
    findEdit_->setMinimumWidth(findEdit_->fontMetrics().horizontalAdvance(QStringLiteral("ETD 29/16/10")) *
                               3 / 2);
    findLabel_->setBuddy(findEdit_);

    familyLabel_ = named(new QLabel(this), "familyLabel");
    familyCombo_ = named(new QComboBox(this), "familyCombo");
    familyCombo_->addItem(QString(), QString());  // every family; its text is set by retranslate()
    for (const std::string& family : catalogue_.families()) {
        const QString name = QString::fromStdString(family);
        familyCombo_->addItem(name, name);
    }
    familyCombo_->setMinimumContentsLength(14);
    familyLabel_->setBuddy(familyCombo_);

    aeLabel_ = named(new QLabel(this), "aeLabel");
    aeToLabel_ = named(new QLabel(this), "aeToLabel");
    const double top = aeCeiling(catalogue_);
    for (QDoubleSpinBox** spin : {&minAeSpin_, &maxAeSpin_}) {
        *spin = new QDoubleSpinBox(this);
        (*spin)->setDecimals(kAeSpinDecimals);
        (*spin)->setRange(0, top);
        (*spin)->setSuffix(QStringLiteral(" mm²"));
        (*spin)->setAccelerated(true);
    }
    minAeSpin_->setObjectName(QStringLiteral("minAeSpin"));
    maxAeSpin_->setObjectName(QStringLiteral("maxAeSpin"));
    minAeSpin_->setValue(0);
    maxAeSpin_->setValue(top);
    aeLabel_->setBuddy(minAeSpin_);

    showImplausibleCheck_ = named(new QCheckBox(this), "showImplausibleCheck");

    model_ = new CoreTableModel(catalogue_, this);
    model_->setObjectName(QStringLiteral("coreTableModel"));
    proxy_ = new CoreFilterProxy(this);
    proxy_->setObjectName(QStringLiteral("coreFilterProxy"));
    proxy_->setSourceModel(model_);

    table_ = named(new QTableView(this), "coreTable");
    table_->setModel(proxy_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    // Catalogue order until a heading is clicked.
    table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    table_->setSortingEnabled(true);
    table_->installEventFilter(this);

    bobbinLabel_ = named(new QLabel(this), "bobbinLabel");
    bobbinCombo_ = named(new QComboBox(this), "bobbinCombo");
    bobbinCombo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    bobbinCombo_->setMinimumContentsLength(40);
    bobbinLabel_->setBuddy(bobbinCombo_);

    materialLabel_ = named(new QLabel(this), "materialLabel");
    materialCombo_ = named(new QComboBox(this), "materialCombo");
    for (const Material& material : catalogue_.materials()) {
        QString text = QString::fromStdString(material.name);
        if (!material.manufacturer.empty())
            text += QStringLiteral(" (%1)").arg(QString::fromStdString(material.manufacturer));
        materialCombo_->addItem(text, QString::fromStdString(material.name));
        materialCombo_->setItemData(materialCombo_->count() - 1,
                                    QStringLiteral("Bsat %1 T (25 °C), %2 T (100 °C)")
                                        .arg(figureText(material.bsat25C), figureText(material.bsat100C)),
                                    Qt::ToolTipRole);
    }
    materialLabel_->setBuddy(materialCombo_);

    searchScopeLabel_ = named(new QLabel(this), "searchScopeLabel");
    clearTicksButton_ = named(new QPushButton(this), "clearTicksButton");
    useCoreButton_ = named(new QPushButton(this), "useCoreButton");
    searchSelectedButton_ = named(new QPushButton(this), "searchSelectedButton");
    closeButton_ = named(new QPushButton(this), "closeButton");
    for (QPushButton* button : {clearTicksButton_, searchSelectedButton_, closeButton_})
        button->setAutoDefault(false);
    // Enter in the find entry uses the core it found.
    useCoreButton_->setDefault(true);
}

void CoreCatalogueDialog::layOut() {
    auto* filters = new QHBoxLayout;
    filters->addWidget(findLabel_);
    filters->addWidget(findEdit_, 2);
    filters->addSpacing(12);
    filters->addWidget(familyLabel_);
    filters->addWidget(familyCombo_, 1);
    filters->addSpacing(12);
    filters->addWidget(aeLabel_);
    filters->addWidget(minAeSpin_);
    filters->addWidget(aeToLabel_);
    filters->addWidget(maxAeSpin_);
    filters->addSpacing(12);
    filters->addWidget(showImplausibleCheck_);

    auto* choices = new QHBoxLayout;
    choices->addWidget(bobbinLabel_);
    choices->addWidget(bobbinCombo_, 3);
    choices->addSpacing(12);
    choices->addWidget(materialLabel_);
    choices->addWidget(materialCombo_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(searchScopeLabel_, 1);
    buttons->addWidget(clearTicksButton_);
    buttons->addSpacing(12);
    buttons->addWidget(useCoreButton_);
    buttons->addWidget(searchSelectedButton_);
    buttons->addWidget(closeButton_);

    auto* whole = new QVBoxLayout(this);
    whole->addLayout(filters);
    whole->addWidget(table_, 1);
    whole->addLayout(choices);
    whole->addLayout(buttons);

    table_->horizontalHeader()->setSectionResizeMode(CoreTableModel::Name, QHeaderView::Stretch);
    resize(980, 620);
}

void CoreCatalogueDialog::fitColumns() {
    // Figures and the tick fit their contents and headings with a little air; the name takes
    // what is left.
    const int air = fontMetrics().horizontalAdvance(QStringLiteral("00"));
    for (int column = 0; column < CoreTableModel::ColumnCount; ++column) {
        if (column == CoreTableModel::Name) continue;
        table_->resizeColumnToContents(column);
        table_->setColumnWidth(column, table_->columnWidth(column) + air);
    }
}

void CoreCatalogueDialog::connectWidgets() {
    connect(findEdit_, &QLineEdit::textChanged, this, [this] { onFindTextEdited(); });
    connect(familyCombo_, &QComboBox::currentIndexChanged, this, [this] { applyFilters(); });
    for (QDoubleSpinBox* spin : {minAeSpin_, maxAeSpin_})
        connect(spin, &QDoubleSpinBox::valueChanged, this, [this] { applyFilters(); });
    connect(showImplausibleCheck_, &QCheckBox::toggled, this, [this] { applyFilters(); });
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { onSelectionChanged(); });
    connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.column() != CoreTableModel::Tick && useCoreButton_->isEnabled()) useCore();
    });
    connect(model_, &CoreTableModel::ticksChanged, this, [this] { updateButtons(); });
    connect(clearTicksButton_, &QPushButton::clicked, model_, &CoreTableModel::clearTicks);
    connect(useCoreButton_, &QPushButton::clicked, this, [this] { useCore(); });
    connect(searchSelectedButton_, &QPushButton::clicked, this, [this] { searchCores(); });
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void CoreCatalogueDialog::retranslate() {
    setWindowTitle(tr("磁芯库"));
    findLabel_->setText(tr("查找:"));
    findEdit_->setPlaceholderText(tr("名称或别名"));
    familyLabel_->setText(tr("系列:"));
    familyCombo_->setItemText(0, tr("全部系列"));
    aeLabel_->setText(tr("Ae 范围:"));
    aeToLabel_->setText(tr("至"));
    showImplausibleCheck_->setText(tr("显示不合理的形状"));
    showImplausibleCheck_->setToolTip(tr("尺寸自相矛盾的磁芯不参与系列搜索"));
    bobbinLabel_->setText(tr("骨架:"));
    materialLabel_->setText(tr("材质:"));
    clearTicksButton_->setText(tr("清除勾选"));
    useCoreButton_->setText(tr("使用此磁芯"));
    searchSelectedButton_->setText(tr("在所选磁芯中搜索"));
    searchSelectedButton_->setToolTip(tr("搜索勾选的磁芯;未勾选时搜索筛选出的系列和 Ae 范围"));
    closeButton_->setText(tr("关闭"));
    model_->retranslate();
    fitColumns();
    fillBobbins();
    updateButtons();
}

void CoreCatalogueDialog::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) retranslate();
    QDialog::changeEvent(event);
}

bool CoreCatalogueDialog::eventFilter(QObject* watched, QEvent* event) {
    // Space ticks the selected core wherever the cursor is in its row.
    if (watched == table_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space && selectedRow() >= 0) {
        const int row = selectedRow();
        model_->setTicked(row, !model_->isTicked(row));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<double> CoreCatalogueDialog::minAeBound() const {
    if (minAeSpin_->value() <= minAeSpin_->minimum()) return std::nullopt;
    return minAeSpin_->value();
}

std::optional<double> CoreCatalogueDialog::maxAeBound() const {
    if (maxAeSpin_->value() >= maxAeSpin_->maximum()) return std::nullopt;
    return maxAeSpin_->value();
}

void CoreCatalogueDialog::applyFilters() {
    proxy_->setFamily(familyCombo_->currentData().toString());
    proxy_->setAeRange(minAeBound(), maxAeBound());
    proxy_->setShowImplausible(showImplausibleCheck_->isChecked());
    updateButtons();
}

void CoreCatalogueDialog::onFindTextEdited() {
    proxy_->setFindText(findEdit_->text());
    // Type-to-find: the first core found is the one Enter uses.
    if (proxy_->rowCount() > 0 && !findEdit_->text().trimmed().isEmpty())
        selectRow(proxy_->mapToSource(proxy_->index(0, 0)).row());
    updateButtons();
}

void CoreCatalogueDialog::onSelectionChanged() {
    if (selectedRow() != bobbinsRow_) fillBobbins();
    updateButtons();
}

int CoreCatalogueDialog::selectedRow() const {
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : proxy_->mapToSource(rows.front()).row();
}

void CoreCatalogueDialog::selectRow(int row) {
    const QModelIndex index = proxy_->mapFromSource(model_->index(row, CoreTableModel::Name));
    if (!index.isValid()) return;
    table_->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    table_->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void CoreCatalogueDialog::fillBobbins() {
    const int row = selectedRow();
    // Keeps the chosen bobbin through a retranslation.
    const int keep = row == bobbinsRow_ ? bobbinCombo_->currentIndex() : -1;
    bobbinsRow_ = row;
    const QSignalBlocker quiet(bobbinCombo_);
    bobbinCombo_->clear();
    if (row < 0) return;

    const CoreShape& core = model_->core(row);
    for (std::size_t i = 0; i < core.bobbins.size(); ++i) {
        const Bobbin& bobbin = core.bobbins[i];
        QString text = QString::fromStdString(bobbin.name) + QStringLiteral("  —  ") + slotText(bobbin) +
                       QStringLiteral(" mm");
        if (core.defaultBobbinIndex == i) text += QLatin1Char(' ') + tr(kDefaultMark);
        if (bobbin.derived) text += QLatin1Char(' ') + tr(kGenericMark);
        if (!bobbin.plausible) text += QLatin1Char(' ') + tr(kImplausibleMark);
        bobbinCombo_->addItem(text, static_cast<qulonglong>(i));
        const int item = bobbinCombo_->count() - 1;
        if (!bobbin.plausible) {
            bobbinCombo_->setItemData(item, QBrush(Qt::gray), Qt::ForegroundRole);
            bobbinCombo_->setItemData(item, joined(bobbin.issues), Qt::ToolTipRole);
        }
    }
    // The list opens wide enough for the makers' long bobbin names.
    bobbinCombo_->view()->setMinimumWidth(bobbinCombo_->view()->sizeHintForColumn(0));
    if (keep >= 0 && keep < bobbinCombo_->count())
        bobbinCombo_->setCurrentIndex(keep);
    else if (core.defaultBobbinIndex)
        bobbinCombo_->setCurrentIndex(static_cast<int>(*core.defaultBobbinIndex));
}

void CoreCatalogueDialog::updateButtons() {
    const int row = selectedRow();
    const bool hasBobbin = row >= 0 && !model_->core(row).bobbins.empty();
    useCoreButton_->setEnabled(hasBobbin);
    bobbinCombo_->setEnabled(hasBobbin);

    const int ticked = model_->tickedCount();
    const int size = searchSize();
    searchSelectedButton_->setEnabled(size > 0);
    clearTicksButton_->setEnabled(ticked > 0);
    const QString family = familyCombo_->currentData().toString();
    if (ticked > 0)
        searchScopeLabel_->setText(tr("搜索范围:勾选的磁芯(%1)").arg(ticked));
    else if (!family.isEmpty())
        searchScopeLabel_->setText(tr("搜索范围:%1 系列(%2)").arg(family).arg(size));
    else
        searchScopeLabel_->setText(tr("搜索范围:全部磁芯(%1)").arg(size));
}

std::optional<CoreChoice> CoreCatalogueDialog::coreChoice() const {
    const int row = selectedRow();
    if (row < 0) return std::nullopt;
    const CoreShape& core = model_->core(row);
    const int item = bobbinCombo_->currentIndex();
    if (core.bobbins.empty() || item < 0) return std::nullopt;
    const auto index = static_cast<std::size_t>(bobbinCombo_->itemData(item).toULongLong());
    return CoreChoice{core.name, core.bobbins[index].name, index,
                      materialCombo_->currentData().toString().toStdString()};
}

CoreSetChoice CoreCatalogueDialog::searchChoice() const {
    CoreSetChoice choice;
    choice.cores = model_->tickedNames();
    if (choice.cores.empty()) {
        choice.family = familyCombo_->currentData().toString().toStdString();
        choice.minAe = minAeBound();
        choice.maxAe = maxAeBound();
        choice.plausibleOnly = !showImplausibleCheck_->isChecked();
    }
    choice.material = materialCombo_->currentData().toString().toStdString();
    return choice;
}

int CoreCatalogueDialog::searchSize() const {
    const CoreSetChoice choice = searchChoice();
    if (!choice.cores.empty()) return static_cast<int>(choice.cores.size());
    return static_cast<int>(catalogue_.cores(choice.filter()).size());
}

void CoreCatalogueDialog::useCore() {
    const auto choice = coreChoice();
    if (!choice) return;
    usedCore_ = choice;
    searchedCores_.reset();
    emit coreUsed(*choice);
    accept();
}

void CoreCatalogueDialog::searchCores() {
    if (searchSize() == 0) return;
    searchedCores_ = searchChoice();
    usedCore_.reset();
    emit searchRequested(*searchedCores_);
    accept();
}

void CoreCatalogueDialog::clearFilters() {
    findEdit_->clear();
    familyCombo_->setCurrentIndex(0);
    minAeSpin_->setValue(minAeSpin_->minimum());
    maxAeSpin_->setValue(maxAeSpin_->maximum());
}

void CoreCatalogueDialog::selectMaterial(const std::string& name) {
    const Material* material = catalogue_.findMaterial(name);
    if (!material) material = catalogue_.defaultMaterial();
    if (!material) return;
    materialCombo_->setCurrentIndex(materialCombo_->findData(QString::fromStdString(material->name)));
}

void CoreCatalogueDialog::preselect(const CoreChoice& current) {
    selectMaterial(current.material);
    const int row = model_->rowOf(current.core);
    if (row < 0) return;
    clearFilters();
    const CoreShape& core = model_->core(row);
    if (!core.plausible) showImplausibleCheck_->setChecked(true);
    selectRow(row);

    // The index says which of two bobbins with one name; a name alone finds the first.
    std::optional<std::size_t> bobbin;
    if (current.bobbinIndex && *current.bobbinIndex < core.bobbins.size() &&
        core.bobbins[*current.bobbinIndex].name == current.bobbin)
        bobbin = current.bobbinIndex;
    else if (const Bobbin* found = core.findBobbin(current.bobbin))
        bobbin = static_cast<std::size_t>(found - core.bobbins.data());
    if (bobbin) bobbinCombo_->setCurrentIndex(static_cast<int>(*bobbin));
}

void CoreCatalogueDialog::preselect(const CoreSetChoice& current) {
    selectMaterial(current.material);
    clearFilters();
    model_->clearTicks();
    for (const std::string& name : current.cores) model_->setTicked(model_->rowOf(name), true);
    const int family = familyCombo_->findData(QString::fromStdString(current.family), Qt::UserRole,
                                              Qt::MatchFixedString);  // case-insensitive
    familyCombo_->setCurrentIndex(std::max(family, 0));
    if (current.minAe) minAeSpin_->setValue(*current.minAe);
    if (current.maxAe) maxAeSpin_->setValue(*current.maxAe);
    showImplausibleCheck_->setChecked(!current.plausibleOnly);
    applyFilters();
}
