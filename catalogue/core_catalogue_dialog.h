#pragma once

#include <optional>

#include <QDialog>

#include "engine/core_catalogue.h"
#include "engine/core_choice.h"

class CoreFilterProxy;
class CoreTableModel;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

/// The core catalogue ("磁芯库"): finds a core by name, family and Ae, and hands out either one
/// core with its bobbin and material ("使用此磁芯") or the cores to search ("在所选磁芯中搜索":
/// the ticked ones, else the family and Ae range the filters show). Either closes the dialog with
/// the accept result and is announced by a signal; the dialog edits nothing else. The catalogue
/// must outlive the dialog.
class CoreCatalogueDialog : public QDialog {
    Q_OBJECT

public:
    explicit CoreCatalogueDialog(
        const quillmere::CoreCatalogue& catalogue = quillmere::CoreCatalogue::builtIn(),
        QWidget* parent = nullptr);
    ~CoreCatalogueDialog() override;

    /// Selects the design's core, bobbin and material; the filters are cleared so that the core
    /// is shown. A name the catalogue does not know leaves the selection as it is; a material it
    /// does not know leaves the default.
    void preselect(const quillmere::CoreChoice& current);
    /// Ticks the named cores and sets the family, the Ae range, the implausible shapes and the
    /// material as the set has them.
    void preselect(const quillmere::CoreSetChoice& current);

    /// The core handed out by "使用此磁芯"; none before.
    const std::optional<quillmere::CoreChoice>& usedCore() const { return usedCore_; }
    /// The cores handed out by "在所选磁芯中搜索"; none before.
    const std::optional<quillmere::CoreSetChoice>& searchedCores() const { return searchedCores_; }

    /// What "使用此磁芯" hands out now: the selected core with the chosen bobbin and material;
    /// none without a selected core that has a bobbin.
    std::optional<quillmere::CoreChoice> coreChoice() const;
    /// What "在所选磁芯中搜索" hands out now.
    quillmere::CoreSetChoice searchChoice() const;
    /// How many cores that search covers.
    int searchSize() const;

signals:
    void coreUsed(const quillmere::CoreChoice& choice);
    void searchRequested(const quillmere::CoreSetChoice& cores);

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWidgets();
    void layOut();
    void fitColumns();
    void connectWidgets();
    void retranslate();

    void applyFilters();
    void onFindTextEdited();
    void onSelectionChanged();
    void fillBobbins();
    void updateButtons();
    void useCore();
    void searchCores();

    /// The catalogue row of the selected core; -1 if none.
    int selectedRow() const;
    void selectRow(int row);
    void clearFilters();
    void selectMaterial(const std::string& name);
    std::optional<double> minAeBound() const;
    std::optional<double> maxAeBound() const;

    const quillmere::CoreCatalogue& catalogue_;
    CoreTableModel* model_ = nullptr;
    CoreFilterProxy* proxy_ = nullptr;

    QLabel* findLabel_ = nullptr;
    QLineEdit* findEdit_ = nullptr;
    QLabel* familyLabel_ = nullptr;
    QComboBox* familyCombo_ = nullptr;
    QLabel* aeLabel_ = nullptr;
    QDoubleSpinBox* minAeSpin_ = nullptr;
    QLabel* aeToLabel_ = nullptr;
    QDoubleSpinBox* maxAeSpin_ = nullptr;
    QCheckBox* showImplausibleCheck_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* bobbinLabel_ = nullptr;
    QComboBox* bobbinCombo_ = nullptr;
    QLabel* materialLabel_ = nullptr;
    QComboBox* materialCombo_ = nullptr;
    QLabel* searchScopeLabel_ = nullptr;
    QPushButton* clearTicksButton_ = nullptr;
    QPushButton* useCoreButton_ = nullptr;
    QPushButton* searchSelectedButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;

    int bobbinsRow_ = -1;  ///< the core whose bobbins the bobbin choice lists
    std::optional<quillmere::CoreChoice> usedCore_;
    std::optional<quillmere::CoreSetChoice> searchedCores_;
};
