// The running balance on real database files: the rewrite of a set, and the save and delete
// that run it in one transaction.
#include "Balances.h"
#include "JournalFixture.h"
#include "TestDatabase.h"

#include "AppError.h"
#include "Dataset.h"

#include <QTest>

using namespace JournalFixture;

namespace {
QStringList sl(std::initializer_list<const char*> items)
{
    QStringList out;
    for (const char* i : items)
        out << QString::fromUtf8(i);
    return out;
}

const QString period = QStringLiteral("2024-03-15");
const QString admin = QStringLiteral("admin");

// "when|debit|credit|operator|account" → key
qlonglong addFrom(JournalKind kind, const QString& spec)
{
    const QStringList p = spec.split(u'|');
    const QString user = p.value(3).isEmpty() ? admin : p.value(3);
    if (kind == JournalKind::Cash)
        return addCash(p.value(0), p.value(1), p.value(2), user);
    return addBank(p.value(0), p.value(1), p.value(2), p.value(4), user);
}

QStringList listedKeys(const Dataset& list)
{
    QStringList keys;
    const int k = list.fieldIndex(QStringLiteral("autoID"));
    for (int r = 0; r < list.rowCount(); ++r)
        keys << list.valueAt(r, k).toString();
    return keys;
}

// A new cash entry in the list, stamped as the dialog stamps it.
void appendCash(Dataset& list, const QString& when, const QString& debit, const QString& credit)
{
    list.append();
    list.setValue(QStringLiteral("YeWuRQ"), when);
    list.setValue(QStringLiteral("ZhanYao"), QStringLiteral("销售收入"));
    list.setValue(QStringLiteral("Fillter"), admin);
    list.setValue(QStringLiteral("JieFang"), amount(debit));
    list.setValue(QStringLiteral("DaiFang"), amount(credit));
}

// Entries whose stored balance breaks the running-sum rule of their own set (operator, month,
// for the bank account), as "key=stored/expected".
QStringList brokenBalances(JournalKind kind)
{
    const JournalDesign& d = designOf(kind);
    const QString account = d.isBank() ? QStringLiteral(", KaiHuBank") : QString();
    QSqlQuery q = Connection::instance().run(
        QStringLiteral("SELECT autoID, YuE, running FROM (SELECT autoID, YuE, sum(coalesce(JieFang, 0) - coalesce(DaiFang, 0)) "
                       "OVER (PARTITION BY Fillter, substr(%2, 1, 7)%3 ORDER BY %2, autoID "
                       "ROWS BETWEEN UNBOUNDED PRECEDING AND CURRENT ROW) AS running FROM %1) WHERE YuE IS NOT running")
            .arg(d.table, d.dateField, account));
    QStringList out;
    while (q.next())
        out << QStringLiteral("%1=%2/%3").arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString());
    return out;
}

void failOnUpdateOf(const QString& table, qlonglong id)
{
    TestDatabase::exec(QStringLiteral("CREATE TRIGGER refuse_balance BEFORE UPDATE OF YuE ON %1 WHEN NEW.autoID = %2 "
                                      "BEGIN SELECT RAISE(ABORT, 'balance refused'); END")
                           .arg(table)
                           .arg(id));
}
} // namespace

class TestBalances : public QObject {
    Q_OBJECT
    std::unique_ptr<TestDatabase> db;

private Q_SLOTS:
    void init() { db = std::make_unique<TestDatabase>(); }
    void cleanup() { db.reset(); }

    void rewritesTheSet_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("entries");  // in insertion (key) order
        QTest::addColumn<QString>("account");
        QTest::addColumn<QStringList>("expected"); // balance per entry, "-" when untouched
        QTest::addColumn<int>("listed");           // rows the list holds afterwards

