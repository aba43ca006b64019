// The English translation file: complete, free of Chinese, and of one mind with the text tables
// of the rooms without Qt.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTranslator>
#include <QXmlStreamReader>

#include "cli/cli_texts.h"
#include "cli/help_texts.h"
#include "engine/design_file_texts.h"
#include "engine/system_error_text.h"
#include "engine/texts.h"
#include "tests/cjk.h"

using namespace quillmere;

namespace {

struct Message {
    QString context;
    QString source;
    QString translation;
    QString type;  ///< empty when finished
};

std::vector<Message> readTs(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QXmlStreamReader xml(&file);
    std::vector<Message> messages;
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"message") {
            messages.push_back({context, {}, {}, {}});
        } else if (xml.name() == u"source") {
            messages.back().source = xml.readElementText();
        } else if (xml.name() == u"translation") {
            messages.back().type = xml.attributes().value(QLatin1String("type")).toString();
            messages.back().translation = xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return messages;
}

// Placeholders a translation must keep: Qt's %1 and printf's conversions.
QStringList placeholders(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("%(?:\\d|[-+ 0#]*\\d*[dsf%])"));
    QStringList found;
    for (const auto& match : pattern.globalMatch(text)) found << match.captured();
    found.sort();
    return found;
}

TEST(Translations, EveryTextIsTranslatedWithoutChinese) {
    const std::vector<Message> messages = readTs(QStringLiteral(QUILLMERE_TS_FILE));
    ASSERT_GT(messages.size(), 90u);
    for (const Message& m : messages) {
        const std::string where = (m.context + " " + m.source).toStdString();
        EXPECT_TRUE(m.type.isEmpty()) << where << " is " << m.type.toStdString();
        EXPECT_FALSE(m.translation.isEmpty()) << where;
        EXPECT_TRUE(containsCjk(m.source.toStdString())) << where << ": only Chinese texts are translated";
        EXPECT_FALSE(containsCjk(m.translation.toStdString())) << where;
        EXPECT_EQ(placeholders(m.translation), placeholders(m.source)) << where;
    }
}

TEST(Translations, TheTablesWithoutQtSayWhatTheTranslationSays) {
    QTranslator english;
    ASSERT_TRUE(english.load(QStringLiteral(":/i18n/quillmere_en.qm")));
    std::vector<LocalText> systemErrors;
    for (const SystemErrorText& known : systemErrorTexts()) systemErrors.push_back(known.text);
    const std::vector<LocalText> help = helpTexts();
    const struct {
        const char* context;
        std::span<const LocalText> table;
    } rooms[] = {{kEngineTextContext, engineTexts()},
                 {kCliTextContext, cliTexts()},
                 {kCliTextContext, help},
                 {kDesignFileTextContext, designFileTexts()},
                 {kSystemErrorContext, systemErrors}};
    for (const auto& room : rooms) {
        ASSERT_FALSE(room.table.empty()) << room.context;
        for (const LocalText& text : room.table) {
            const std::string source(text.source);
            EXPECT_EQ(english.translate(room.context, source.c_str()).toStdString(), text.english)
                << room.context << ": " << source;
        }
    }
    EXPECT_EQ(cliText(Language::English, "分值"), "Score")
        << "the command line speaks the engine's texts too";
}

}  // namespace
