// Month closing and reopening on real database files: carry entries and the next month's
// balances, months in order, reopening restoring the next month exactly, the year-to-date totals,
// the store's lock against raw SQL, and data initialisation clearing closed months.
#include "../journal/JournalFixture.h"

#include "AppError.h"
#include "Balances.h"
#include "ClosedMonths.h"
#include "Dataset.h"
#include "MonthClosing.h"
#include "Period.h"
#include "TestDatabase.h"
#include "u_.h"

#include "FakeMessages.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace JournalFixture;

namespace {
const QDateTime closedAt(QDate(2024, 4, 1), QTime(18, 0, 5));

QString dump(const QString& sql, const QVariantList& params = {}) { return TestDatabase::scalar(sql, params).toString(); }

// The carry entries of a journal: operator, account, category, debit, credit, balance, each
// with its date, summary, detail, subject code and mark checked for all.
QString carries(const QString& table, const QString& month)
{
    const bool bank = table == u"YHRJZ"_s;
    const QString date = TestDatabase::scalar(u"SELECT group_concat(DISTINCT YeWuRQ || '/' || ZhanYao || '/' || Detail || '/' || "
                                              "coalesce(KeMuDM, '-')) FROM %1 WHERE JieZhuanYue = ?"_s.arg(table),
                                              {month})
                             .toString();
    const QString rows = dump(u"SELECT group_concat(r, ' ') FROM (SELECT Fillter || '/' || %2 || '/' || JieFang || '/' || DaiFang "
                              "|| '/' || YuE AS r FROM %1 WHERE JieZhuanYue = ? ORDER BY autoID)"_s.arg(
                                  table, bank ? u"KaiHuBank || '/' || Shuxing"_s : u"ZhanYaoType"_s),
                              {month});
    return date + u" | "_s + rows;
}

// Every column of every entry, in key order: a journal byte for byte.
QString journal(const QString& table)
{
    return dump(u"SELECT group_concat(r, char(10)) FROM (SELECT quote(autoID) || quote(YeWuRQ) || quote(ZhanYao) || "
                "quote(JieFang) || quote(DaiFang) || quote(YuE) || quote(Fillter) || quote(JieZhuanYue) AS r FROM %1 ORDER BY autoID)"_s
                    .arg(table));
}

void rewriteMonth(const QString& month)
{
    for (JournalKind kind : {JournalKind::Cash, JournalKind::Bank}) {
        const Connection::Statement st = MonthClosing::monthRewrite(kind, month);
        TestDatabase::exec(st.sql, st.params);
    }
}

QString summaryOf(const QString& month)
{
    const Connection::Statement st = MonthClosing::monthSummary(month);
    QStringList out;
    Dataset d;
    d.open(st.sql, st.params);
    for (int r = 0; r < d.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < d.fieldCount(); ++c) {
            const QVariant v = d.valueAt(r, c);
            cells << (c >= 3 ? Money::fromStorage(v).toString() : v.toString());
        }
        out << cells.join(u'/');
    }
    return out.join(u'\n');
}

QString refusalOf(const std::function<void()>& fn)
{
    try {
        fn();
    } catch (const AppError& e) {
        return e.message();
    }
    return {};
}
} // namespace

class TestMonthClosing : public QObject {
    Q_OBJECT
    std::unique_ptr<TestDatabase> db;

private Q_SLOTS:
    void init()
    {
        db = std::make_unique<TestDatabase>(TestDatabase::Content::Delivered, QDateTime(QDate(2024, 3, 15), QTime(9, 30)));
        TestDatabase::exec(u"INSERT INTO ZhanYao (ZhanYao, ZYType, KuMuCode) VALUES ('期初金额', '增加', '1001')"_s);
    }
    void cleanup() { db.reset(); }

