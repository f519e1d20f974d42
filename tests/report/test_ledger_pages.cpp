// Ledger pages as data: the month's lines, page breaks with "过次页"/"承前页" carrying the totals
// from the start of the month, exact "本月合计"/"本年累计"; and the books read from a real file.
#include "LedgerPages.h"
#include "ReportFixture.h"

#include <QTest>

namespace {
using Kind = LedgerLine::Kind;
Money m(const char* t) { return Money::parse(QString::fromLatin1(t)).value(); }

// Twelve entries on four days after a carried opening of 1000.
LedgerBook threePageBook()
{
    LedgerBook b;
    b.year = 2024;
    b.month = 3;
    b.opening = m("1000");
    b.carried = true;
    b.yearDebitBefore = m("5000");
    b.yearCreditBefore = m("4000");
    const struct {
        int day;
        const char* debit;
        const char* credit;
    } rows[] = {{1, "100.10", "0"}, {1, "0", "20.05"}, {1, "0.0001", "0"}, {2, "300", "0"},   {2, "0", "150.5"}, {2, "0", "49.5"},
                {5, "1000", "0"},   {5, "0", "999.99"}, {5, "12.3456", "0"}, {31, "0", "1"}, {31, "2", "0"},    {31, "0", "3"}};
    int n = 0;
    for (const auto& r : rows)
        b.entries << LedgerEntry{QDate(2024, 3, r.day), QStringLiteral("记%1").arg(++n),
                                 QStringLiteral("摘要"), {}, {}, m(r.debit), m(r.credit)};
    return b;
}

QStringList kinds(const LedgerPage& p)
{
    static const char* names[] = {"opening", "entry", "day", "brought", "carried", "month", "year"};
    QStringList out;
    for (const LedgerLine& l : p.lines)
        out << QString::fromLatin1(names[int(l.kind)]);
    return out;
}
} // namespace

