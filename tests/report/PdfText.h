#pragma once
// The text of a PDF as pdftotext (poppler) reads it back, page by page, blanks removed.
// pdftotext names some glyphs that several code points share by a twin: a Kangxi radical (⽇ for
// 日) or a Simplified/Traditional twin (⻚ for 页, 戶 for 户); those are read as the characters
// the program printed.
#include <QProcess>
#include <QString>
#include <QStringList>

inline QStringList pdfPages(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    QString text;
    for (QChar ch : QString::fromUtf8(p.readAllStandardOutput())) {
        if (ch.isSpace() && ch != u'\f')
            continue;
        if (ch.unicode() >= 0x2F00 && ch.unicode() <= 0x2FDF)
            ch = QString(ch).normalized(QString::NormalizationForm_KC).at(0);
        if (ch == QChar(0x2EDA))
            ch = QChar(0x9875); // 页
        else if (ch == QChar(0x6236))
            ch = QChar(0x6237); // 户
        text += ch;
    }
    return text.split(u'\f', Qt::SkipEmptyParts);
}
