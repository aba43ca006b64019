#include "app/design_form.h"

#include <algorithm>
#include <array>
#include <utility>

#include <QApplication>
#include <QContextMenuEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTableView>

#include "app/about_dialog.h"
#include "app/calculator_switch.h"
#include "app/diagram_group_box.h"
#include "app/result_table.h"
#include "app/wait_cursor.h"
#include "diagram/diagram_export.h"
#include "diagram/pointer_readout.h"
#include "diagram/winding_diagram.h"
#include "engine/analysis.h"
#include "engine/entry_number.h"
#include "engine/grid.h"
#include "engine/number_text.h"
#include "engine/version.h"
#include "rules/rules_dialog.h"
#include "ui_design_form.h"
#include "widgets/app_icons.h"
#include "widgets/entry_text.h"
#include "widgets/language.h"

using namespace quillmere;

namespace {

struct InputField {
    QLineEdit* Ui_DesignForm::*edit;
    float DesignInputs::*member;
};

// The order in which "分析" reads the inputs; the first one refused stops the read.
constexpr std::array<InputField, 11> kReadOrder{{
    {&Ui::DesignForm::coreAeEdit, &DesignInputs::coreAe},
    {&Ui::DesignForm::efficiencyEdit, &DesignInputs::efficiency},
    {&Ui::DesignForm::slotDepthEdit, &DesignInputs::slotDepth},
    {&Ui::DesignForm::outputCurrentEdit, &DesignInputs::outputCurrent},
    {&Ui::DesignForm::maxInputVoltageEdit, &DesignInputs::maxInputVac},
    {&Ui::DesignForm::feedbackVoltageEdit, &DesignInputs::feedbackVoltage},
    {&Ui::DesignForm::minInputVoltageEdit, &DesignInputs::minInputVac},
    {&Ui::DesignForm::minRectifiedVoltageEdit, &DesignInputs::minRectifiedVdc},
    {&Ui::DesignForm::outputVoltageEdit, &DesignInputs::outputVoltage},
    {&Ui::DesignForm::slotWidthEdit, &DesignInputs::slotWidth},
    {&Ui::DesignForm::auxWireDiameterEdit, &DesignInputs::auxWireDiameter},
}};

// Of the controllers' names only the generic one has words to translate.
constexpr const char* kGenericController = QT_TRANSLATE_NOOP("DesignForm", "PSR通用");
static_assert(kControllerNames[static_cast<std::size_t>(Controller::PsrGeneric)] == kGenericController);

// The progress bar's place, client pixels.
constexpr QRect kProgressArea(QPoint(205, 10), QPoint(579, 24));

// The context of the form's texts in the translation files.
constexpr const char* kFormContext = "DesignForm";

// Pixels between a caption and the count it runs into.
constexpr int kCountGap = 6;

const QColor kCaptionColour(0, 130, 0);
const QColor kAcceptedColour(255, 0, 0);

QString countText(std::int64_t count) {
    return QString::fromStdString(numberText(static_cast<double>(count)));
}

void setTextColour(QWidget& widget, const QColor& colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    widget.setPalette(palette);
}

}  // namespace

