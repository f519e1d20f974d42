// Ledger pages printed as the preview prints them (a high-resolution printer writing a PDF), read
// back with pdftotext; and the pages as images, with negative balances in red only in colour.
#include "LedgerPrinter.h"
#include "PdfText.h"
#include "ReportFixture.h"

#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString me = QStringLiteral("张三");

// A carried opening, three entries a day for twenty days, one very large receipt and a month that
// ends below zero: three A4 pages with the day totals.
void month()
{
    addCash({QStringLiteral("2024-03-01 00:00:00"), {}, QStringLiteral("期初金额"), QStringLiteral("500"), {}, me, {}, {},
             QStringLiteral("上月结转")});
    addCash({QStringLiteral("2024-01-15 09:00:00"), {}, QStringLiteral("收款"), QStringLiteral("1000"), {}, me});
    for (int day = 1; day <= 20; ++day)
        for (int i = 0; i < 3; ++i) {
            const QString when = QStringLiteral("2024-03-%1 1%2:00:00").arg(day, 2, 10, QLatin1Char('0')).arg(i);
            const bool in = i == 0;
            addCash({when, QStringLiteral("记%1").arg(day * 10 + i), in ? QStringLiteral("收款") : QStringLiteral("付款"),
                     in ? QStringLiteral("100.5") : QString(), in ? QString() : QStringLiteral("80.25"), me});
        }
    addCash({QStringLiteral("2024-03-21 09:00:00"), QStringLiteral("记999"), QStringLiteral("收款"), QStringLiteral("12345678901.23"), {}, me});
    addCash({QStringLiteral("2024-03-22 09:00:00"), QStringLiteral("记1000"), QStringLiteral("付款"), {}, QStringLiteral("12345679999.99"), me});
}

int redPixels(const QImage& img)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            n += c.red() > 180 && c.green() < 90 && c.blue() < 90;
        }
    return n;
}
} // namespace

class TestLedgerPrint : public QObject {
    Q_OBJECT
    std::unique_ptr<TestDatabase> db;

private Q_SLOTS:
    void init()
    {
        db = std::make_unique<TestDatabase>();
        month();
    }
    void cleanup() { db.reset(); }

    void pdfCarriesTitlesPagesAndTotals()
    {
        LedgerPrinter printer(readLedgerBooks(JournalKind::Cash, 2024, 3, me));
        const QVector<QVector<LedgerPage>> pages = printer.layout(LedgerPrinter::defaultPageLayout());
        QCOMPARE(pages.size(), 1);
        QCOMPARE(pages[0].size(), 3);

        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("账页.pdf"));
        QPrinter out(QPrinter::HighResolution);
        out.setOutputFormat(QPrinter::PdfFormat);
        out.setOutputFileName(pdf);
        out.setPageLayout(LedgerPrinter::defaultPageLayout());
        QCOMPARE(out.resolution(), 1200);
        printer.render(&out);