    // Cash with two operators, bank with two operators on two accounts; a negative balance and
    // a set that ends at zero are carried too.
    void closingCarriesEverySetIntoTheNextMonth()
    {
        addCash(u"2024-03-02 09:00:00"_s, u"100"_s, {});
        addCash(u"2024-03-09 09:00:00"_s, {}, u"30.5"_s);
        addCash(u"2024-03-05 09:00:00"_s, {}, u"20"_s, u"lisi"_s);
        const qlonglong april = addCash(u"2024-04-01 00:00:00"_s, u"7"_s, {}); // at the carry's instant
        addBank(u"2024-03-01 09:00:00"_s, u"50"_s, {}, u"工商银行"_s);
        addBank(u"2024-03-02 09:00:00"_s, u"10"_s, {}, u"建设银行"_s);
        addBank(u"2024-03-03 09:00:00"_s, {}, u"10"_s, u"建设银行"_s);
        addBank(u"2024-03-04 09:00:00"_s, {}, u"5"_s, u"工商银行"_s, u"lisi"_s);
        addBank(u"2024-03-31 23:59:59"_s, u"1000"_s, {}, u"建设银行"_s, u"lisi"_s);

        QCOMPARE(MonthClosing::monthToClose(GetPeriodDate()), u"2024-03"_s);
        MonthClosing::closeMonth(u"2024-03"_s, u"admin"_s, closedAt);

        QCOMPARE(dump(u"SELECT YueFen || ' ' || JieZhangSJ || ' ' || JieZhangRen FROM JieZhangYue"_s),
                 u"2024-03 2024-04-01 18:00:05 admin"_s);
        QCOMPARE(carries(u"XJRJZ"_s, u"2024-03"_s),
                 u"2024-04-01 00:00:00/期初金额/上月结转/1001 | admin/增加/695000/0/695000 lisi/减少/0/200000/-200000"_s);
        QCOMPARE(carries(u"YHRJZ"_s, u"2024-03"_s),
                 u"2024-04-01 00:00:00/期初金额/上月结转/1001 | admin/工商银行/增加/500000/0/500000 admin/建设银行/增加/0/0/0 "
                 "lisi/工商银行/减少/0/50000/-50000 lisi/建设银行/增加/10000000/0/10000000"_s);
        // March's balances were rewritten; April's run on from the carried line.
        QCOMPARE(dump(u"SELECT group_concat(YuE, ' ') FROM (SELECT YuE FROM XJRJZ WHERE Fillter = 'admin' ORDER BY YeWuRQ, JieZhuanYue IS NULL, autoID)"_s),
                 u"1000000 695000 695000 765000"_s);
        QCOMPARE(balanceOf(u"XJRJZ"_s, april), u"76.5"_s);
        QCOMPARE(GetPeriodDate(), u"2024-04-01"_s);
        QCOMPARE(MonthClosing::monthToClose(GetPeriodDate()), u"2024-04"_s);

        QCOMPARE(summaryOf(u"2024-03"_s),
                 u"现金日记账/admin//0/100/30.5/100/30.5/69.5\n"
                 "现金日记账/lisi//0/0/20/0/20/-20\n"
                 "银行日记账/admin/工商银行/0/50/0/50/0/50\n"
                 "银行日记账/admin/建设银行/0/10/10/10/10/0\n"
                 "银行日记账/lisi/工商银行/0/0/5/0/5/-5\n"
                 "银行日记账/lisi/建设银行/0/1000/0/1000/0/1000"_s);
        QCOMPARE(summaryOf(u"2024-04"_s).section(u'\n', 0, 1), u"现金日记账/admin//69.5/7/0/107/30.5/76.5\n"
                                                              "现金日记账/lisi//-20/0/0/0/20/-20"_s);
    }