        const int cash = int(JournalKind::Cash), bank = int(JournalKind::Bank);
        QTest::newRow("first entry of a month starts from zero")
            << cash
            << sl({"2024-02-29 23:59:59|500||", "2024-03-01 00:00:00|100||", "2024-03-31 23:59:59||30|",
                           "2024-04-01 00:00:00|5||"})
            << QString() << sl({"-", "100", "70", "-"}) << 2;
        QTest::newRow("empty or zero amounts repeat the previous balance")
            << cash
            << sl({"2024-03-02 08:00:00|||", "2024-03-03 08:00:00|10||", "2024-03-04 08:00:00|0|0|",
                           "2024-03-05 08:00:00|||"})
            << QString() << sl({"0", "10", "10", "10"}) << 4;
        QTest::newRow("date order, not key order")
            << cash << sl({"2024-03-20 08:00:00|5||", "2024-03-10 08:00:00|100||", "2024-03-15 08:00:00||40|"})
            << QString() << sl({"65", "100", "60"}) << 3;
        QTest::newRow("a balance may be negative")
            << cash << sl({"2024-03-02 08:00:00||50|", "2024-03-03 08:00:00|20||"}) << QString()
            << sl({"-50", "-30"}) << 2;
        QTest::newRow("equal time stamps run in key order")
            << cash
            << sl({"2024-03-09 10:00:00|10||", "2024-03-09 10:00:00||3|", "2024-03-09 10:00:00|5||",
                           "2024-03-09 10:00:01|1||"})
            << QString() << sl({"10", "7", "12", "13"}) << 4;
        QTest::newRow("another operator's entries are untouched")
            << cash
            << sl({"2024-03-02 08:00:00|10||", "2024-03-02 09:00:00|99||bob", "2024-03-03 08:00:00|1||ADMIN"})
            << QString() << sl({"10", "-", "11"}) << 2;
        QTest::newRow("four decimals sum exactly")
            << cash
            << sl({"2024-03-02 08:00:00|0.0001||", "2024-03-02 08:00:01|0.0002||", "2024-03-02 08:00:02||0.0003|",
                           "2024-03-02 08:00:03|12345678901.2345||"})
            << QString() << sl({"0.0001", "0.0003", "0", "12345678901.2345"}) << 4;
        QTest::newRow("bank accounts on the same day are independent")
            << bank
            << sl({"2024-03-05 09:00:00|100|||A", "2024-03-05 09:00:00|1000|||B", "2024-03-05 10:00:00||30||A",
                           "2024-03-05 10:00:00||300||B"})
            << QStringLiteral("A") << sl({"100", "-", "70", "-"}) << 2;
        QTest::newRow("bank account compares without letter case")
            << bank << sl({"2024-03-05 09:00:00|100|||icbc", "2024-03-06 09:00:00|1|||ICBC"})
            << QStringLiteral("Icbc") << sl({"100", "101"}) << 2;
        QTest::newRow("bank: other operator and month untouched")
            << bank
            << sl({"2024-03-05 09:00:00|100|||A", "2024-03-05 09:00:00|7||bob|A", "2024-02-05 09:00:00|7|||A"})
            << QStringLiteral("A") << sl({"100", "-", "-"}) << 1;
    }
    void rewritesTheSet()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, entries);
        QFETCH(QString, account);
        QFETCH(QStringList, expected);
        QFETCH(int, listed);
        const auto k = JournalKind(kind);
        const QString table = designOf(k).table;
        QList<qlonglong> keys;
        for (const QString& e : entries)
            keys << addFrom(k, e);

        Dataset list;
        RewriteBalances(list, k, period, admin, account);

        QStringList got;
        for (qlonglong id : keys)
            got << balanceOf(table, id);
        QCOMPARE(got, expected);
        QCOMPARE(list.rowCount(), listed);
        QCOMPARE(list.currentRow(), listed - 1);
        QCOMPARE(list.state(), Dataset::State::Browsing);
        // The list shows the stored balances, in the set's order: each balance follows from the last.
        Money running;
        for (int r = 0; r < list.rowCount(); ++r) {
            running += Money::fromStorage(list.valueAt(r, list.fieldIndex(QStringLiteral("JieFang"))));
            running -= Money::fromStorage(list.valueAt(r, list.fieldIndex(QStringLiteral("DaiFang"))));
            QCOMPARE(Money::fromStorage(list.valueAt(r, list.fieldIndex(QStringLiteral("YuE")))), running);
        }
    }

    void tenThousandSmallAmountsShowNoDrift()
    {
        TestDatabase::exec(QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 9999) "
            "INSERT INTO XJRJZ (YeWuRQ, JieFang, Fillter) SELECT printf('2024-03-%02d %02d:%02d:%02d', 1 + i / 3600 % 28, i / 60 % 60, i % 60, i % 7), 1, 'admin' FROM n"));
        Dataset list;
        RewriteBalances(list, JournalKind::Cash, period, admin);
        QCOMPARE(list.rowCount(), 10000);
        QCOMPARE(list.money(QStringLiteral("YuE")).toString(), QStringLiteral("1"));
        QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT max(YuE) FROM XJRJZ")).toLongLong(), 10000);
    }

    void anEmptySetWritesNothingAndListsNothing()
    {
        const qlonglong other = addCash(QStringLiteral("2024-02-01 08:00:00"), QStringLiteral("5"), QString());
        Dataset list;
        RewriteBalances(list, JournalKind::Cash, period, admin);
        QVERIFY(list.isOpen());
        QCOMPARE(list.rowCount(), 0);
        QCOMPARE(balanceOf(QStringLiteral("XJRJZ"), other), QStringLiteral("-"));
    }

    void savingBeforeOthersChangesOnlyLaterBalances()
    {
        const qlonglong early = addCash(QStringLiteral("2024-03-01 08:00:00"), QStringLiteral("10"), QString());
        const qlonglong late = addCash(QStringLiteral("2024-03-20 08:00:00"), QStringLiteral("5"), QString());
        Dataset list;
        RewriteBalances(list, JournalKind::Cash, period, admin);
        QCOMPARE(balanceOf(QStringLiteral("XJRJZ"), late), QStringLiteral("15"));

        appendCash(list, QStringLiteral("2024-03-10 08:00:00"), QString(), QStringLiteral("2.5"));
        Journals::SaveEntry(list, JournalKind::Cash, period, admin);

        QCOMPARE(balanceOf(QStringLiteral("XJRJZ"), late), QStringLiteral("12.5"));
        QCOMPARE(balanceOf(QStringLiteral("XJRJZ"), early), QStringLiteral("10"));
        QCOMPARE(list.rowCount(), 3);
        QCOMPARE(list.currentRow(), 2);
        QCOMPARE(list.value(QStringLiteral("autoID")).toLongLong(), late);
        QCOMPARE(list.money(QStringLiteral("YuE")).toString(), QStringLiteral("12.5"));
        QCOMPARE(list.state(), Dataset::State::Browsing);
    }

    void savingAnEditedEntryRewritesItsSet()
    {
        addCash(QStringLiteral("2024-03-01 08:00:00"), QStringLiteral("10"), QString());
        const qlonglong second = addCash(QStringLiteral("2024-03-02 08:00:00"), QStringLiteral("5"), QString());
        Dataset list;
        Journals::OpenPeriodListing(list, JournalKind::Cash, period, admin);
        QVERIFY(list.locate(QStringLiteral("autoID"), second));
        list.edit();
        list.setMoney(QStringLiteral("JieFang"), Money::parse(QStringLiteral("7")).value());
        Journals::SaveEntry(list, JournalKind::Cash, period, admin);
        QCOMPARE(balanceOf(QStringLiteral("XJRJZ"), second), QStringLiteral("17"));
        QCOMPARE(count(QStringLiteral("XJRJZ")), 2);
    }

    void bankEntryMovedToAnotherAccountLeavesNoStaleBalance()
    {
        const qlonglong a1 = addBank(QStringLiteral("2024-03-01 08:00:00"), QStringLiteral("10"), QString(), QStringLiteral("A"));
        const qlonglong a2 = addBank(QStringLiteral("2024-03-02 08:00:00"), QStringLiteral("5"), QString(), QStringLiteral("A"));
        const qlonglong a3 = addBank(QStringLiteral("2024-03-03 08:00:00"), QStringLiteral("1"), QString(), QStringLiteral("A"));
        Dataset list;
        RewriteBalances(list, JournalKind::Bank, period, admin, QStringLiteral("A"));
        QVERIFY(list.locate(QStringLiteral("autoID"), a2));
        list.edit();
        list.setValue(QStringLiteral("KaiHuBank"), QStringLiteral("B"));
        Journals::SaveEntry(list, JournalKind::Bank, period, admin, QStringLiteral("B"));
        QCOMPARE(balanceOf(QStringLiteral("YHRJZ"), a2), QStringLiteral("5"));
        QCOMPARE(balanceOf(QStringLiteral("YHRJZ"), a1), QStringLiteral("10"));
        QCOMPARE(balanceOf(QStringLiteral("YHRJZ"), a3), QStringLiteral("11"));
        QCOMPARE(listedKeys(list), QStringList{QString::number(a2)});
    }

    void deletingTheOnlyEntryLeavesAnEmptyList()
    {
        addCash(QStringLiteral("2024-03-01 08:00:00"), QStringLiteral("10"), QString());
        Dataset list;
        Journals::OpenPeriodListing(list, JournalKind::Cash, period, admin);
        QVERIFY(Journals::DeleteEntry(list, JournalKind::Cash, period, admin));
        QCOMPARE(list.rowCount(), 0);
        QCOMPARE(count(QStringLiteral("XJRJZ")), 0);
        QVERIFY(!Journals::DeleteEntry(list, JournalKind::Cash, period, admin));
    }

    void bankEntryMovedBetweenFullWidthSpellingsLeavesNoStaleBalance()
    {
        // Full-width letters are different accounts to the store: the old one must be rewritten.
        const QString upper = QStringLiteral("ＩＣＢＣ"), lower = QStringLiteral("ｉｃｂｃ");
        const qlonglong a1 = addBank(QStringLiteral("2024-03-01 08:00:00"), QStringLiteral("10"), QString(), upper);
        const qlonglong a2 = addBank(QStringLiteral("2024-03-02 08:00:00"), QStringLiteral("5"), QString(), upper);
        const qlonglong a3 = addBank(QStringLiteral("2024-03-03 08:00:00"), QStringLiteral("1"), QString(), upper);
        Dataset list;
        RewriteBalances(list, JournalKind::Bank, period, admin, upper);
        QVERIFY(list.locate(QStringLiteral("autoID"), a2));
        list.edit();
        list.setValue(QStringLiteral("KaiHuBank"), lower);
        Journals::SaveEntry(list, JournalKind::Bank, period, admin, lower);
        QCOMPARE(balanceOf(QStringLiteral("YHRJZ"), a1), QStringLiteral("10"));
        QCOMPARE(balanceOf(QStringLiteral("YHRJZ"), a3), QStringLiteral("11"));
        QCOMPARE(balanceOf(QStringLiteral("YHRJZ"), a2), QStringLiteral("5"));
        QCOMPARE(brokenBalances(JournalKind::Bank), QStringList());
    }

    // An entry found by a search in another month (or of another operator) is changed while the
    // period is March: the list shows the period's set, and the set the entry left (and joined)
    // keeps the running-sum rule too.
    void changesFromASearchKeepEverySetSound_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("change"); // "delete", or "edit" (moves the entry into the period)
        QTest::addColumn<QString>("owner");  // operator of the changed entry
        for (const int kind : {int(JournalKind::Cash), int(JournalKind::Bank)}) {
            const char* k = kind == int(JournalKind::Cash) ? "cash" : "bank";
            QTest::addRow("%s delete of another month", k) << kind << "delete" << "admin";
            QTest::addRow("%s edit of another month", k) << kind << "edit" << "admin";
            QTest::addRow("%s edit of another operator", k) << kind << "edit" << "bob";
            QTest::addRow("%s delete of another operator", k) << kind << "delete" << "bob";
        }
    }
    void changesFromASearchKeepEverySetSound()
    {
        QFETCH(int, kind);
        QFETCH(QString, change);
        QFETCH(QString, owner);
        const JournalKind k = JournalKind(kind);
        const JournalDesign& d = designOf(k);
        const QString account = QStringLiteral("A");
        auto add = [&](const QString& when, const QString& debit, const QString& user) {
            return k == JournalKind::Cash ? addCash(when, debit, QString(), user) : addBank(when, debit, QString(), account, user);
        };
        const QString month = owner == admin ? QStringLiteral("2024-02") : QStringLiteral("2024-03");
        const qlonglong changed = add(month + QStringLiteral("-01 08:00:00"), QStringLiteral("10"), owner);
        add(month + QStringLiteral("-02 08:00:00"), QStringLiteral("10"), owner);
        const qlonglong mar1 = add(QStringLiteral("2024-03-01 09:00:00"), QStringLiteral("3"), admin);
        const qlonglong mar2 = add(QStringLiteral("2024-03-02 09:00:00"), QStringLiteral("1"), admin);
        Dataset list;
        for (const QString& p : {QStringLiteral("2024-02-15"), period})
            for (const QString& user : {admin, QStringLiteral("bob")})
                RewriteBalances(list, k, p, user, account);
        QCOMPARE(brokenBalances(k), QStringList());

        list.setTable(d.table, QStringLiteral("autoID"));
        list.open(QStringLiteral("SELECT * FROM %1 WHERE autoID = ?").arg(d.table), {changed});
        if (change == QLatin1String("delete")) {
            QVERIFY(Journals::DeleteEntry(list, k, period, admin));
        } else {
            list.edit();
            list.setValue(d.dateField, QStringLiteral("2024-03-05 08:00:00"));
            list.setValue(QStringLiteral("Fillter"), admin);
            list.setMoney(QStringLiteral("JieFang"), Money::parse(QStringLiteral("7")).value());
            Journals::SaveEntry(list, k, period, admin, k == JournalKind::Bank ? account : QString());
        }
        QCOMPARE(brokenBalances(k), QStringList());
        QStringList expected{QString::number(mar1), QString::number(mar2)};
        if (change == QLatin1String("edit"))
            expected << QString::number(changed);
        QCOMPARE(listedKeys(list), expected);
    }

    void bankDeleteRewritesAndListsThatAccountOnly()
    {
        const qlonglong a1 = addBank(QStringLiteral("2024-03-01 08:00:00"), QStringLiteral("10"), QString(), QStringLiteral("A"));
        const qlonglong b1 = addBank(QStringLiteral("2024-03-01 09:00:00"), QStringLiteral("10"), QString(), QStringLiteral("B"));
        const qlonglong a2 = addBank(QStringLiteral("2024-03-02 08:00:00"), QStringLiteral("4"), QString(), QStringLiteral("A"));
        const qlonglong a3 = addBank(QStringLiteral("2024-03-03 08:00:00"), QStringLiteral("1"), QString(), QStringLiteral("A"));
        Dataset list;
        Journals::OpenPeriodListing(list, JournalKind::Bank, period, admin);
        QCOMPARE(list.rowCount(), 4);
        QVERIFY(list.locate(QStringLiteral("autoID"), a2));
        QVERIFY(Journals::DeleteEntry(list, JournalKind::Bank, period, admin));
        QCOMPARE(balanceOf(QStringLiteral("YHRJZ"), a3), QStringLiteral("11"));
        QCOMPARE(balanceOf(QStringLiteral("YHRJZ"), b1), QStringLiteral("-"));
        QCOMPARE(listedKeys(list), (QStringList{QString::number(a1), QString::number(a3)}));
        QCOMPARE(list.currentRow(), 1);
    }

    void aFailedRewriteLeavesTheSaveUndone()
    {
        addCash(QStringLiteral("2024-03-01 08:00:00"), QStringLiteral("10"), QString());
        const qlonglong later = addCash(QStringLiteral("2024-03-20 08:00:00"), QStringLiteral("5"), QString());
        Dataset list;
        RewriteBalances(list, JournalKind::Cash, period, admin);
        const QString before = allBalances(QStringLiteral("XJRJZ"));
        failOnUpdateOf(QStringLiteral("XJRJZ"), later);

        appendCash(list, QStringLiteral("2024-03-10 08:00:00"), QStringLiteral("1"), QString());
        QVERIFY_THROWS_EXCEPTION(AppError, Journals::SaveEntry(list, JournalKind::Cash, period, admin));

        QCOMPARE(count(QStringLiteral("XJRJZ")), 2);
        QCOMPARE(allBalances(QStringLiteral("XJRJZ")), before);
        QCOMPARE(list.state(), Dataset::State::Inserting);
        QCOMPARE(list.rowCount(), 3);
        QCOMPARE(list.text(QStringLiteral("YeWuRQ")), QStringLiteral("2024-03-10 08:00:00"));
        // Once the cause is gone, the same pending row saves.
        TestDatabase::exec(QStringLiteral("DROP TRIGGER refuse_balance"));
        Journals::SaveEntry(list, JournalKind::Cash, period, admin);
        QCOMPARE(count(QStringLiteral("XJRJZ")), 3);
        QCOMPARE(balanceOf(QStringLiteral("XJRJZ"), later), QStringLiteral("16"));
    }

    void aFailedEditedSaveKeepsTheStoredValues()
    {
        const qlonglong first = addCash(QStringLiteral("2024-03-01 08:00:00"), QStringLiteral("10"), QString());
        const qlonglong later = addCash(QStringLiteral("2024-03-20 08:00:00"), QStringLiteral("5"), QString());
        Dataset list;
        RewriteBalances(list, JournalKind::Cash, period, admin);
        const QString before = allBalances(QStringLiteral("XJRJZ"));
        failOnUpdateOf(QStringLiteral("XJRJZ"), later);
        QVERIFY(list.locate(QStringLiteral("autoID"), first));
        list.edit();
        list.setMoney(QStringLiteral("JieFang"), Money::parse(QStringLiteral("99")).value());
        QVERIFY_THROWS_EXCEPTION(AppError, Journals::SaveEntry(list, JournalKind::Cash, period, admin));
        QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT JieFang FROM XJRJZ WHERE autoID=?"), {first}).toLongLong(), 100000);
        QCOMPARE(allBalances(QStringLiteral("XJRJZ")), before);
        QCOMPARE(list.state(), Dataset::State::Editing);
        QCOMPARE(list.money(QStringLiteral("JieFang")).toString(), QStringLiteral("99"));
    }

    void aFailedRewriteLeavesTheDeleteUndone()
    {
        addCash(QStringLiteral("2024-03-01 08:00:00"), QStringLiteral("10"), QString());
        const qlonglong doomed = addCash(QStringLiteral("2024-03-02 08:00:00"), QStringLiteral("3"), QString());
        const qlonglong later = addCash(QStringLiteral("2024-03-20 08:00:00"), QStringLiteral("5"), QString());
        Dataset list;
        RewriteBalances(list, JournalKind::Cash, period, admin);
        const QString before = allBalances(QStringLiteral("XJRJZ"));
        failOnUpdateOf(QStringLiteral("XJRJZ"), later);
        QVERIFY(list.locate(QStringLiteral("autoID"), doomed));

        QVERIFY_THROWS_EXCEPTION(AppError, Journals::DeleteEntry(list, JournalKind::Cash, period, admin));

        QCOMPARE(count(QStringLiteral("XJRJZ")), 3);
        QCOMPARE(allBalances(QStringLiteral("XJRJZ")), before);
        QCOMPARE(list.rowCount(), 3);
        QCOMPARE(list.value(QStringLiteral("autoID")).toLongLong(), doomed);
    }

    void aFailedBankRewriteLeavesTheDeleteUndone()
    {
        const qlonglong doomed = addBank(QStringLiteral("2024-03-01 08:00:00"), QStringLiteral("3"), QString(), QStringLiteral("A"));
        const qlonglong later = addBank(QStringLiteral("2024-03-02 08:00:00"), QStringLiteral("5"), QString(), QStringLiteral("A"));
        addBank(QStringLiteral("2024-03-02 08:00:00"), QStringLiteral("5"), QString(), QStringLiteral("B"));
        Dataset list;
        Journals::OpenPeriodListing(list, JournalKind::Bank, period, admin);
        const QString before = allBalances(QStringLiteral("YHRJZ"));
        failOnUpdateOf(QStringLiteral("YHRJZ"), later);
        QVERIFY(list.locate(QStringLiteral("autoID"), doomed));
        QVERIFY_THROWS_EXCEPTION(AppError, Journals::DeleteEntry(list, JournalKind::Bank, period, admin));
        QCOMPARE(count(QStringLiteral("YHRJZ")), 3);
        QCOMPARE(allBalances(QStringLiteral("YHRJZ")), before);
        QCOMPARE(list.rowCount(), 3);
    }

    void anOverflowingSumIsRefusedAndRolledBack()
    {
        const qlonglong big = addCash(QStringLiteral("2024-03-01 08:00:00"), QString(), QString());
        TestDatabase::exec(QStringLiteral("UPDATE XJRJZ SET JieFang = 9223372036854775000 WHERE autoID = ?"), {big});
        Dataset list;
        Journals::OpenPeriodListing(list, JournalKind::Cash, period, admin);
        appendCash(list, QStringLiteral("2024-03-02 08:00:00"), QStringLiteral("1"), QString());
        QVERIFY_THROWS_EXCEPTION(AppError, Journals::SaveEntry(list, JournalKind::Cash, period, admin));
        QCOMPARE(count(QStringLiteral("XJRJZ")), 1);
        QCOMPARE(balanceOf(QStringLiteral("XJRJZ"), big), QStringLiteral("-"));
        QCOMPARE(list.state(), Dataset::State::Inserting);
    }

    void listingHoldsTheOperatorsMonthInDateOrder()
    {
        const qlonglong b = addCash(QStringLiteral("2024-03-09 08:00:00"), QStringLiteral("1"), QString());
        const qlonglong a = addCash(QStringLiteral("2024-03-01 00:00:00"), QStringLiteral("1"), QString());
        addCash(QStringLiteral("2024-03-05 08:00:00"), QStringLiteral("1"), QString(), QStringLiteral("bob"));
        addCash(QStringLiteral("2024-04-01 00:00:00"), QStringLiteral("1"), QString());
        addCash(QStringLiteral("2024-02-29 23:59:59"), QStringLiteral("1"), QString());
        Dataset list;
        Journals::OpenPeriodListing(list, JournalKind::Cash, period, admin);
        QCOMPARE(listedKeys(list), (QStringList{QString::number(a), QString::number(b)}));
        QCOMPARE(list.currentRow(), 0);
    }

    void valuesAreBoundNotPasted()
    {
        const QString quoted = QStringLiteral("o'brien");
        const qlonglong id = addCash(QStringLiteral("2024-03-01 08:00:00"), QStringLiteral("4"), QString(), quoted);
        Dataset list;
        RewriteBalances(list, JournalKind::Cash, period, quoted);
        QCOMPARE(balanceOf(QStringLiteral("XJRJZ"), id), QStringLiteral("4"));
        for (const Journals::Statement& st : {Journals::periodListing(JournalKind::Bank, period, quoted),
                                             Journals::balanceSet(JournalKind::Bank, period, quoted, quoted),
                                             Journals::balanceRewrite(JournalKind::Bank, period, quoted, quoted)})
            QVERIFY(!st.sql.contains(quoted) && !st.sql.contains(QStringLiteral("2024")));
    }
};

QTEST_GUILESS_MAIN(TestBalances)
#include "test_balances.moc"