DesignForm::DesignForm(QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::DesignForm>()),
      runCalculator_(runCalculator),
      notifier_([this](Notification notification) { notice(notification); },
                [this](const QString& caption) {
                    setStatusLine({kEngineTextContext, caption.toUtf8()});
                },
                [this](AnalysisResult result) { analysisDone(std::move(result)); }) {
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());
    setWindowIcon(applicationIcon());
    caption_ = QStringLiteral("Quillmere ") + QLatin1String(kQuillmereVersion) + QStringLiteral("+Ex");
    setWindowTitle(caption_);
    setAcceptDrops(true);
    setFileChooser(chooseFile);

    setTextColour(*statusCaption(), kCaptionColour);
    setTextColour(*foundCaption(), kCaptionColour);
    setTextColour(*acceptedCountLabel(), kAcceptedColour);

    for (const std::string_view name : kControllerNames)
        controllerCombo()->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    controllerCombo()->setItemText(static_cast<int>(Controller::PsrGeneric), tr(kGenericController));
    controllerCombo()->setCurrentIndex(static_cast<int>(Controller::PsrGeneric));
    resultModel_ = new ResultTableModel(this);
    prepareResultTable(*resultTable(), *resultModel_);

    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("progress"));
    progress_->setGeometry(kProgressArea);
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setTextVisible(false);

    ui_->groupDiagram->setOverlay([this](QPainter& painter) { paintDiagram(painter); });
    waitCursor_ = new WaitCursor(this);
    new PointerReadout(this, pointerReadoutLabel());

    if (const auto folder = userCatalogueFolder())
        catalogue_ = loadCatalogue(userCatalogueFiles(*folder));
    else
        catalogue_ = loadCatalogue({});
    writeForm();
    cleanSnapshot_ = formSnapshot();
    updateTitle();
    for (const InputField& field : kReadOrder)
        connect(ui_.get()->*field.edit, &QLineEdit::textChanged, this, &DesignForm::designChanged);

    // The menu's shortcuts work on the whole form, not only while the menu is open.
    new QShortcut(QKeySequence::Open, this, this, &DesignForm::openDesignFile);
    new QShortcut(QKeySequence::Save, this, this, &DesignForm::saveDesignFile);
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_E), this, this, &DesignForm::exportResults);
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_K), this, this, &DesignForm::openCoreCatalogue);
    for (QLineEdit* entry : {ui_->coreAeEdit, ui_->slotWidthEdit, ui_->slotDepthEdit})
        connect(entry, &QLineEdit::textEdited, this, &DesignForm::coreNumbersTyped);

    connect(ui_->analyseButton, &QPushButton::clicked, this, &DesignForm::analyse);
    connect(ui_->rulesButton, &QPushButton::clicked, this, &DesignForm::rules);
    connect(ui_->aboutButton, &QPushButton::clicked, this, &DesignForm::about);
    connect(ui_->exitButton, &QPushButton::clicked, this, &DesignForm::reject);
    connect(ui_->calculatorRadio, &QRadioButton::clicked, this, &DesignForm::switchToCalculator);
    connect(controllerCombo(), &QComboBox::currentIndexChanged, this, &DesignForm::controllerChanged);
    connect(controllerCombo(), &QComboBox::currentIndexChanged, this, &DesignForm::designChanged);
    connect(
        resultTable()->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        [this](const QModelIndex& current) { selectSolution(resultModel_->solutionIndex(current.row())); });
}

DesignForm::~DesignForm() {
    // The worker posts to this window: it ends before the window goes.
    worker_.stop();
}

QLabel* DesignForm::statusCaption() const {
    return ui_->statusLine;
}
QLabel* DesignForm::analysedCountLabel() const {
    return ui_->analysedCountLabel;
}
QLabel* DesignForm::foundCaption() const {
    return ui_->solutionsCaptionLabel;
}
QLabel* DesignForm::acceptedCountLabel() const {
    return ui_->acceptedCountLabel;
}
QLabel* DesignForm::pointerReadoutLabel() const {
    return ui_->pointerReadout;
}
QComboBox* DesignForm::controllerCombo() const {
    return ui_->controllerCombo;
}
QTableView* DesignForm::resultTable() const {
    return ui_->resultTable;
}

void DesignForm::setMessageFunction(MessageFunction message) {
    message_ = std::move(message);
}

void DesignForm::setQuestionFunction(QuestionFunction question) {
    question_ = std::move(question);
}

void DesignForm::setPacing(const Pacing& pacing) {
    pacing_ = pacing;
}

void DesignForm::setCalculatorRunner(std::function<void()> run) {
    runCalculator_ = std::move(run);
}

void DesignForm::writeForm() {
    for (const InputField& field : kReadOrder)
        (ui_.get()->*field.edit)->setText(entryText(design_.inputs.*field.member));
    // A caption the form shows already keeps its source, so that a language change shows it anew.
    if (QString::fromStdString(statusText_) != statusCaption()->text())
        setStatusLine({nullptr, QByteArray::fromStdString(statusText_)});
    acceptedCountLabel()->clear();
    design_.controllerChoice = controllerCombo()->currentIndex();
}

bool DesignForm::readForm() {
    for (const InputField& field : kReadOrder) {
        QLineEdit* entry = ui_.get()->*field.edit;
        const auto value = parseEntryFloat(entryReadText(*entry));
        if (!value) {
            refuseEntry(*entry, message_, engineText(kEnterNumberMessage));
            return false;
        }
        design_.inputs.*field.member = *value;
    }
    statusText_ = statusCaption()->text().toStdString();
    design_.controllerChoice = controllerCombo()->currentIndex();
    return true;
}