    void monthsCloseInOrder()
    {
        QCOMPARE(MonthClosing::monthToClose(GetPeriodDate()), u"2024-03"_s); // no entries: the period's month
        addCash(u"2024-02-10 09:00:00"_s, u"1"_s, {});
        addBank(u"2024-03-10 09:00:00"_s, u"2"_s, {}, u"工商银行"_s);
        QCOMPARE(MonthClosing::monthToClose(GetPeriodDate()), u"2024-02"_s);
        QCOMPARE(MonthClosing::closeRefusal(u"2024-03"_s), u"请先结账2024年02月"_s);
        QCOMPARE(refusalOf([] { MonthClosing::closeMonth(u"2024-03"_s, u"admin"_s, closedAt); }), u"请先结账2024年02月"_s);
        QCOMPARE(ClosedMonths::all(), QStringList());

        MonthClosing::closeMonth(u"2024-02"_s, u"admin"_s, closedAt);
        QCOMPARE(MonthClosing::closeRefusal(u"2024-02"_s), u"2024年02月已结账"_s);
        // The period was already past February.
        QCOMPARE(GetPeriodDate(), u"2024-03-15"_s);
        QCOMPARE(MonthClosing::monthToClose(GetPeriodDate()), u"2024-03"_s);
        MonthClosing::closeMonth(u"2024-03"_s, u"admin"_s, closedAt);
        QCOMPARE(ClosedMonths::all(), (QStringList{u"2024-02"_s, u"2024-03"_s}));
        QCOMPARE(GetPeriodDate(), u"2024-04-01"_s);
        const QVector<MonthClosing::MonthState> states = MonthClosing::monthStates();
        QCOMPARE(states.size(), 3);
        QVERIFY(states[0].closed && states[1].closed && !states[2].closed);
        QCOMPARE(states[2].month, u"2024-04"_s);

        QCOMPARE(MonthClosing::monthToReopen(), u"2024-03"_s);
        QCOMPARE(MonthClosing::reopenRefusal(u"2024-02"_s), u"请先反结账2024年03月"_s);
        QCOMPARE(refusalOf([] { MonthClosing::reopenMonth(u"2024-02"_s); }), u"请先反结账2024年03月"_s);
        QCOMPARE(MonthClosing::reopenRefusal(u"2024-04"_s), u"2024年04月未结账"_s);
    }

    // Reopening takes out exactly what the closing put in: the next month's balances come back
    // byte for byte.
    void reopenRestoresTheNextMonthExactly()
    {
        addCash(u"2024-03-02 09:00:00"_s, u"100"_s, {});
        addCash(u"2024-04-02 09:00:00"_s, {}, u"40"_s);
        addCash(u"2024-04-03 09:00:00"_s, u"1.0001"_s, {}, u"lisi"_s);
        addBank(u"2024-03-02 09:00:00"_s, {}, u"8"_s, u"工商银行"_s);
        addBank(u"2024-04-02 09:00:00"_s, u"3"_s, {}, u"工商银行"_s);
        rewriteMonth(u"2024-03"_s);
        rewriteMonth(u"2024-04"_s);
        const QString cash = journal(u"XJRJZ"_s), bank = journal(u"YHRJZ"_s);

        MonthClosing::closeMonth(u"2024-03"_s, u"admin"_s, closedAt);
        QVERIFY(journal(u"XJRJZ"_s) != cash);
        QCOMPARE(balanceOf(u"XJRJZ"_s, 2), u"60"_s);
        MonthClosing::reopenMonth(u"2024-03"_s);

        QCOMPARE(journal(u"XJRJZ"_s), cash);
        QCOMPARE(journal(u"YHRJZ"_s), bank);
        QCOMPARE(ClosedMonths::all(), QStringList());
        QCOMPARE(GetPeriodDate(), u"2024-03-01"_s);
        // Reopened, the month takes changes again.
        TestDatabase::exec(u"UPDATE XJRJZ SET Detail = 'x' WHERE YeWuRQ < '2024-04'"_s);
    }

    // 本年累计 runs from January: December's entries and every "期初金额" line stay out.
    void yearToDateAcrossTheYearBoundary()
    {
        TestDatabase::exec(u"UPDATE FinscalYearMonth SET YearMonth = '2023-12-01 00:00:00'"_s);
        addCash(u"2023-12-01 00:00:00"_s, u"90"_s, {}, u"admin"_s, u"期初金额"_s);
        addCash(u"2023-12-20 09:00:00"_s, u"10"_s, {});
        addCash(u"2024-01-05 09:00:00"_s, u"10"_s, {});
        addCash(u"2024-01-06 09:00:00"_s, {}, u"3"_s);
        addCash(u"2024-02-06 09:00:00"_s, u"5"_s, {});
        QCOMPARE(summaryOf(u"2023-12"_s), u"现金日记账/admin//90/10/0/10/0/100"_s);
        MonthClosing::closeMonth(u"2023-12"_s, u"admin"_s, closedAt);
        QCOMPARE(summaryOf(u"2024-01"_s), u"现金日记账/admin//100/10/3/10/3/107"_s);
        MonthClosing::closeMonth(u"2024-01"_s, u"admin"_s, closedAt);
        QCOMPARE(summaryOf(u"2024-02"_s), u"现金日记账/admin//107/5/0/15/3/112"_s);
        QCOMPARE(GetPeriodDate(), u"2024-02-01"_s);
    }

