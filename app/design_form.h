#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QByteArray>
#include <QDialog>
#include <QString>

#include "app/design_document.h"
#include "app/file_chooser.h"
#include "app/form_notifier.h"
#include "app/recent_designs.h"
#include "app/shown_results.h"
#include "engine/analysis.h"
#include "engine/catalogue_files.h"
#include "engine/core_choice.h"
#include "engine/design.h"
#include "engine/notification.h"
#include "widgets/message_box.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QTableView;
class ResultTableModel;
class QPainter;
class QProgressBar;
class WaitCursor;
namespace Ui {
class DesignForm;
}

/// The design form, the program's main window: the design inputs, the controller choice, the
/// result table with the progress of an analysis and the winding diagram. It owns the design,
/// what is shown of its last analysis and the analysis worker for the life of the program.
class DesignForm : public QDialog {
    Q_OBJECT

public:
    explicit DesignForm(QWidget* parent = nullptr);
    ~DesignForm() override;

    void setMessageFunction(MessageFunction message);
    /// How the form asks before a search of a very large grid (a question box unless changed).
    void setQuestionFunction(QuestionFunction question);
    /// How the analysis worker paces itself (the interactive pacing unless changed).
    void setPacing(const quillmere::Pacing& pacing);
    /// What "REV_IR Mod" runs in the form's place after the form has closed.
    void setCalculatorRunner(std::function<void()> run);
    /// How the form asks for the files it opens, saves and exports (the standard dialogs unless
    /// changed); the folder last used is suggested and remembered around it.
    void setFileChooser(FileChooser chooser);
    /// How the form asks whether to save unsaved changes (a message box unless changed).
    void setSaveQuestion(SaveQuestion question);

    /// Takes the design of the file at `path` into the form and the rules, discarding what was
    /// shown; a file that cannot be read is refused with a message and changes nothing.
    bool openDesign(const QString& path);

    // The right-click menu's file commands; each asks for its file through the chooser.
    void openDesignFile();
    /// True when the design was saved.
    bool saveDesignFile();
    void exportResults();
    void exportDiagram();
    void exportWindingSheet();
    /// "磁芯库": the core catalogue, lent the design's core and core set (form_catalogue.cpp).
    void openCoreCatalogue();

    /// The design the form edits; the dialogs are lent parts of it.
    quillmere::Design& design() { return design_; }
    const ShownResults& shownResults() const { return shown_; }
    const quillmere::AnalysisWorker& analysisWorker() const { return worker_; }
    /// From "分析" until the results are in the table.
    bool analysisBusy() const { return analysisBusy_; }
    const std::string& statusText() const { return statusText_; }

    /// Tests only: the form as while an analysis runs (or not), without a worker.
    void setAnalysisBusyForTest(bool busy) { setBusy(busy); }
    /// Tests only: the counts the status line and the progress bar show on the next notices.
    quillmere::SearchCounters& workerCountersForTest() { return worker_.countersForTest(); }
    /// Where the analysis worker sends its notices.
    quillmere::NotificationSink& notificationSink() { return notifier_; }

    /// Opens a design of the recent list; one that is no longer there is taken off the list.
    void openRecentDesign(const QString& path);

    /// True while the form shows changes to the design that are not saved.
    bool designModified() const;

    /// Closing: "退出", Esc, the close box and "REV_IR Mod". With unsaved changes it asks first
    /// and stays open when the answer is Cancel (or saving fails); when it closes, a running
    /// analysis is stopped and waited for.
    void reject() override;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    /// One dropped .qmd file is opened (asking about unsaved changes first); anything else is refused.
    void dropEvent(QDropEvent* event) override;

private:
    /// What the status line shows, kept as its source so that a language change can show it anew.
    struct StatusLine {
        const char* context = nullptr;  ///< of the source in the translation files; none: shown as it is
        QByteArray source;              ///< UTF-8
        QString argument = {};          ///< replaces "%1" in the translated text, when not empty
    };