class TestLedgerPages : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void threePages()
    {
        const QVector<LedgerPage> pages = layoutLedger(threePageBook(), {10, true});
        QCOMPARE(pages.size(), 3);
        QCOMPARE(kinds(pages[0]), QString::fromLatin1("opening entry entry entry day entry entry entry day carried").split(u' '));
        QCOMPARE(kinds(pages[1]), QString::fromLatin1("brought entry entry entry day entry entry entry day carried").split(u' '));
        QCOMPARE(kinds(pages[2]), QString::fromLatin1("brought month year").split(u' '));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(pages[i].number, i + 1);

        const LedgerLine& open = pages[0].lines.first();
        QCOMPARE(open.summary, LedgerText::carriedOpening);
        QCOMPARE(open.date, QDate(2024, 3, 1));
        QCOMPARE(open.balance, m("1000"));
        QVERIFY(!open.debit && !open.credit);

        const LedgerLine& over1 = pages[0].lines.last();
        QCOMPARE(over1.summary, LedgerText::carriedForward);
        QCOMPARE(over1.debit, m("400.1001"));
        QCOMPARE(over1.credit, m("220.05"));
        QCOMPARE(over1.balance, m("1180.0501"));
        const LedgerLine& over2 = pages[1].lines.last();
        QCOMPARE(over2.debit, m("1414.4457"));
        QCOMPARE(over2.credit, m("1224.04"));
        QCOMPARE(over2.balance, m("1190.4057"));
        for (int i = 1; i < 3; ++i) {
            const LedgerLine& brought = pages[i].lines.first();
            const LedgerLine& carried = pages[i - 1].lines.last();
            QCOMPARE(brought.summary, LedgerText::broughtForward);
            QCOMPARE(brought.debit, carried.debit);
            QCOMPARE(brought.credit, carried.credit);
            QCOMPARE(brought.balance, carried.balance);
        }

        const LedgerLine& month = pages[2].lines[1];
        QCOMPARE(month.summary, LedgerText::monthTotal);
        QCOMPARE(month.date, QDate(2024, 3, 31));
        QCOMPARE(month.debit, m("1414.4457"));
        QCOMPARE(month.credit, m("1224.04"));
        QCOMPARE(month.balance, m("1190.4057"));
        const LedgerLine& year = pages[2].lines[2];
        QCOMPARE(year.summary, LedgerText::yearTotal);
        QCOMPARE(year.debit, m("6414.4457"));
        QCOMPARE(year.credit, m("5224.04"));
        QCOMPARE(year.balance, m("1190.4057"));

        // Running balances and the day totals.
        QCOMPARE(pages[0].lines[3].balance, m("1080.0501"));
        const LedgerLine& day1 = pages[0].lines[4];
        QCOMPARE(day1.summary, LedgerText::dayTotal);
        QCOMPARE(day1.debit, m("100.1001"));
        QCOMPARE(day1.credit, m("20.05"));
        QCOMPARE(day1.balance, m("1080.0501"));
        QVERIFY(!pages[0].lines[1].credit); // a zero amount stays blank
    }

    void dayTotalsSwitchedOff()
    {
        const QVector<LedgerPage> pages = layoutLedger(threePageBook(), {10, false});
        QCOMPARE(pages.size(), 2); // 1 + 12 + 2 lines: 9 on the first page, 6 after "承前页"
        for (const LedgerPage& p : pages)
            for (const LedgerLine& l : p.lines)
                QVERIFY(l.kind != Kind::DayTotal);
        QCOMPARE(pages[1].lines.first().debit, pages[0].lines.last().debit);
        QCOMPARE(pages[1].lines.last().debit, m("6414.4457"));
    }

    void emptyMonthHasOnePage()
    {
        LedgerBook b;
        b.year = 2024;
        b.month = 2;
        const QVector<LedgerPage> pages = layoutLedger(b, {});
        QCOMPARE(pages.size(), 1);
        QCOMPARE(kinds(pages[0]), QString::fromLatin1("opening month year").split(u' '));
        QCOMPARE(pages[0].lines[0].summary, LedgerText::opening);
        QCOMPARE(pages[0].lines[1].date, QDate(2024, 2, 29));
    }

    void amountsAsPrinted_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("printed");
        QTest::newRow("zero") << "0" << "0.00";
        QTest::newRow("thousands") << "1234567.5" << "1,234,567.50";
        QTest::newRow("rounded up") << "0.005" << "0.01";
        QTest::newRow("rounded down") << "999.9949" << "999.99";
        QTest::newRow("negative half") << "-1000.005" << "-1,000.01";
        QTest::newRow("three digits") << "-999" << "-999.00";
        QTest::newRow("largest") << "922337203685477.5807" << "922,337,203,685,477.58";
        QTest::newRow("smallest") << "-922337203685477.5807" << "-922,337,203,685,477.58";
    }
    void amountsAsPrinted()
    {
        QFETCH(QString, value);
        QFETCH(QString, printed);
        QCOMPARE(ledgerAmount(Money::parse(value).value()), printed);
    }

    void booksReadFromTheFile()
    {
        TestDatabase db;
        const QString me = QStringLiteral("张三"), other = QStringLiteral("李四"), icbc = QStringLiteral("工商银行");
        const auto cash = [](const char* when, const char* summary, const char* debit, const char* credit, const QString& user,
                             const char* detail = "", const char* code = "") {
            Entry e{QString::fromLatin1(when), QStringLiteral("v"), QString::fromUtf8(summary), QString::fromLatin1(debit),
                    QString::fromLatin1(credit), user};
            e.detail = QString::fromUtf8(detail);
            addCash(e);
            if (*code)
                TestDatabase::exec(QStringLiteral("UPDATE XJRJZ SET KeMuDM = ? WHERE autoID = last_insert_rowid()"), {QString::fromUtf8(code)});
        };
        cash("2023-12-31 10:00:00", "收款", "9", "", me);              // another year
        cash("2024-01-10 10:00:00", "收款", "100", "", me);            // earlier this year
        cash("2024-02-01 00:00:00", "期初金额", "70", "", me);          // an opening is no movement
        cash("2024-02-10 10:00:00", "付款", "", "30", me);
        cash("2024-03-01 00:00:00", "期初金额", "140", "", me, "上月结转");
        cash("2024-03-02 09:00:00", "收款", "10", "", me, "", "1002");
        cash("2024-03-02 08:00:00", "付款", "", "4", me, "办公用品");
        cash("2024-03-03 09:00:00", "收款", "55", "", other);           // another operator
        cash("2024-04-01 00:00:00", "收款", "1", "", me);               // the month after

        const QVector<LedgerBook> books = readLedgerBooks(JournalKind::Cash, 2024, 3, me);
        QCOMPARE(books.size(), 1);
        const LedgerBook& b = books[0];
        QCOMPARE(b.opening, m("140"));
        QVERIFY(b.carried);
        QCOMPARE(b.entries.size(), 2);
        QCOMPARE(b.entries[0].detail, QStringLiteral("办公用品")); // in date order
        QCOMPARE(b.entries[1].subjectCode, QStringLiteral("1002"));
        QVERIFY(b.hasCounterpart());
        QCOMPARE(b.yearDebitBefore, m("100"));
        QCOMPARE(b.yearCreditBefore, m("30"));
        const LedgerLine year = layoutLedger(b, {}).last().lines.last();
        QCOMPARE(year.debit, m("110"));
        QCOMPARE(year.credit, m("34"));
        QCOMPARE(year.balance, m("146"));

        QCOMPARE(readLedgerBooks(JournalKind::Cash, 2024, 3, {}).first().entries.size(), 3); // every operator
        const QVector<LedgerBook> none = readLedgerBooks(JournalKind::Cash, 2024, 5, me);
        QCOMPARE(none.size(), 1); // the cash book prints its opening even without entries
        QVERIFY(!none[0].carried);

        // Bank: one book per account, in name order, accounts matched without regard to case.
        const auto bank = [](const char* when, const QString& account, const char* summary, const char* debit, const QString& user) {
            Entry e{QString::fromLatin1(when), {}, QString::fromUtf8(summary), QString::fromLatin1(debit), {}, user};
            e.bank = account;
            addBank(e);
        };
        bank("2024-03-01 00:00:00", QStringLiteral("Bank B"), "期初金额", "500", me);
        bank("2024-03-05 10:00:00", QStringLiteral("bank b"), "收款", "5", me);
        bank("2024-03-06 10:00:00", QStringLiteral("Bank A"), "收款", "7", me);
        bank("2024-01-06 10:00:00", QStringLiteral("Bank A"), "收款", "3", me);
        bank("2024-03-06 10:00:00", icbc, "收款", "1", other);
        const QVector<LedgerBook> banks = readLedgerBooks(JournalKind::Bank, 2024, 3, me);
        QCOMPARE(banks.size(), 2);
        QCOMPARE(banks[0].account, QStringLiteral("Bank A"));
        QCOMPARE(banks[0].yearDebitBefore, m("3"));
        QCOMPARE(banks[0].opening, Money());
        QCOMPARE(banks[1].opening, m("500"));
        QVERIFY(!banks[1].carried);
        QCOMPARE(banks[1].entries.size(), 1);
    }
};

QTEST_MAIN(TestLedgerPages)
#include "test_ledger_pages.moc"
