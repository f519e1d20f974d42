// The statistics statements against real database files: groups, ranges and exact sums.
#include "Connection.h"
#include "ReportFixture.h"
#include "Statistics.h"

#include <QTest>

namespace {
const QString me = QStringLiteral("张三");

// Each result row as "group…|JF|DF|SR" with money as plain numbers, sorted for comparison.
QStringList rowsOf(const Connection::Statement& st)
{
    const Rows found = Connection::instance().rows(st.sql, st.params);
    QStringList out;
    for (const auto& row : found.rows) {
        QStringList cells;
        for (int i = 0; i < found.fields.size(); ++i) {
            const QString name = found.fields[i];
            const QVariant v = row[i];
            if (name == QLatin1String("JF") || name == QLatin1String("DF") || name == QLatin1String("SR"))
                cells << Money::fromStorage(v).toString();
            else
                cells << v.toString();
        }
        out << cells.join(u'|');
    }
    out.sort();
    return out;
}

// Expected rows, sorted like rowsOf's.
QStringList rowsL(std::initializer_list<const char*> rows)
{
    QStringList out;
    for (const char* r : rows)
        out << QString::fromUtf8(r);
    out.sort();
    return out;
}

QStringList fieldsOf(const Connection::Statement& st)
{
    return Connection::instance().rows(st.sql, st.params).fields;
}

void addYearEntries()
{
    for (auto add : {addCash, addBank}) {
        add({.when = QStringLiteral("2023-12-31 23:59:59"), .voucher = {}, .summary = QStringLiteral("杂费"), .debit = QStringLiteral("1"), .bank = QStringLiteral("工行")});
        add({.when = QStringLiteral("2024-01-01 00:00:00"), .voucher = {}, .summary = QStringLiteral("收款"), .debit = QStringLiteral("1000.5"), .bank = QStringLiteral("工行")});
        add({.when = QStringLiteral("2024-01-15 10:00:00"), .voucher = {}, .summary = QStringLiteral("付款"), .credit = QStringLiteral("300.25"), .bank = QStringLiteral("工行")});
        add({.when = QStringLiteral("2024-01-20 08:00:00"), .voucher = {}, .summary = QStringLiteral("期初金额"), .debit = QStringLiteral("5000"), .bank = QStringLiteral("工行")});
        add({.when = QStringLiteral("2024-01-31 23:59:59"), .voucher = {}, .summary = QStringLiteral("收款"), .debit = QStringLiteral("0.0001"), .bank = QStringLiteral("建行")});
        add({.when = QStringLiteral("2024-02-10 09:00:00"), .voucher = {}, .summary = QStringLiteral("收款"), .debit = QStringLiteral("200"), .credit = QStringLiteral("50"), .bank = QStringLiteral("工行")});
        add({.when = QStringLiteral("2024-02-10 09:00:00"), .voucher = {}, .summary = QStringLiteral("收款"), .debit = QStringLiteral("7777"), .user = QStringLiteral("李雷"), .bank = QStringLiteral("工行")});
        add({.when = QStringLiteral("2024-12-31 23:59:59"), .voucher = {}, .summary = QStringLiteral("付款"), .credit = QStringLiteral("10"), .bank = QStringLiteral("建行")});
        add({.when = QStringLiteral("2030-06-01 12:00:00"), .voucher = {}, .summary = QStringLiteral("收款"), .debit = QStringLiteral("3"), .bank = QStringLiteral("工行")});
    }
}

void addRangeEntries()
{
    for (auto add : {addCash, addBank}) {
        add({.when = QStringLiteral("2024-05-01 00:00:00"), .voucher = {}, .summary = QStringLiteral("办公费"), .debit = QStringLiteral("10"), .bank = QStringLiteral("工行")});
        add({.when = QStringLiteral("2024-05-01 00:00:00"), .voucher = {}, .summary = QStringLiteral("办公费"), .debit = QStringLiteral("0.25"), .bank = QStringLiteral("建行")});
        add({.when = QStringLiteral("2024-05-01 08:00:00"), .voucher = {}, .summary = QStringLiteral("办公费"), .debit = QStringLiteral("20"), .bank = QStringLiteral("工行")});
        add({.when = QStringLiteral("2024-05-01 08:00:00"), .voucher = {}, .summary = QStringLiteral("差旅费"), .credit = QStringLiteral("4.5"), .bank = QStringLiteral("工行")});
        add({.when = QStringLiteral("2024-05-01 00:00:00"), .voucher = {}, .summary = QStringLiteral("期初金额"), .debit = QStringLiteral("999"), .bank = QStringLiteral("工行")});
        add({.when = QStringLiteral("2024-05-01 00:00:00"), .voucher = {}, .summary = QStringLiteral("办公费"), .debit = QStringLiteral("1000"), .user = QStringLiteral("李雷"), .bank = QStringLiteral("工行")});
        add({.when = QStringLiteral("2024-05-02 00:00:00"), .voucher = {}, .summary = QStringLiteral("差旅费"), .credit = QStringLiteral("5"), .bank = QStringLiteral("工行")});
        add({.when = QStringLiteral("2024-05-02 00:00:01"), .voucher = {}, .summary = QStringLiteral("差旅费"), .credit = QStringLiteral("7"), .bank = QStringLiteral("工行")});
        add({.when = QStringLiteral("2024-04-30 23:59:59"), .voucher = {}, .summary = QStringLiteral("办公费"), .debit = QStringLiteral("8"), .bank = QStringLiteral("工行")});
    }
}
}