    // The store refuses every change touching a closed month, whoever sends it.
    void closedMonthRefusesRawSql_data()
    {
        QTest::addColumn<QString>("sql");
        const QString march = u"(SELECT autoID FROM XJRJZ WHERE YeWuRQ < '2024-04' AND JieZhuanYue IS NULL LIMIT 1)"_s;
        QTest::newRow("insert cash") << u"INSERT INTO XJRJZ (YeWuRQ, JieFang) VALUES ('2024-03-31 23:59:59', 1)"_s;
        QTest::newRow("insert bank") << u"INSERT INTO YHRJZ (yewuRQ, JieFang) VALUES ('2024-03-01 00:00:00', 1)"_s;
        QTest::newRow("update") << u"UPDATE XJRJZ SET JieFang = 5 WHERE autoID = %1"_s.arg(march);
        QTest::newRow("letter case") << u"UPDATE XJRJZ SET Fillter = 'ADMIN' WHERE autoID = %1"_s.arg(march);
        QTest::newRow("balance") << u"UPDATE XJRJZ SET YuE = YuE + 1 WHERE autoID = %1"_s.arg(march);
        QTest::newRow("delete") << u"DELETE FROM XJRJZ WHERE autoID = %1"_s.arg(march);
        QTest::newRow("delete all bank") << u"DELETE FROM YHRJZ"_s;
        QTest::newRow("move out") << u"UPDATE XJRJZ SET YeWuRQ = '2024-04-02 09:00:00' WHERE autoID = %1"_s.arg(march);
        QTest::newRow("move in") << u"UPDATE YHRJZ SET yewuRQ = '2024-03-30 09:00:00' WHERE yewuRQ = '2024-04-02 09:00:00'"_s;
    }
    void closedMonthRefusesRawSql()
    {
        QFETCH(QString, sql);
        addCash(u"2024-03-02 09:00:00"_s, u"100"_s, {});
        addBank(u"2024-03-02 09:00:00"_s, u"1"_s, {}, u"工商银行"_s);
        addBank(u"2024-04-02 09:00:00"_s, u"1"_s, {}, u"工商银行"_s);
        MonthClosing::closeMonth(u"2024-03"_s, u"admin"_s, closedAt);
        const QString cash = journal(u"XJRJZ"_s), bank = journal(u"YHRJZ"_s);
        QCOMPARE(refusalOf([&] { TestDatabase::exec(sql); }), u"2024年03月已结账，不能修改"_s);
        QCOMPARE(journal(u"XJRJZ"_s), cash);
        QCOMPARE(journal(u"YHRJZ"_s), bank);
        // A rewrite that changes no value passes.
        TestDatabase::exec(u"UPDATE XJRJZ SET YuE = YuE, JieFang = JieFang"_s);
        const Journals::Statement st = Journals::balanceRewrite(JournalKind::Cash, u"2024-03-01"_s, u"admin"_s);
        TestDatabase::exec(st.sql, st.params);
    }

