// Pairing entries with statement lines: the automatic rule on a table of cases, pairs by hand,
// undoing pairs, and what the store does when a paired entry or line changes or goes.
#include "AppError.h"
#include "Matching.h"
#include "Database.h"
#include "SchemaUpgrade.h"
#include "Upgrades.h"
#include "ReconcileFixture.h"

#include <QFile>
#include <QTemporaryDir>

#include <QTest>

using namespace ReconcileFixture;
using namespace Qt::Literals::StringLiterals;

namespace {

const QDateTime now(QDate(2024, 4, 2), QTime(10, 0));
const QDate from(2024, 3, 1), to(2024, 3, 31);

QString refusal(const std::function<void()>& fn)
{
    try {
        fn();
    } catch (const AppError& e) {
        return e.message();
    }
    return {};
}

int autoMatch(int days = 3) { return Matching::autoReconcile(account, from, to, days, u"admin"_s, now); }

QString pairText(qint64 e, qint64 l) { return QString::number(e) + u':' + QString::number(l); }

} // namespace

class TestMatching : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void automaticCases_data()
    {
        // Entries "date amount direction [number]" against lines; the pairs expected by index.
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("days");
        QTest::addColumn<QStringList>("expected"); // "entry index:line index"
        QTest::newRow("same amount twice: nearest dates")
            << QStringList{u"2024-03-05 100 in"_s, u"2024-03-06 100 in"_s}
            << QStringList{u"2024-03-06 100 in"_s, u"2024-03-05 100 in"_s} << 3 << QStringList{u"0:1"_s, u"1:0"_s};
        QTest::newRow("date just outside the window")
            << QStringList{u"2024-03-01 50 out"_s} << QStringList{u"2024-03-05 50 out"_s} << 3 << QStringList{};
        QTest::newRow("date on the window's edge")
            << QStringList{u"2024-03-01 50 out"_s} << QStringList{u"2024-03-04 50 out"_s} << 3 << QStringList{u"0:0"_s};
        QTest::newRow("window of four days")
            << QStringList{u"2024-03-01 50 out"_s} << QStringList{u"2024-03-05 50 out"_s} << 4 << QStringList{u"0:0"_s};
        QTest::newRow("line before the entry")
            << QStringList{u"2024-03-10 50 out"_s} << QStringList{u"2024-03-08 50 out"_s} << 3 << QStringList{u"0:0"_s};
        QTest::newRow("opposite direction")
            << QStringList{u"2024-03-05 70 in"_s} << QStringList{u"2024-03-05 70 out"_s} << 3 << QStringList{};
        QTest::newRow("other amount")
            << QStringList{u"2024-03-05 70 in"_s} << QStringList{u"2024-03-05 70.01 in"_s} << 3 << QStringList{};
        QTest::newRow("equal number before the nearer date")
            << QStringList{u"2024-03-10 300 out V9"_s} << QStringList{u"2024-03-10 300 out Z1"_s, u"2024-03-12 300 out v9"_s} << 3
            << QStringList{u"0:1"_s};
        QTest::newRow("one line, two candidates: the nearer entry")
            << QStringList{u"2024-03-03 20 in"_s, u"2024-03-06 20 in"_s} << QStringList{u"2024-03-05 20 in"_s} << 3
            << QStringList{u"1:0"_s};
        QTest::newRow("equal distance: the earlier entry")
            << QStringList{u"2024-03-04 20 in"_s, u"2024-03-06 20 in"_s} << QStringList{u"2024-03-05 20 in"_s} << 3
            << QStringList{u"0:0"_s};
        QTest::newRow("greedy by distance leaves no better pair undone")
            << QStringList{u"2024-03-01 9 in"_s, u"2024-03-04 9 in"_s} << QStringList{u"2024-03-03 9 in"_s, u"2024-03-06 9 in"_s} << 3
            << QStringList{u"0:0"_s, u"1:1"_s};
    }
    void automaticCases()
    {
        QFETCH(QStringList, entries);
        QFETCH(QStringList, lines);
        QFETCH(int, days);
        QFETCH(QStringList, expected);
        const auto items = [](const QStringList& specs) {
            QVector<Matching::Item> out;
            for (const QString& s : specs) {
                const QStringList f = s.split(u' ');
                out << Matching::Item{out.size(), QDate::fromString(f[0], Qt::ISODate), f[2] == u"in",
                                      Money::parse(f[1]).value(), f.value(3)};
            }
            return out;
        };
        QStringList got;
        for (const Matching::Pair& p : Matching::autoPairs(items(entries), items(lines), days))
            got << pairText(p.entry, p.line);
        got.sort();
        QCOMPARE(got, expected);
    }

    void automaticMatchingOnTheStore()
    {
        TestDatabase db;
        // Bank money in (贷方) meets a debit entry (增加); money out (借方) a credit entry (减少).
        const qint64 eIn = addEntry(u"2024-03-05"_s, u"1000"_s, {}, u"V1"_s);
        const qint64 eOut = addEntry(u"2024-03-06"_s, {}, u"250"_s);
        const qint64 eOpening = addEntry(u"2024-03-01"_s, u"5000"_s, {}, {}, account, u"期初金额"_s);
        const qint64 eOther = addEntry(u"2024-03-05"_s, u"1000"_s, {}, {}, otherAccount);
        const qint64 eLate = addEntry(u"2024-04-01"_s, {}, u"250"_s);
        const qint64 lIn = addLine(u"2024-03-06"_s, u"1000"_s, {});
        const qint64 lOut = addLine(u"2024-03-07"_s, {}, u"250"_s);
        const qint64 lOpening = addLine(u"2024-03-01"_s, u"5000"_s, {});
        const qint64 lReversed = addLine(u"2024-03-05"_s, {}, u"1000"_s);
        QCOMPARE(autoMatch(), 2);
        QCOMPARE(pairs(), (QStringList{pairText(eIn, lIn), pairText(eOut, lOut)}));
        // Nothing left that could pair: the brought-forward entry, another account's entry, an
        // entry after the range and a line of the opposite direction stay unpaired.
        QCOMPARE(autoMatch(), 0);
        Q_UNUSED(eOpening);
        Q_UNUSED(eOther);
        Q_UNUSED(eLate);
        Q_UNUSED(lOpening);
        Q_UNUSED(lReversed);
    }

    void handPairsAreKept()
    {
        TestDatabase db;
        const qint64 e = addEntry(u"2024-03-05"_s, u"80"_s, {});
        const qint64 lFar = addLine(u"2024-03-20"_s, u"80"_s, {});
        const qint64 lNear = addLine(u"2024-03-05"_s, u"80"_s, {});
        Matching::pairByHand(account, {e}, {lFar}, u"admin"_s, now);
        QCOMPARE(autoMatch(), 0);
        QCOMPARE(pairs(), QStringList{pairText(e, lFar) + u" 手工"_s});
        Q_UNUSED(lNear);
    }

    void oneToSeveralByHand()
    {
        TestDatabase db;
        const qint64 e1 = addEntry(u"2024-03-05"_s, u"30"_s, {});
        const qint64 e2 = addEntry(u"2024-03-06"_s, u"70"_s, {});
        const qint64 e3 = addEntry(u"2024-03-06"_s, {}, u"5"_s);
        const qint64 l1 = addLine(u"2024-03-07"_s, u"100"_s, {});
        const qint64 l2 = addLine(u"2024-03-07"_s, {}, u"5"_s);
        const qint64 l3 = addLine(u"2024-03-08"_s, {}, u"6"_s);
        const qint64 other = addLine(u"2024-03-07"_s, u"30"_s, {}, {}, {}, otherAccount);

        const auto byHand = [&](const QVector<qint64>& es, const QVector<qint64>& ls) {
            return refusal([&] { Matching::pairByHand(account, es, ls, u"admin"_s, now); });
        };
        QCOMPARE(byHand({e1, e2}, {}), u"请在日记账和对账单中各选择至少一条记录"_s);
        QCOMPARE(byHand({e1, e2}, {l1, l3}),
                 u"金额不符，不能对账：日记账借方（增加）100、贷方（减少）0；对账单收入 100、支出 6"_s);
        QCOMPARE(byHand({e1}, {other}), u"所选记录不属于开户银行“工行基本户”"_s);
        QCOMPARE(pairs(), QStringList{});

        // Several entries for one line, in each direction at once.
        QCOMPARE(byHand({e1, e2, e3}, {l1, l2}), QString());
        QCOMPARE(pairs(), QStringList{u"%1,%2,%3:%4,%5 手工"_s.arg(e1).arg(e2).arg(e3).arg(l1).arg(l2)});
        QCOMPARE(byHand({e1}, {l3}), u"所选记录中有已对账的记录，请先取消对账"_s);

        // Undoing any member undoes the whole group.
        QCOMPARE(Matching::unpair({}, {l2}), 1);
        QCOMPARE(pairs(), QStringList{});
        QCOMPARE(Matching::unpair({e1}, {}), 0);
    }

    void changesAndDeletionsUndoPairs()
    {
        TestDatabase db;
        const qint64 e1 = addEntry(u"2024-03-05"_s, u"10"_s, {});
        const qint64 e2 = addEntry(u"2024-03-05"_s, u"20"_s, {});
        const qint64 e3 = addEntry(u"2024-03-05"_s, u"30"_s, {});
        const qint64 l1 = addLine(u"2024-03-05"_s, u"10"_s, {});
        const qint64 l2 = addLine(u"2024-03-05"_s, u"20"_s, {});
        const qint64 l3 = addLine(u"2024-03-05"_s, u"30"_s, {});
        QCOMPARE(autoMatch(), 3);

        // The running balance rewrite and an edit that keeps the amount leave the pair.
        Command::execute(u"UPDATE YHRJZ SET YuE = 99, Detail = 'x', JieFang = JieFang WHERE autoID = ?"_s, {e1});
        QCOMPARE(pairs().size(), 3);
        // Deleting an entry, changing a line's amount or its account each undo their pair.
        Command::execute(u"DELETE FROM YHRJZ WHERE autoID = ?"_s, {e1});
        Command::execute(u"UPDATE YinHangDuiZhangDan SET ShouRu = 2100000 WHERE autoID = ?"_s, {l2});
        QCOMPARE(pairs(), QStringList{pairText(e3, l3)});
        Command::execute(u"UPDATE YHRJZ SET KaiHuBank = ? WHERE autoID = ?"_s, {otherAccount, e3});
        QCOMPARE(pairs(), QStringList{});

        // Deleting a line undoes its pair too; the store refuses a pair naming a missing row.
        QCOMPARE(autoMatch(), 0);
        Command::execute(u"UPDATE YHRJZ SET KaiHuBank = ? WHERE autoID = ?"_s, {account, e3});
        QCOMPARE(autoMatch(), 1);
        Command::execute(u"DELETE FROM YinHangDuiZhangDan WHERE autoID = ?"_s, {l3});
        QCOMPARE(pairs(), QStringList{});
        QVERIFY(!refusal([] {
                     Command::execute(u"INSERT INTO YinHangDuiZhang (ZuHao, RiJiZhangID, ShouGong, DuiZhangSJ) VALUES (1, 999, 1, '2024-04-01 00:00:00')"_s);
                 }).isEmpty());
        Q_UNUSED(e2);
        Q_UNUSED(l1);
    }

    void upgradeGrantsTheRightToBankJournalKeepers()
    {
        // The first release's database as it shipped, brought up to date.
        QTemporaryDir dir;
        const QString path = dir.filePath(u"RARU.DLL"_s);
        QVERIFY(QFile::copy(qEnvironmentVariable("ZZ_SOURCE_DIR") + u"/tests/db/fixtures/RARU-v1.DLL"_s, path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        SchemaUpgrade::upgradeFile(path, Database::history());
        Connection::instance().setDatabasePath(path);
        const auto right = [](const QString& user) {
            return Connection::instance().scalar(u"SELECT F17 FROM tuser WHERE username = ?"_s, {user}).toInt();
        };
        QCOMPARE(right(u"admin"_s), 1); // holds F0
        QCOMPARE(right(u"张三"_s), 0);  // cash only
        // The old bank entries take part: pairing one and deleting it undoes the pair.
        const qint64 e = Connection::instance().scalar(u"SELECT min(autoID) FROM YHRJZ WHERE JieFang > 0"_s).toLongLong();
        const QString acct = Connection::instance().scalar(u"SELECT KaiHuBank FROM YHRJZ WHERE autoID = ?"_s, {e}).toString();
        const QString amount = Money::fromStorage(Connection::instance().scalar(u"SELECT JieFang FROM YHRJZ WHERE autoID = ?"_s, {e})).toString();
        const qint64 l = addLine(u"2024-03-05"_s, amount, {}, {}, {}, acct);
        Matching::pairByHand(acct, {e}, {l}, u"admin"_s, now);
        QCOMPARE(pairs().size(), 1);
        Command::execute(u"DELETE FROM YHRJZ WHERE autoID = ?"_s, {e});
        QCOMPARE(pairs(), QStringList{});
        Connection::instance().close();
    }
};

QTEST_GUILESS_MAIN(TestMatching)
#include "test_matching.moc"
