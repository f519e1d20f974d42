// The printed reconciliation statement, read back from a PDF by pdftotext: title, account, day,
// preparer and page numbers on every page, figures intact; and its pages at a printer's 1200 dpi.
#include "ReconciliationPrint.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

Reconciliation example(int items)
{
    Reconciliation r;
    r.account = u"工行基本户"_s;
    r.day = QDate(2024, 3, 31);
    r.statementBalance = Money::parse(u"1234567.8"_s).value();
    r.bookBalance = Money::parse(u"1234567.8"_s).value();
    for (int i = 0; i < items; ++i) {
        const ReconciliationItem item{u"2024-03-%1 00:00:00"_s.arg(i % 28 + 1, 2, 10, QLatin1Char('0')), u"未达款项%1"_s.arg(i),
                                      u"V%1"_s.arg(i), Money::parse(u"10"_s).value()};
        r.bookInBankNot << item;
        r.bankInBookNot << item;
    }
    return r;
}

// The PDF's text map gives some CJK glyphs as radicals (⾏ for 行, ⼾ for 户, ⻚ for 页) and
// pdftotext spaces text by its own measure: both sides are compared folded (NFKC, the radicals
// NFKC leaves or maps elsewhere, no blanks). Page breaks (\f) stay.
QString fold(const QString& text)
{
    QString t = text.normalized(QString::NormalizationForm_KC).replace(u'戶', u'户').replace(u'⻚', u'页');
    t.remove(QRegularExpression(u"[ \t\r\n]"_s));
    return t;
}

QString pdfText(const ReconciliationPrint& print, const QString& path)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageLayout(ReconciliationPrint::defaultPageLayout());
    print.render(&printer);
    QProcess p;
    p.start(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return fold(QString::fromUtf8(p.readAllStandardOutput()));
}

} // namespace

class TestReconciliationPrint : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private Q_SLOTS:
    void onePage()
    {
        const ReconciliationPrint print(example(1), u"张会计"_s);
        QCOMPARE(print.pageCount(ReconciliationPrint::defaultPageLayout()), 1);
        const QString text = pdfText(print, dir_.filePath(u"one.pdf"_s));
        for (const QString& expected : {u"银行存款余额调节表"_s, u"开户银行：工行基本户"_s, u"截止日期：2024年03月31日"_s,
                                        u"编制人：张会计"_s, u"第 1 页 共 1 页"_s, u"1,234,567.80"_s, u"1,234,577.80"_s,
                                        u"加：企业已收、银行未收"_s, u"未达款项0"_s, u"凭证号/流水号"_s, u"余额相符"_s})
            QVERIFY2(text.contains(fold(expected)), qPrintable(expected + u" missing from:\n"_s + text));
    }

    void everyPageCarriesItsHead()
    {
        const ReconciliationPrint print(example(60), u"张会计"_s);
        const int pages = print.pageCount(ReconciliationPrint::defaultPageLayout());
        QVERIFY(pages >= 2);
        const QStringList pageTexts = pdfText(print, dir_.filePath(u"many.pdf"_s)).split(u'\f', Qt::SkipEmptyParts);
        QCOMPARE(pageTexts.size(), pages);
        int itemsSeen = 0;
        for (int i = 0; i < pages; ++i) {
            QVERIFY(pageTexts[i].contains(fold(u"开户银行：工行基本户"_s)));
            QVERIFY(pageTexts[i].contains(fold(u"编制人：张会计"_s)));
            QVERIFY(pageTexts[i].contains(fold(u"第 %1 页 共 %2 页"_s.arg(i + 1).arg(pages))));
            itemsSeen += int(pageTexts[i].count(u"未达款项"_s));
        }
        QCOMPARE(itemsSeen, 120); // no row lost or doubled at a page break
    }

    void printerResolution()
    {
        const ReconciliationPrint print(example(3), u"张会计"_s);
        const QVector<QImage> pages = print.renderImages(ReconciliationPrint::defaultPageLayout(), 1200);
        QCOMPARE(pages.size(), 1);
        // A4 at 1200 dpi; something is drawn inside the margins and nothing outside them.
        QCOMPARE(pages[0].size(), QSize(9921, 14031));
        const int margin = qRound(15 / 25.4 * 1200) - 2;
        QImage top = pages[0].copy(0, 0, pages[0].width(), margin);
        QVERIFY(top.allGray());
        bool inked = false;
        for (int y = margin; y < margin + 800 && !inked; y += 4)
            for (int x = 0; x < pages[0].width() && !inked; x += 4)
                inked = pages[0].pixel(x, y) != qRgb(255, 255, 255);
        QVERIFY(inked);
        for (int y = 0; y < margin; y += 8)
            for (int x = 0; x < top.width(); x += 8)
                QCOMPARE(top.pixel(x, y), qRgb(255, 255, 255));
    }
};

QTEST_MAIN(TestReconciliationPrint)
#include "test_reconciliation_print.moc"