    // Only closing and reopening make, change or remove a carry entry; the balance rewrite of its
    // open month still moves its balance.
    void carryEntriesChangeOnlyThroughClosing_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("said");
        const QString carry = u"(SELECT autoID FROM XJRJZ WHERE JieZhuanYue IS NOT NULL)"_s;
        QTest::newRow("detail") << u"UPDATE XJRJZ SET Detail = '改' WHERE autoID = %1"_s.arg(carry) << u"修改"_s;
        QTest::newRow("amount") << u"UPDATE XJRJZ SET JieFang = 1 WHERE autoID = %1"_s.arg(carry) << u"修改"_s;
        QTest::newRow("unmark") << u"UPDATE XJRJZ SET JieZhuanYue = NULL WHERE autoID = %1"_s.arg(carry) << u"修改"_s;
        QTest::newRow("mark another") << u"UPDATE XJRJZ SET JieZhuanYue = '2024-03' WHERE JieZhuanYue IS NULL AND YeWuRQ >= '2024-04'"_s
                                      << u"修改"_s;
        QTest::newRow("delete") << u"DELETE FROM XJRJZ WHERE autoID = %1"_s.arg(carry) << u"删除"_s;
        QTest::newRow("forge") << u"INSERT INTO XJRJZ (YeWuRQ, JieZhuanYue) VALUES ('2024-05-01 00:00:00', '2024-04')"_s << u"生成"_s;
    }
    void carryEntriesChangeOnlyThroughClosing()
    {
        QFETCH(QString, sql);
        QFETCH(QString, said);
        addCash(u"2024-03-02 09:00:00"_s, u"100"_s, {});
        const qlonglong april = addCash(u"2024-04-02 09:00:00"_s, u"1"_s, {});
        MonthClosing::closeMonth(u"2024-03"_s, u"admin"_s, closedAt);
        const QString before = journal(u"XJRJZ"_s);
        const QString refusal = refusalOf([&] { TestDatabase::exec(sql); });
        QVERIFY2(refusal.startsWith(u"上月结转的期初金额只能由"_s) && refusal.contains(said), qPrintable(refusal));
        QCOMPARE(journal(u"XJRJZ"_s), before);
        // The journals' own rewrite writes every row of the set, the carry included.
        const Journals::Statement st = Journals::balanceRewrite(JournalKind::Cash, u"2024-04-01"_s, u"admin"_s);
        TestDatabase::exec(st.sql, st.params);
        QCOMPARE(balanceOf(u"XJRJZ"_s, april), u"101"_s);
    }

    // A month closed without the program still refuses, with the general text.
    void monthClosedByHandStillRefuses()
    {
        addCash(u"2024-02-02 09:00:00"_s, u"1"_s, {});
        TestDatabase::exec(u"INSERT INTO JieZhangYue (YueFen) VALUES ('2024-02')"_s);
        QCOMPARE(refusalOf([] { TestDatabase::exec(u"DELETE FROM XJRJZ"_s); }), u"该月已结账，不能修改"_s);
    }

    // Data initialisation empties closed months too; once both journals are empty the closings go.
    void dataInitialisationClearsClosedMonths()
    {
        FakeMessages messages;
        addCash(u"2024-03-02 09:00:00"_s, u"100"_s, {});
        addBank(u"2024-03-02 09:00:00"_s, u"1"_s, {}, u"工商银行"_s);
        MonthClosing::closeMonth(u"2024-03"_s, u"admin"_s, closedAt);

        DataInitialisation::run(true, false, nullptr);
        QCOMPARE(count(u"XJRJZ"_s), 0);
        QCOMPARE(ClosedMonths::all(), QStringList{u"2024-03"_s});
        QCOMPARE(refusalOf([] { TestDatabase::exec(u"INSERT INTO XJRJZ (YeWuRQ) VALUES ('2024-03-05 00:00:00')"_s); }),
                 u"2024年03月已结账，不能修改"_s);

        DataInitialisation::run(false, true, nullptr);
        QCOMPARE(count(u"YHRJZ"_s), 0);
        QCOMPARE(ClosedMonths::all(), QStringList());
        TestDatabase::exec(u"INSERT INTO XJRJZ (YeWuRQ) VALUES ('2024-03-05 00:00:00')"_s);
        QCOMPARE(dump(u"SELECT count(*) FROM sqlite_temp_master"_s), u"0"_s);
        QCOMPARE(messages.texts(), (QStringList{u"现金日记账信息已初始化完毕"_s, u"银行日记账信息已初始化完毕"_s}));
    }
};

QTEST_MAIN(TestMonthClosing)
#include "test_month_closing.moc"