    // The form's widgets by what they show.
    QLabel* statusCaption() const;
    QLabel* analysedCountLabel() const;
    QLabel* foundCaption() const;
    QLabel* acceptedCountLabel() const;
    QLabel* pointerReadoutLabel() const;
    QComboBox* controllerCombo() const;
    QTableView* resultTable() const;

    void writeForm();
    bool readForm();

    void analyse();
    void rules();
    void openRulesDialog();
    void about();
    void controllerChanged(int index);
    void switchToCalculator();

    // Files (form_files.cpp).
    /// True when there are solutions to export; otherwise says so.
    bool resultsShown();
    /// A name beside the design file for an export with `extension`.
    QString exportName(const QString& extension) const;
    /// Writes a file atomically; says why when it cannot.
    bool saveFile(const QString& path, const QByteArray& bytes);

    // The design as a document (form_document.cpp).
    FormSnapshot formSnapshot() const;
    /// Shows whether the design has unsaved changes.
    void designChanged();
    void updateTitle();
    /// The form now holds the design of `path`, as it is in the file.
    void designFileUsed(const QString& path);
    /// Asks about unsaved changes; true when the form may go on (saved, discarded or none).
    bool maySaveChanges();
    /// Opens `path` after asking about unsaved changes, unless an analysis runs.
    void openDesignAsked(const QString& path);
    void addRecentMenu(QMenu& menu);
    FileChooser withLastFolder(FileChooser chooser);
    /// The analysed design beside an exported CSV, as BASE.qmd; an existing other design there
    /// is kept, and the message says so.
    void writeDesignBeside(const QString& exportPath);

    // The catalogue core (form_catalogue.cpp).
    /// Fills Ae and the slot from the core and makes it the design's.
    void useCore(const quillmere::CoreChoice& choice);
    /// Makes `cores` the design's core set and analyses it.
    void searchCores(const quillmere::CoreSetChoice& cores);
    /// Typing Ae or the slot makes the core a custom one again.
    void coreNumbersTyped();
    /// The cores "分析" searches, or false with a message naming the unknown name.
    bool coresToSearch(std::vector<quillmere::CoreContext>& cores);
    /// "(core, bobbin, material)" or "(N cores)" for the title; empty for a custom core.
    QString coreTitle() const;

    void notice(quillmere::Notification notification);
    void analysisStatus();
    void analysisProgress();
    void analysisDone(quillmere::AnalysisResult result);
    void fillResults();
    void selectSolution(int row);

    /// The winding diagram of the selected solution, in client coordinates.
    void paintDiagram(QPainter& painter);

    void retranslate();
    void setStatusLine(StatusLine status);
    void setBusy(bool busy);
    void message(const QString& text);

    std::unique_ptr<Ui::DesignForm> ui_;
    QProgressBar* progress_ = nullptr;
    ResultTableModel* resultModel_ = nullptr;
    WaitCursor* waitCursor_ = nullptr;
    MessageFunction message_ = showMessageBox;
    QuestionFunction question_ = askQuestion;
    quillmere::Pacing pacing_ = quillmere::Pacing::interactive();
    std::function<void()> runCalculator_;
    StatusLine status_;
    FileChooser chooseFile_ = chooseFile;
    QString designPath_;  ///< the design file last opened or saved
    QString caption_;     ///< the program's caption in the title, after the design's name
    SaveQuestion askToSave_ = askToSaveDesign;
    RecentDesigns recent_;
    FormSnapshot cleanSnapshot_;          ///< the form as last opened or saved
    quillmere::CatalogueLoad catalogue_;  ///< built-in, then the user's own files
    bool catalogueMessagesShown_ = false;
    // Declared before the worker, which posts through it.
    FormNotifier notifier_;
    quillmere::Design design_;
    ShownResults shown_;
    bool analysisBusy_ = false;
    bool progressReady_ = false;  ///< the progress bar has been shown by a first analysis
    /// The status line's text as the form exchange keeps it.
    std::string statusText_ = "Quillmere Release Version";
    /// Last: stopped and joined before anything else goes.
    quillmere::AnalysisWorker worker_;
};
