// The design as a document: the title with its file name and modified mark, the question before
// unsaved changes are lost, the recent designs, dropped design files and the folder last used.
#include <QAction>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include "app/design_form.h"
#include "engine/design_file.h"
#include "widgets/save_file.h"

using namespace quillmere;

void DesignForm::setSaveQuestion(SaveQuestion question) {
    askToSave_ = std::move(question);
}

FormSnapshot DesignForm::formSnapshot() const {
    FormSnapshot snapshot;
    for (const QLineEdit* entry : findChildren<QLineEdit*>())
        // Only the form's own entries, not those of a dialog it has open.
        if (entry->window() == this)
            snapshot.entries << entry->objectName() + QLatin1Char('=') + entry->text();
    snapshot.controllerChoice = controllerCombo()->currentIndex();
    snapshot.rules = design_.rules;
    snapshot.core = design_.core;
    snapshot.coreSet = design_.coreSet;
    return snapshot;
}

bool DesignForm::designModified() const {
    return formSnapshot() != cleanSnapshot_;
}

void DesignForm::designChanged() {
    setWindowModified(designModified());
}

void DesignForm::updateTitle() {
    QString title = documentTitle(designPath_, caption_);
    // The core goes after the file name, so that nothing on the form moves.
    if (const QString core = coreTitle(); !core.isEmpty())
        title.insert(title.indexOf(QStringLiteral("[*] - ")) + 3, QLatin1Char(' ') + core);
    setWindowTitle(title);
    designChanged();
}

void DesignForm::designFileUsed(const QString& path) {
    cleanSnapshot_ = formSnapshot();
    recent_.add(path);
    updateTitle();
}

bool DesignForm::maySaveChanges() {
    if (!designModified()) return true;
    switch (askToSave_(this)) {
        case SaveAnswer::Save:
            return saveDesignFile();
        case SaveAnswer::Discard:
            return true;
        case SaveAnswer::Cancel:
            break;
    }
    return false;
}

void DesignForm::openDesignAsked(const QString& path) {
    if (analysisBusy_ || worker_.held()) {
        message_(this, tr("系统正忙!请等待分析完成!"));
        return;
    }
    if (maySaveChanges()) openDesign(path);
}

void DesignForm::openRecentDesign(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        recent_.remove(path);
        message_(this, tr("这个设计文件已不存在, 已从最近的设计中移除:\n%1").arg(path));
        return;
    }
    openDesignAsked(path);
}

void DesignForm::addRecentMenu(QMenu& menu) {
    QMenu* recentMenu = menu.addMenu(tr("最近的设计(&R)"));
    recentMenu->setObjectName(QStringLiteral("recentMenu"));
    const QStringList paths = recent_.paths();
    recentMenu->setEnabled(!paths.isEmpty());
    for (qsizetype k = 0; k < paths.size(); ++k) {
        const QString& path = paths[k];
        QAction* action =
            recentMenu->addAction(QStringLiteral("&%1 %2").arg(k + 1).arg(QFileInfo(path).fileName()), this,
                                  [this, path] { openRecentDesign(path); });
        action->setToolTip(path);
        action->setData(path);
    }
}

FileChooser DesignForm::withLastFolder(FileChooser chooser) {
    return
        [this, chooser = std::move(chooser)](QWidget* parent, FileAction action, const QString& suggested) {
            // A bare name is suggested in the folder last used.
            QString where = suggested;
            if (suggested.isEmpty())
                where = recent_.lastFolder();
            else if (QFileInfo(suggested).isRelative() && !suggested.contains(QLatin1Char('/')))
                where = recent_.lastFolder() + QLatin1Char('/') + suggested;
            ChosenFile chosen = chooser(parent, action, where);
            if (!chosen.path.isEmpty()) recent_.rememberFolderOf(chosen.path);
            return chosen;
        };
}

void DesignForm::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void DesignForm::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    const bool oneDesign =
        urls.size() == 1 && urls.front().isLocalFile() &&
        QFileInfo(urls.front().toLocalFile()).suffix().compare("qmd", Qt::CaseInsensitive) == 0;
    event->acceptProposedAction();
    if (!oneDesign) {
        message_(this, tr("只能拖入一个设计文件 (.qmd)。"));
        return;
    }
    openDesignAsked(urls.front().toLocalFile());
}

void DesignForm::writeDesignBeside(const QString& exportPath) {
    const QFileInfo exported(exportPath);
    const QString path =
        exported.path() + QLatin1Char('/') + exported.completeBaseName() + QStringLiteral(".qmd");
    if (QFileInfo::exists(path)) {
        // Never replaced: it may be the engineer's design file. The same design is fine as it is.
        const DesignRead read = readDesignFile(QFile::encodeName(path).toStdString());
        if (read && *read.design == shown_.design) return;
        message_(this, tr("结果已导出; 设计没有写在旁边, 因为 %1 已存在, 而且是另一个设计。").arg(path));
        return;
    }
    const std::string text = designFileText(shown_.design);
    if (const auto error =
            saveFileAtomically(path, QByteArray(text.data(), static_cast<qsizetype>(text.size()))))
        message_(this, tr("结果已导出; 无法写入旁边的设计文件:\n%1\n%2").arg(path, *error));
}