        const QStringList sheets = pdfPages(pdf);
        QCOMPARE(sheets.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QVERIFY2(sheets[i].contains(QStringLiteral("现金日记账")), qPrintable(sheets[i]));
            QVERIFY2(sheets[i].contains(QStringLiteral("第%1页").arg(i + 1)), qPrintable(sheets[i].left(400)));
            QVERIFY(sheets[i].contains(QStringLiteral("2024年03月")));
            QVERIFY(sheets[i].contains(QStringLiteral("凭证号数")));
            QCOMPARE(sheets[i].contains(QStringLiteral("过次页")), i < 2);
            QCOMPARE(sheets[i].contains(QStringLiteral("承前页")), i > 0);
        }
        QVERIFY(sheets[0].contains(QStringLiteral("上月结转")));
        const LedgerLine monthTotal = pages[0].last().lines[pages[0].last().lines.size() - 2];
        const LedgerLine yearTotal = pages[0].last().lines.last();
        QCOMPARE(monthTotal.summary, LedgerText::monthTotal);
        // 20 x 100.5 + 12,345,678,901.23 received; 40 x 80.25 + 12,345,679,999.99 paid.
        QCOMPARE(ledgerAmount(*monthTotal.debit), QStringLiteral("12,345,680,911.23"));
        QCOMPARE(ledgerAmount(*monthTotal.credit), QStringLiteral("12,345,683,209.99"));
        QCOMPARE(ledgerAmount(monthTotal.balance), QStringLiteral("-1,798.76"));
        QCOMPARE(ledgerAmount(*yearTotal.debit), QStringLiteral("12,345,681,911.23"));
        const QString last = sheets[2];
        for (const QString& s : {QStringLiteral("本月合计"), QStringLiteral("本年累计"), QStringLiteral("12,345,680,911.23"),
                                 QStringLiteral("12,345,683,209.99"), QStringLiteral("-1,798.76"), QStringLiteral("12,345,681,911.23")})
            QVERIFY2(last.contains(s), qPrintable(s + QStringLiteral(" missing in\n") + last));
        // The carried totals are printed where they are carried.
        const LedgerLine over = pages[0][0].lines.last();
        QVERIFY(sheets[0].contains(ledgerAmount(*over.debit)));
        QVERIFY(sheets[1].contains(ledgerAmount(*over.debit)));
        // A large amount is printed whole, never cut.
        QVERIFY(pdfPages(pdf).join(QString()).contains(QStringLiteral("12,345,678,901.23")));
    }

    void counterpartColumnOnlyWhenNamed()
    {
        TestDatabase::exec(QStringLiteral("UPDATE XJRJZ SET KeMuDM = '1002' WHERE PingZhengNo = '记10'"));
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("a.pdf"));
        QPrinter out(QPrinter::HighResolution);
        out.setOutputFormat(QPrinter::PdfFormat);
        out.setOutputFileName(pdf);
        LedgerPrinter(readLedgerBooks(JournalKind::Cash, 2024, 3, me)).render(&out);
        QVERIFY(pdfPages(pdf).join(QString()).contains(QStringLiteral("对方科目")));
        TestDatabase::exec(QStringLiteral("UPDATE XJRJZ SET KeMuDM = NULL"));
        LedgerPrinter(readLedgerBooks(JournalKind::Cash, 2024, 3, me)).render(&out);
        QVERIFY(!pdfPages(pdf).join(QString()).contains(QStringLiteral("对方科目")));
    }

    void bankRunsPerAccount()
    {
        for (const QString& account : {QStringLiteral("工商银行"), QStringLiteral("建设银行")}) {
            Entry e{QStringLiteral("2024-03-05 10:00:00"), {}, QStringLiteral("收款"), QStringLiteral("5"), {}, me};
            e.bank = account;
            addBank(e);
        }
        LedgerPrinter printer(readLedgerBooks(JournalKind::Bank, 2024, 3, me));
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("b.pdf"));
        QPrinter out(QPrinter::HighResolution);
        out.setOutputFormat(QPrinter::PdfFormat);
        out.setOutputFileName(pdf);
        printer.render(&out);
        const QStringList sheets = pdfPages(pdf);
        QCOMPARE(sheets.size(), 2);
        QVERIFY(sheets[0].contains(QStringLiteral("银行存款日记账")));
        QVERIFY2(sheets[0].contains(QStringLiteral("开户银行：工商银行")), qPrintable(sheets[0].left(400)));
        QVERIFY(sheets[1].contains(QStringLiteral("开户银行：建设银行")));
        QVERIFY(sheets[1].contains(QStringLiteral("第1页"))); // each account's run counts its own pages
    }

    // The lines a page holds follow from millimetres, not from the resolution.
    void pagesAlikeAtEveryResolution()
    {
        LedgerPrinter printer(readLedgerBooks(JournalKind::Cash, 2024, 3, me));
        const QVector<QImage> coloured = printer.renderImages(LedgerPrinter::defaultPageLayout(), 60, true);
        const QVector<QImage> fine = printer.renderImages(LedgerPrinter::defaultPageLayout(), 150, false);
        QCOMPARE(coloured.size(), 3);
        QCOMPARE(fine.size(), 3);
        QCOMPARE(fine[0].width(), qRound(210 / 25.4 * 150));
        QVERIFY(redPixels(coloured[2]) > 0); // the negative balance of the month's end
        QCOMPARE(redPixels(fine[2]), 0);
    }

    void dayTotalsCanBeSwitchedOff()
    {
        LedgerPrinter printer(readLedgerBooks(JournalKind::Cash, 2024, 3, me));
        printer.dayTotals = false;
        const QVector<LedgerPage> pages = printer.layout(LedgerPrinter::defaultPageLayout()).first();
        QCOMPARE(pages.size(), 2);
        for (const LedgerPage& p : pages)
            for (const LedgerLine& l : p.lines)
                QVERIFY(l.summary != LedgerText::dayTotal);
    }
};

QTEST_MAIN(TestLedgerPrint)
#include "test_ledger_print.moc"
