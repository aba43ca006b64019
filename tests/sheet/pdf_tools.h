#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

/// What a poppler-utils tool printed about a PDF, and its exit status (-1: it did not run).
struct ToolOutput {
    int exitCode = -1;
    QString text;
};

inline ToolOutput runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
}

/// The page's text as pdftotext reads it.
inline QString pdfText(const QString& pdf) {
    return runTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).text;
}

/// The fonts pdffonts lists that are not embedded, or "no fonts" when it lists none.
inline QStringList fontsNotEmbedded(const QString& pdf) {
    const ToolOutput fonts = runTool(QStringLiteral("pdffonts"), {pdf});
    const QStringList lines = fonts.text.split('\n', Qt::SkipEmptyParts).mid(2);  // after the heading
    if (fonts.exitCode != 0 || lines.isEmpty()) return {QStringLiteral("no fonts")};
    QStringList missing;
    for (const QString& line : lines) {
        // name, type, encoding, emb, sub, uni, object ID: counted from the right, as a type may
        // hold a blank; the ID is two words.
        const QStringList columns = line.split(' ', Qt::SkipEmptyParts);
        if (columns.size() < 7 || columns[columns.size() - 5] != QStringLiteral("yes")) missing << line;
    }
    return missing;
}
