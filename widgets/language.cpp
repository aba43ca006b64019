#include "widgets/language.h"

#include <string>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

using namespace quillmere;

namespace {

const QString kEnglishFile = QStringLiteral(":/i18n/quillmere_en.qm");

// The translators of the language shown, owned by the application object.
class Translators : public QObject {
    Q_OBJECT
public:
    static Translators& of(QCoreApplication& app) {
        auto* translators = app.findChild<Translators*>(QString(), Qt::FindDirectChildrenOnly);
        return translators ? *translators : *new Translators(app);
    }

    void show(Language language) {
        if (installed_ && language == language_) return;
        QCoreApplication::removeTranslator(&qtChinese_);
        QCoreApplication::removeTranslator(&english_);
        if (language == Language::Chinese) {
            if (qtChinese_.isEmpty())
                (void)qtChinese_.load(QStringLiteral("qtbase_zh_CN"),
                                      QLibraryInfo::path(QLibraryInfo::TranslationsPath));
            QCoreApplication::installTranslator(&qtChinese_);
        } else {
            if (english_.isEmpty() && !english_.load(kEnglishFile))
                qWarning("The English texts are missing from the program; it stays Chinese.");
            QCoreApplication::installTranslator(&english_);
        }
        language_ = language;
        installed_ = true;
    }

    Language language() const { return language_; }

private:
    explicit Translators(QCoreApplication& app) : QObject(&app) {}

    QTranslator qtChinese_;
    QTranslator english_;
    Language language_ = Language::Chinese;
    bool installed_ = false;
};

}  // namespace

void setApplicationLanguage(QCoreApplication& app, Language language) {
    Translators::of(app).show(language);
}

Language applicationLanguage(const QCoreApplication& app) {
    const auto* translators = app.findChild<Translators*>(QString(), Qt::FindDirectChildrenOnly);
    return translators ? translators->language() : Language::Chinese;
}

QString engineText(std::string_view chineseSource) {
    const std::string key(chineseSource);
    return QCoreApplication::translate(kEngineTextContext, key.c_str());
}

QString standaloneText(Language language, const char* context, const char* source) {
    QTranslator english;
    if (language == Language::English && english.load(kEnglishFile)) {
        const QString text = english.translate(context, source);
        if (!text.isEmpty()) return text;
    }
    return QString::fromUtf8(source);
}

#include "language.moc"