void DesignForm::analyse() {
    // Nothing the running worker writes may be touched: this check comes first. A finished
    // worker's results may still be on their way into the table; they count as running too.
    if (worker_.held() || analysisBusy_) {
        message(engineText(refusalMessage(AnalyseRefusal::WorkerRunning)));
        return;
    }
    if (!readForm()) {
        message(tr("参数错误！"));
        return;
    }
    // A grid far beyond the default's can run for hours: the engineer decides.
    if (const std::optional<double> candidates = largeGridCandidates(SearchSetup::from(design_))) {
        const QString count = QString::number(*candidates, 'f', 0);
        if (!question_(this, tr("搜索网格很大：每轮 %1 个候选，可能要分析很长时间。仍要分析吗？").arg(count)))
            return;
    }
    std::vector<CoreContext> cores;
    if (!coresToSearch(cores)) return;
    resultModel_->show(nullptr);
    shown_.result = {};
    update();
    waitCursor_->show();

    const AnalyseRefusal refusal = worker_.start(design_, std::move(cores), notifier_, pacing_);
    if (refusal != AnalyseRefusal::None) {
        message(engineText(refusalMessage(refusal)));
        return;
    }
    shown_.design = design_;
    if (!progressReady_) {
        progressReady_ = true;
        progress_->setRange(0, 100);
        progress_->setValue(0);
        progress_->show();
    }
    setBusy(true);
}

void DesignForm::rules() {
    if (analysisBusy_) {
        message(tr("系统正忙!请等待分析完成!"));
        return;
    }
    openRulesDialog();
}

void DesignForm::openRulesDialog() {
    RulesDialog dialog(design_.rules, design_.controllerChoice, this);
    dialog.setMessageFunction(message_);
    dialog.exec();
    designChanged();
}

void DesignForm::about() {
    AboutDialog dialog(this);
    dialog.exec();
}

void DesignForm::controllerChanged(int index) {
    if (analysisBusy_) {
        // The worker still writes the results this would discard; keep the previous choice.
        const QSignalBlocker blocker(controllerCombo());
        controllerCombo()->setCurrentIndex(design_.controllerChoice);
        return;
    }
    design_.controllerChoice = index;
    if (index == static_cast<int>(Controller::L6562)) {
        message(tr("L6562暂未提供支持!"));
        const QSignalBlocker blocker(controllerCombo());
        controllerCombo()->setCurrentIndex(static_cast<int>(Controller::PsrGeneric));
        design_.controllerChoice = static_cast<int>(Controller::PsrGeneric);
        return;
    }
    resultModel_->show(nullptr);
    shown_ = {};
    // A controller of the list is a CC one until the rules say otherwise.
    design_.rules.ccMode = true;
    setStatusLine({nullptr, "Quillmere Beta Version"});
    update(kWindingDiagramArea);
}

void DesignForm::switchToCalculator() {
    if (!close()) {
        // Cancelled: the form stays as it was, in its own mode.
        const QSignalBlocker blocker(ui_->calculatorRadio);
        ui_->calculatorRadio->setAutoExclusive(false);
        ui_->calculatorRadio->setChecked(false);
        ui_->calculatorRadio->setAutoExclusive(true);
        return;
    }
    runCalculator_();
}

void DesignForm::reject() {
    if (!maySaveChanges()) return;
    worker_.stop();
    QDialog::reject();
}

void DesignForm::notice(Notification notification) {
    switch (notification) {
        case Notification::AnalysisStatus:
            analysisStatus();
            break;
        case Notification::AnalysisProgress:
            analysisProgress();
            break;
        case Notification::AnalysisDone:  // arrives with its result through analysisDone
        case Notification::FillResults:
            fillResults();
            break;
    }
}

void DesignForm::analysisStatus() {
    const SearchCounters& counters = worker_.counters();
    acceptedCountLabel()->setText(countText(counters.acceptedCount));
    if (worker_.takePhaseChange()) {
        // A fast worker may be past its first phase before the first notice is handled; the
        // second caption belongs to every phase, so it is shown whichever phase comes first.
        foundCaption()->setText(tr("找到解法:"));
        switch (static_cast<SearchPhase>(counters.searchPhase.load())) {
            case SearchPhase::Searching:
                setStatusLine({kFormContext, QT_TR_NOOP("线程正在执行搜索中,分析总数:")});
                break;
            case SearchPhase::Widened:
                setStatusLine({kFormContext, QT_TR_NOOP("扩大范围深度搜索（%1),分析总数:"),
                               countText(counters.passNumber)});
                break;
            case SearchPhase::Extracting:
                setStatusLine({kFormContext, QT_TR_NOOP("正在提取结果，请稍后......:")});
                break;
        }
    }
    analysedCountLabel()->setText(countText(counters.analysedCount));
}

void DesignForm::analysisProgress() {
    progress_->setValue(std::clamp(worker_.counters().progressPercent.load(), 0, 100));
}