class TestStatistics : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void emptyStatementsHaveTheColumnsAndNoRows_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("fields");
        QTest::newRow("cash per month") << int(StatKind::CashYearMonth) << "yeardu monthF JF DF SR";
        QTest::newRow("bank per month") << int(StatKind::BankYearMonth) << "yeardu monthF KaiHuBank JF DF SR";
        QTest::newRow("cash by summary") << int(StatKind::CashBySummary) << "ZhanYao JF DF SR";
        QTest::newRow("bank by summary") << int(StatKind::BankBySummary) << "KaiHuBank ZhanYao JF DF SR";
        QTest::newRow("cash by day") << int(StatKind::CashByDay) << "yewurq JF DF SR";
        QTest::newRow("bank by day") << int(StatKind::BankByDay) << "yewurq KaiHuBank JF DF SR";
    }
    void emptyStatementsHaveTheColumnsAndNoRows()
    {
        QFETCH(int, kind);
        QFETCH(QString, fields);
        TestDatabase db;
        addYearEntries();
        addRangeEntries();
        const Connection::Statement st = emptyStatistics(StatKind(kind));
        QCOMPARE(fieldsOf(st).join(u' '), fields);
        QCOMPARE(rowsOf(st), QStringList());
    }

    void perMonth_data()
    {
        QTest::addColumn<bool>("bank");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QStringList>("rows");
        // Opening balances (5000) and the other operator's 7777 are never counted.
        QTest::newRow("cash 2024") << false << "2024" << "张三"
                                   << rowsL({"2024|1|1000.5001|300.25|700.2501", "2024|12|0|10|-10", "2024|2|200|50|150"});
        QTest::newRow("bank 2024 per account") << true << "2024" << "张三"
                                               << rowsL({"2024|1|工行|1000.5|300.25|700.25", "2024|1|建行|0.0001|0|0.0001",
                                                              "2024|12|建行|0|10|-10", "2024|2|工行|200|50|150"});
        QTest::newRow("year beyond the list") << false << "2030" << "张三" << rowsL({"2030|6|3|0|3"});
        QTest::newRow("year with a leading zero") << false << "02023" << "张三" << rowsL({"2023|12|1|0|1"});
        QTest::newRow("year without entries") << false << "2025" << "张三" << QStringList();
        QTest::newRow("other operator") << false << "2024" << "李雷" << rowsL({"2024|2|7777|0|7777"});
        QTest::newRow("operator with a quote") << false << "2024" << "O'Neil" << QStringList();
        QTest::newRow("not a year") << false << "99999" << "张三" << QStringList();
        QTest::newRow("year zero") << false << "0" << "张三" << QStringList();
    }
    void perMonth()
    {
        QFETCH(bool, bank);
        QFETCH(QString, year);
        QFETCH(QString, user);
        QFETCH(QStringList, rows);
        TestDatabase db;
        addYearEntries();
        const Connection::Statement st = yearMonthStatistics(bank ? JournalKind::Bank : JournalKind::Cash, year, user);
        QCOMPARE(rowsOf(st), rows);
        if (year.size() >= 4)
            QVERIFY(!st.sql.contains(year));
        QVERIFY(!st.sql.contains(u'\''));
    }

    void bySummary_data()
    {
        QTest::addColumn<bool>("bank");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QString>("account");
        QTest::addColumn<QStringList>("rows");
        const QDate d1(2024, 5, 1), d2(2024, 5, 2);
        QTest::newRow("cash same day: only midnight") << false << d1 << d1 << QString() << rowsL({"办公费|10.25|0|10.25"});
        QTest::newRow("cash two days: end day after midnight left out") << false << d1 << d2 << QString()
                                                                       << rowsL({"办公费|30.25|0|30.25", "差旅费|0|9.5|-9.5"});
        QTest::newRow("cash start after end") << false << d2 << d1 << QString() << QStringList();
        QTest::newRow("bank every account") << true << d1 << d2 << QString()
                                            << rowsL({"工行|办公费|30|0|30", "工行|差旅费|0|9.5|-9.5", "建行|办公费|0.25|0|0.25"});
        QTest::newRow("bank one account with blanks") << true << d1 << d2 << QStringLiteral(" 建行 ") << rowsL({"建行|办公费|0.25|0|0.25"});
        QTest::newRow("bank unknown account") << true << d1 << d2 << QStringLiteral("农行") << QStringList();
        QTest::newRow("cash ignores an account") << false << d1 << d1 << QStringLiteral("建行") << rowsL({"办公费|10.25|0|10.25"});
    }
    void bySummary()
    {
        QFETCH(bool, bank);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(QString, account);
        QFETCH(QStringList, rows);
        TestDatabase db;
        addRangeEntries();
        QCOMPARE(rowsOf(bySummaryStatistics(bank ? JournalKind::Bank : JournalKind::Cash, from, to, me, account)), rows);
    }

    void byDay_data()
    {
        QTest::addColumn<bool>("bank");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QStringList>("rows");
        const QDate d1(2024, 5, 1), d2(2024, 5, 2);
        // Every operator counts here: the 1000 of 李雷 is in the midnight row.
        QTest::newRow("cash one row per stamp") << false << d1 << d2
                                                << rowsL({"2024-05-01 00:00:00|1010.25|0|1010.25", "2024-05-01 08:00:00|20|4.5|15.5",
                                                               "2024-05-02 00:00:00|0|5|-5"});
        QTest::newRow("cash same day") << false << d1 << d1 << rowsL({"2024-05-01 00:00:00|1010.25|0|1010.25"});
        QTest::newRow("bank two accounts at one stamp") << true << d1 << d1
                                                        << rowsL({"2024-05-01 00:00:00|工行|1010|0|1010", "2024-05-01 00:00:00|建行|0.25|0|0.25"});
        QTest::newRow("bank two days") << true << d1 << d2
                                       << rowsL({"2024-05-01 00:00:00|工行|1010|0|1010", "2024-05-01 00:00:00|建行|0.25|0|0.25",
                                                      "2024-05-01 08:00:00|工行|20|4.5|15.5", "2024-05-02 00:00:00|工行|0|5|-5"});
        QTest::newRow("the day before") << false << QDate(2024, 4, 30) << QDate(2024, 4, 30) << QStringList();
    }
    void byDay()
    {
        QFETCH(bool, bank);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(QStringList, rows);
        TestDatabase db;
        addRangeEntries();
        QCOMPARE(rowsOf(byDayStatistics(bank ? JournalKind::Bank : JournalKind::Cash, from, to)), rows);
    }

    void manySmallAmountsSumExactly()
    {
        TestDatabase db;
        {
            Transaction t;
            for (int i = 0; i < 10000; ++i)
                addCash({.when = QStringLiteral("2024-07-01 00:00:00"), .voucher = {}, .summary = QStringLiteral("零钱"),
                         .debit = QStringLiteral("0.0001"), .credit = QStringLiteral("0.0003")});
            t.commit();
        }
        QCOMPARE(rowsOf(bySummaryStatistics(JournalKind::Cash, QDate(2024, 7, 1), QDate(2024, 7, 1), me)),
                 rowsL({"零钱|1|3|-2"}));
        QCOMPARE(rowsOf(yearMonthStatistics(JournalKind::Cash, QStringLiteral("2024"), me)), rowsL({"2024|7|1|3|-2"}));
    }

    void statementsSearchAnIndex_data()
    {
        QTest::addColumn<int>("which");
        const char* names[] = {"cash per month", "bank per month", "cash by summary", "bank by summary",
                               "bank by summary, one account", "cash by day", "bank by day", "search"};
        for (int i = 0; i < 8; ++i)
            QTest::newRow(names[i]) << i;
    }
    void statementsSearchAnIndex()
    {
        QFETCH(int, which);
        TestDatabase db;
        addYearEntries();
        const QDate d1(2024, 1, 1), d2(2024, 12, 31);
        SearchCriteria c;
        c.from = d1;
        c.to = d2;
        c.summary = QStringLiteral("收款");
        const Connection::Statement st[] = {
            yearMonthStatistics(JournalKind::Cash, QStringLiteral("2024"), me),
            yearMonthStatistics(JournalKind::Bank, QStringLiteral("2024"), me),
            bySummaryStatistics(JournalKind::Cash, d1, d2, me),
            bySummaryStatistics(JournalKind::Bank, d1, d2, me),
            bySummaryStatistics(JournalKind::Bank, d1, d2, me, QStringLiteral("工行")),
            byDayStatistics(JournalKind::Cash, d1, d2),
            byDayStatistics(JournalKind::Bank, d1, d2),
            buildSearch(JournalKind::Cash, c, me),
        };
        QStringList plan;
        for (const auto& row : Connection::instance().rows(QStringLiteral("EXPLAIN QUERY PLAN ") + st[which].sql, st[which].params).rows)
            plan << row[3].toString();
        QVERIFY2(plan.value(0).startsWith(QLatin1String("SEARCH ")) && plan.value(0).contains(QLatin1String("USING INDEX")),
                 qPrintable(plan.join(QStringLiteral("; "))));
    }

    void entryWithoutSummaryIsCounted()
    {
        TestDatabase db;
        TestDatabase::exec(QStringLiteral("INSERT INTO XJRJZ (YeWuRQ, JieFang, Fillter) VALUES ('2024-05-01 00:00:00', 50000, ?)"), {me});
        QCOMPARE(rowsOf(yearMonthStatistics(JournalKind::Cash, QStringLiteral("2024"), me)), rowsL({"2024|5|5|0|5"}));
        QCOMPARE(rowsOf(byDayStatistics(JournalKind::Cash, QDate(2024, 5, 1), QDate(2024, 5, 1))), rowsL({"2024-05-01 00:00:00|5|0|5"}));
    }
};

QTEST_GUILESS_MAIN(TestStatistics)
#include "test_statistics.moc"
