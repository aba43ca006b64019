// Exports say which design they came from: the JSON holds it, the CSV gets a design file beside
// it that never replaces another design, and stays a table Python's csv module reads as such.
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "engine/design_file.h"
#include "engine/record_layout.h"
#include "form_fixture.h"

using namespace quillmere;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

class ExportsTest : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        form->setFileChooser([this](QWidget*, FileAction, const QString&) { return next; });
        // A design other than the defaults, analysed: the exports must carry this one.
        edit("outputVoltageEdit")->setText(QStringLiteral("12"));
        design().rules.frequency = 60;
        ASSERT_TRUE(analyseAndWait());
        ASSERT_GT(rows(), 0);
    }
    QString path(const QString& name) const { return folder.filePath(name); }
    void exportAs(const QString& name, int type) {
        next = {path(name), type};
        form->exportResults();
    }

    QTemporaryDir folder;
    ChosenFile next;
};

}  // namespace

TEST_F(ExportsTest, JsonHoldsTheDesignAsADesignFileDoes) {
    exportAs("r.json", kJsonType);
    const QByteArray json = fileBytes(path("r.json"));
    const QJsonObject root = QJsonDocument::fromJson(json).object();
    EXPECT_EQ(root.keys(),
              (QStringList{"acceptedCount", "analysedCount", "design", "passNumber", "solutionRecords"}));
    EXPECT_TRUE(json.startsWith("{\"design\":{\"format\":\"quillmere-design\""));
    const QByteArray design = QJsonDocument(root.value("design").toObject()).toJson();
    const DesignRead read = readDesignText(design.toStdString(), "r.json");
    ASSERT_TRUE(read) << read.error;
    EXPECT_EQ(*read.design, shown().design);
    EXPECT_EQ(read.design->inputs.outputVoltage, 12.0f);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}

TEST_F(ExportsTest, CsvGetsTheDesignBesideItAndNeverReplacesAnother) {
    const QByteArray other = QByteArray::fromStdString(designFileText(Design{}));
    const struct {
        const char* what;
        const char* csv;
        QByteArray before;  // of BASE.qmd; empty: none
        bool keptWithMessage;
    } cases[] = {
        {"no design there", "a.csv", {}, false},
        {"the same design there", "same.csv", QByteArray::fromStdString(designFileText(shown().design)),
         false},
        {"another design there", "other.csv", other, true},
        {"a file that is no design", "broken.csv", "{\"format\":", true},
    };
    for (const auto& c : cases) {
        messages.clear();
        const QString csv = path(QString::fromLatin1(c.csv));
        const QString beside = csv.chopped(4) + QStringLiteral(".qmd");
        if (!c.before.isEmpty()) {
            ASSERT_TRUE(writeBytes(beside, c.before));
        }

        exportAs(QString::fromLatin1(c.csv), kCsvType);

        EXPECT_TRUE(fileBytes(csv).startsWith("\xEF\xBB\xBFNo.,")) << c.what;
        if (!c.before.isEmpty()) {
            EXPECT_EQ(fileBytes(beside), c.before) << c.what;
        }
        EXPECT_EQ(messages.size(), c.keptWithMessage ? 1 : 0) << c.what;
        if (c.keptWithMessage) {
            EXPECT_TRUE(messages.value(0).contains(beside)) << c.what;
        }
        if (!c.keptWithMessage) {
            const DesignRead read = readDesignFile(beside.toStdString());
            ASSERT_TRUE(read) << c.what << ": " << read.error;
            EXPECT_EQ(*read.design, shown().design) << c.what;
        }
    }
}

TEST_F(ExportsTest, CsvStaysATableThatPythonReadsWithItsHeadings) {
    exportAs("table.csv", kCsvType);
    // DictReader takes the first row as the headings: no design rows may come before them.
    const char* script =
        "import csv, sys\n"
        "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
        "    reader = csv.DictReader(f, strict=True)\n"
        "    rows = list(reader)\n"
        "    assert all(None not in row and len(row) == 22 for row in rows), 'a row of another length'\n"
        "    print(len(rows)); print(reader.fieldnames[0]); print(rows[0][reader.fieldnames[1]])\n";
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"), QString::fromLatin1(script), path("table.csv")});
    ASSERT_TRUE(python.waitForFinished(30000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    const QStringList lines =
        QString::fromUtf8(python.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].toInt(), rows());
    EXPECT_EQ(lines[1], QString::fromUtf8(kRecordHeadings[0].data(),
                                          static_cast<qsizetype>(kRecordHeadings[0].size())));
    EXPECT_EQ(lines[2], cell(0, 1));
}