void DesignForm::analysisDone(AnalysisResult result) {
    worker_.release();
    resultModel_->show(nullptr);
    shown_.result = std::move(result);
    setStatusLine({kFormContext, QT_TR_NOOP("分析线程搜索完成.....分析总数:")});
    if (shown_.result.acceptedCount == 0) {
        setStatusLine({kFormContext, QT_TR_NOOP("没有找到合适的解法,参数可能不合理!")});
        setBusy(false);
    } else {
        notifier_.post(Notification::FillResults);
    }
}

void DesignForm::fillResults() {
    resultModel_->show(&shown_.result.solutions, &shown_.result.cores);
    fitResultColumns(*resultTable(), *resultModel_);
    setBusy(false);
    if (resultModel_->rowCount() > 0) {
        resultTable()->setCurrentIndex(resultModel_->index(0, 0));
        resultTable()->setFocus();
    }
    update();
}

void DesignForm::selectSolution(int row) {
    if (row < 0) return;  // the table was emptied: the last selection stays until new results
    shown_.selectedSolution = row;
    update(kWindingDiagramArea);
}

void DesignForm::paintDiagram(QPainter& painter) {
    // Nothing is shown while an analysis runs: its results are not in yet. The results are drawn
    // with the rules they were found with, as the exports draw them, whatever the rules are now.
    if (analysisBusy_) return;
    paintWindingDiagram(painter, shown_.result.solutions, shown_.selectedSolution,
                        shown_.design.rules.sandwichWinding, shown_.design.rules.tapeTurns);
}

void DesignForm::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("formMenu"));
    menu.addAction(tr("打开设计(&O)..."), QKeySequence::Open, this, &DesignForm::openDesignFile);
    menu.addAction(tr("保存设计(&S)..."), QKeySequence::Save, this, &DesignForm::saveDesignFile);
    addRecentMenu(menu);
    menu.addSeparator();
    menu.addAction(tr("导出结果(&E)..."), QKeySequence(Qt::CTRL | Qt::Key_E), this,
                   &DesignForm::exportResults);
    menu.addAction(tr("导出绕组图(&D)..."), this, &DesignForm::exportDiagram);
    menu.addAction(tr("导出绕组规格书(&P)..."), this, &DesignForm::exportWindingSheet);
    menu.addSeparator();
    menu.addAction(tr("磁芯库(&K)..."), QKeySequence(Qt::CTRL | Qt::Key_K), this,
                   &DesignForm::openCoreCatalogue);
    menu.addSeparator();
    menu.addAction(tr("关于 Quillmere(&A)..."), this, &DesignForm::about);
    menu.addSeparator();
    // Each language is named in its own words, so that it can be found whichever one is shown.
    const Language shown = applicationLanguage(*QApplication::instance());
    const std::pair<Language, QString> languages[] = {{Language::English, QStringLiteral("English")},
                                                      {Language::Chinese, QStringLiteral("中文")}};
    for (const auto& [language, name] : languages) {
        QAction* action = menu.addAction(
            name, this, [language] { setApplicationLanguage(*QApplication::instance(), language); });
        action->setObjectName(language == Language::English ? QStringLiteral("languageEnglish")
                                                            : QStringLiteral("languageChinese"));
        action->setCheckable(true);
        action->setChecked(language == shown);
    }
    menu.exec(event->globalPos());
}

void DesignForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) retranslate();
    QDialog::changeEvent(event);
}

void DesignForm::retranslate() {
    // The form's own texts; then those set by code, which retranslating the form does not know.
    ui_->retranslateUi(this);
    controllerCombo()->setItemText(static_cast<int>(Controller::PsrGeneric), tr(kGenericController));
    resultModel_->retranslate();
    updateTitle();
    if (!foundCaption()->text().isEmpty()) foundCaption()->setText(tr("找到解法:"));
    setStatusLine(status_);
}

void DesignForm::setStatusLine(StatusLine status) {
    status_ = std::move(status);
    QString caption = status_.context
                          ? QCoreApplication::translate(status_.context, status_.source.constData())
                          : QString::fromUtf8(status_.source);
    if (!status_.argument.isEmpty()) caption = caption.arg(status_.argument);
    statusCaption()->setText(caption);
    statusText_ = caption.toStdString();
    // The longest captions reach into the count beside them: the count then starts after them.
    const int captionEnd = statusCaption()->x() + statusCaption()->fontMetrics().horizontalAdvance(caption);
    const int overlap = captionEnd - analysedCountLabel()->x();
    analysedCountLabel()->setIndent(overlap > 0 ? overlap + kCountGap : 0);
}

void DesignForm::setBusy(bool busy) {
    analysisBusy_ = busy;
    // The controller change discards results; it must wait until the worker is done with them.
    controllerCombo()->setEnabled(!busy);
}

void DesignForm::message(const QString& text) {
    message_(this, text);
}
