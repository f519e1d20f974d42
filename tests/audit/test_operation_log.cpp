// The log the database keeps: one row per change of the books, written by triggers, with the
// values before and after; the balance rewrite and passwords stay out; the log refuses changes;
// the chain check finds what was done to the file behind the triggers' back.
#include "Balances.h"
#include "Connection.h"
#include "JournalEntry.h"
#include "LogCheck.h"
#include "LogFixture.h"
#include "OperationLog.h"
#include "PasswordHash.h"
#include "RawConnection.h"
#include "StoreFunctions.h"
#include "TestDatabase.h"

#include "AppError.h"
#include "Dataset.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QTest>

using namespace Qt::StringLiterals;
using LogFixture::Row;

namespace {
QString errorOf(const QString& sql)
{
    try {
        Connection::instance().run(sql);
    } catch (const AppError& e) {
        return e.message();
    }
    return {};
}

void run(const QString& sql, const QVariantList& params = {}) { Connection::instance().run(sql, params); }
} // namespace

class TestOperationLog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { StoreFunctions::setCurrentOperator([] { return u"会计甲"_s; }); }
    void cleanup() { StoreFunctions::setCurrentOperator([] { return QString(); }); }

    void theDeliveredLogBeginsWithTheDeliveredRows()
    {
        TestDatabase db;
        const QList<Row> rows = LogFixture::rowsAfter(0);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].table, u"FinscalYearMonth"_s);
        QCOMPARE(rows[1].table, u"tuser"_s);
        QCOMPARE(LogFixture::json(rows[1].after).value(u"username"_s).toString(), u"admin"_s);
        QVERIFY(!LogFixture::json(rows[1].after).contains(u"password"_s));
        QCOMPARE(LogCheck::run().message(), u"日志完整，共2条"_s);
        QCOMPARE(db.scalar(u"SELECT F16 FROM tuser WHERE username = 'admin'"_s).toInt(), 1);
    }

    void anUpgradedFileGrantsTheLogToWhoeverKeepsTheOperators()
    {
        // The first release's file: those who hold F2 get F16, the others not.
        TestDatabase db(TestDatabase::Content::Empty);
        QTemporaryDir dir;
        const QString old = dir.filePath(u"RARU.DLL"_s);
        QVERIFY(QFile::copy(QString::fromLocal8Bit(qgetenv("ZZ_SOURCE_DIR")) + u"/tests/db/fixtures/RARU-v1.DLL"_s, old));
        QFile(old).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        Connection::instance().setDatabasePath(old);
        QCOMPARE(db.scalar(u"SELECT group_concat(username || '=' || F16, ',') FROM (SELECT * FROM tuser ORDER BY userID)"_s).toString(),
                 u"admin=1,张三=1,lisi=0"_s);
        QCOMPARE(LogFixture::lastNumber(), 0);
        run(u"INSERT INTO bankInfo (bankName) VALUES ('工行')"_s);
        const QList<Row> rows = LogFixture::rowsAfter(0);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].kind, u"新增"_s);
        QVERIFY(LogCheck::run().intact());
    }

    void everyChangeOfTheBooksIsOneRow_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("insert");
        QTest::addColumn<QString>("update");
        QTest::addColumn<QString>("changeKind");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("cash") << u"XJRJZ"_s << u"autoID"_s
                              << u"INSERT INTO XJRJZ (YeWuRQ, ZhanYao, JieFang, Fillter) VALUES ('2024-03-02 09:00:00', '销售收入', 1000000, 'admin')"_s
                              << u"UPDATE XJRJZ SET Detail = '办公\"用品', JieFang = 1200000"_s << u"修改"_s
                              << u"{\"Detail\":null,\"JieFang\":1000000}"_s << u"{\"Detail\":\"办公\\\"用品\",\"JieFang\":1200000}"_s;
        QTest::newRow("bank") << u"YHRJZ"_s << u"autoID"_s
                              << u"INSERT INTO YHRJZ (yewuRQ, Zhanyao, DaiFang, KaiHuBank) VALUES ('2024-03-02 09:00:00', '付货款', 50000, '工行')"_s
                              << u"UPDATE YHRJZ SET KaiHuBank = '农行'"_s << u"修改"_s
                              << u"{\"KaiHuBank\":\"工行\"}"_s << u"{\"KaiHuBank\":\"农行\"}"_s;
        QTest::newRow("summaries") << u"ZhanYao"_s << u"AutoID"_s
                                   << u"INSERT INTO ZhanYao (ZhanYao, ZYType, KuMuCode) VALUES ('差旅费', '减少', '6602')"_s
                                   << u"UPDATE ZhanYao SET ZhanYao = '差旅'"_s << u"修改"_s
                                   << u"{\"ZhanYao\":\"差旅费\"}"_s << u"{\"ZhanYao\":\"差旅\"}"_s;
        QTest::newRow("accounts") << u"bankInfo"_s << u"bankID"_s << u"INSERT INTO bankInfo (bankName) VALUES ('工行')"_s
                                  << u"UPDATE bankInfo SET bankName = '建行'"_s << u"修改"_s
                                  << u"{\"bankName\":\"工行\"}"_s << u"{\"bankName\":\"建行\"}"_s;
        QTest::newRow("operators") << u"tuser"_s << u"userID"_s
                                   << u"INSERT INTO tuser (username, password, F1) VALUES ('张三', 'not-a-real-hash', 1)"_s
                                   << u"UPDATE tuser SET F1 = 0 WHERE username = '张三'"_s << u"修改"_s
                                   << u"{\"F1\":1}"_s << u"{\"F1\":0}"_s;
        QTest::newRow("period") << u"FinscalYearMonth"_s << u"rowid"_s
                                << u"INSERT INTO FinscalYearMonth (YearMonth) VALUES ('2024-05-01 00:00:00')"_s
                                << u"UPDATE FinscalYearMonth SET YearMonth = '2024-06-01 00:00:00' WHERE YearMonth LIKE '2024-05%'"_s
                                << u"修改记账年月"_s << u"{\"YearMonth\":\"2024-05-01 00:00:00\"}"_s
                                << u"{\"YearMonth\":\"2024-06-01 00:00:00\"}"_s;
    }
    void everyChangeOfTheBooksIsOneRow()
    {
        QFETCH(QString, table);
        QFETCH(QString, key);
        QFETCH(QString, insert);
        QFETCH(QString, update);
        QFETCH(QString, changeKind);
        QFETCH(QString, before);
        QFETCH(QString, after);
        TestDatabase db(TestDatabase::Content::Empty);
        const QString start = QDateTime::currentDateTime().addSecs(-1).toString(u"yyyy-MM-dd HH:mm:ss"_s);

        run(insert);
        const QVariant id = db.scalar(u"SELECT max(%1) FROM %2"_s.arg(key, table));
        QList<Row> rows = LogFixture::rowsAfter(0);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].number, 1);
        QCOMPARE(rows[0].kind, u"新增"_s);
        QCOMPARE(rows[0].table, table);
        QCOMPARE(rows[0].key, id.toString());
        QCOMPARE(rows[0].operatorName, u"会计甲"_s);
        QVERIFY2(rows[0].time >= start && rows[0].time <= QDateTime::currentDateTime().toString(u"yyyy-MM-dd HH:mm:ss"_s),
                 qPrintable(rows[0].time));
        QVERIFY(rows[0].before.isNull());
        QJsonObject whole = LogFixture::storedRow(table, key, id);
        whole.remove(u"password"_s); // never logged
        if (table == u"FinscalYearMonth"_s)
            whole.remove(u"rowid"_s);
        QCOMPARE(LogFixture::json(rows[0].after), whole);

        run(update);
        rows = LogFixture::rowsAfter(1);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].kind, changeKind);
        QCOMPARE(rows[0].key, id.toString());
        QCOMPARE(rows[0].before.toString(), before);
        QCOMPARE(rows[0].after.toString(), after);

        // An update that changes nothing writes nothing.
        run(update);
        QCOMPARE(LogFixture::lastNumber(), 2);

        QJsonObject last = LogFixture::storedRow(table, key, id);
        last.remove(u"password"_s);
        if (table == u"FinscalYearMonth"_s)
            last.remove(u"rowid"_s);
        run(u"DELETE FROM %1 WHERE %2 = ?"_s.arg(table, key), {id});
        rows = LogFixture::rowsAfter(2);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].kind, u"删除"_s);
        QCOMPARE(rows[0].key, id.toString());
        QCOMPARE(LogFixture::json(rows[0].before), last);
        QVERIFY(rows[0].after.isNull());
        QCOMPARE(LogCheck::run().message(), u"日志完整，共3条"_s);
    }

    void aChangeOfLetterCaseIsAChange()
    {
        TestDatabase db(TestDatabase::Content::Empty);
        run(u"INSERT INTO bankInfo (bankName) VALUES ('icbc')"_s);
        run(u"UPDATE bankInfo SET bankName = 'ICBC'"_s);
        const QList<Row> rows = LogFixture::rowsAfter(1);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].after.toString(), u"{\"bankName\":\"ICBC\"}"_s);
    }

    void theBalanceRewriteIsNoEvent()
    {
        // A save in a month of 1,000 entries rewrites 1,001 balances and logs one row: the new entry.
        TestDatabase db(TestDatabase::Content::Empty);
        run(u"WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 999) "
            "INSERT INTO XJRJZ (YeWuRQ, ZhanYao, ZhanYaoType, JieFang, DaiFang, YuE, Fillter) "
            "SELECT printf('2024-03-%02d 10:00:00', 1 + i % 28), '销售收入', '增加', 10000, 0, 0, 'admin' FROM n"_s);
        const qlonglong before = LogFixture::lastNumber();
        QCOMPARE(before, 1000);

        Dataset list;
        const QString period = u"2024-03-15"_s;
        Journals::OpenPeriodListing(list, JournalKind::Cash, period, u"admin"_s);
        list.append();
        list.setValue(u"ZhanYao"_s, u"销售收入"_s);
        list.setValue(u"ZhanYaoType"_s, u"增加"_s);
        list.setValue(u"JieFang"_s, qlonglong(50000));
        Journals::stampEntry(list, JournalKind::Cash, u"admin"_s, QDateTime(QDate(2024, 3, 31), QTime(18, 0)), QString());
        Journals::SaveEntry(list, JournalKind::Cash, period, u"admin"_s, QString());

        QCOMPARE(db.scalar(u"SELECT YuE FROM XJRJZ WHERE autoID = 1000"_s).toLongLong() > 0, true);
        const QList<Row> rows = LogFixture::rowsAfter(before);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].kind, u"新增"_s);
        QCOMPARE(rows[0].key, u"1001"_s);

        // Setting other columns to what they hold, beside the balance, is no event either.
        run(u"UPDATE XJRJZ SET YuE = YuE + 1, ZhanYao = ZhanYao WHERE autoID <= 10"_s);
        QCOMPARE(LogFixture::lastNumber(), before + 1);
    }

    void passwordsNeverReachTheLog()
    {
        TestDatabase db(TestDatabase::Content::Empty);
        const QString firstHash = PasswordHash::hash(u"Secret-One"_s);
        const QString secondHash = PasswordHash::hash(u"Secret-Two"_s);
        run(u"INSERT INTO tuser (username, password) VALUES ('李四', ?)"_s, {firstHash});
        run(u"UPDATE tuser SET password = ? WHERE username = '李四'"_s, {secondHash});
        const QList<Row> rows = LogFixture::rowsAfter(0);
        QCOMPARE(rows.size(), 2);
        QVERIFY(!LogFixture::json(rows[0].after).contains(u"password"_s));
        QCOMPARE(rows[1].before.toString(), u"{}"_s);
        QCOMPARE(rows[1].after.toString(), u"{\"password\":\"密码已修改\"}"_s);
        for (const QString& hash : {firstHash, secondHash})
            QCOMPARE(db.scalar(u"SELECT count(*) FROM CaoZuoRiZhi WHERE instr(coalesce(XiuGaiQian, '') || coalesce(XiuGaiHou, ''), ?) > 0"_s,
                               {hash.mid(30, 20)})
                         .toInt(),
                     0);
    }

    void theLogRefusesChanges_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("update") << u"UPDATE CaoZuoRiZhi SET CaoZuoYuan = '别人'"_s << u"操作日志不能修改"_s;
        QTest::newRow("new chain") << u"UPDATE CaoZuoRiZhi SET JiaoYanZhi = 'x'"_s << u"操作日志不能修改"_s;
        QTest::newRow("delete") << u"DELETE FROM CaoZuoRiZhi WHERE XuHao = 1"_s << u"操作日志不能删除"_s;
        QTest::newRow("forged chain") << u"INSERT INTO CaoZuoRiZhi (LeiBie, JiaoYanZhi) VALUES ('新增', 'abc')"_s
                                      << u"操作日志的校验值由数据库生成"_s;
    }
    void theLogRefusesChanges()
    {
        QFETCH(QString, sql);
        QFETCH(QString, refusal);
        TestDatabase db(TestDatabase::Content::Empty);
        run(u"INSERT INTO bankInfo (bankName) VALUES ('工行')"_s);
        const QString chain = db.scalar(u"SELECT JiaoYanZhi FROM CaoZuoRiZhi"_s).toString();
        QVERIFY2(errorOf(sql).contains(refusal), qPrintable(errorOf(sql)));
        QCOMPARE(LogFixture::lastNumber(), 1);
        QCOMPARE(db.scalar(u"SELECT JiaoYanZhi FROM CaoZuoRiZhi"_s).toString(), chain);
        QCOMPARE(db.scalar(u"SELECT CaoZuoYuan FROM CaoZuoRiZhi"_s).toString(), u"会计甲"_s);
    }

    void aConnectionWithoutTheFunctionsCannotChangeTheBooks()
    {
        TestDatabase db(TestDatabase::Content::Empty);
        const QString name = u"bare"_s;
        {
            QSqlDatabase bare = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
            bare.setDatabaseName(db.path());
            QVERIFY(bare.open());
            QSqlQuery q(bare);
            QVERIFY(!q.exec(u"INSERT INTO bankInfo (bankName) VALUES ('工行')"_s));
            QVERIFY2(q.lastError().text().contains(u"CurrentOperator"_s), qPrintable(q.lastError().text()));
            registerStoreFunctions(bare);
            QVERIFY2(q.exec(u"INSERT INTO bankInfo (bankName) VALUES ('工行')"_s), qPrintable(q.lastError().text()));
            bare.close();
        }
        QSqlDatabase::removeDatabase(name);
        QCOMPARE(db.scalar(u"SELECT count(*) FROM bankInfo"_s).toInt(), 1);
        QCOMPARE(LogFixture::lastNumber(), 1);
        QVERIFY(LogCheck::run().intact());
    }

    void everyColumnOfALoggedTableIsWatched()
    {
        // A later change that adds a column to a logged table must add it to the table's triggers.
        TestDatabase db(TestDatabase::Content::Empty);
        for (const QString& table : OperationLog::loggedTables()) {
            const QString update = db.scalar(u"SELECT sql FROM sqlite_master WHERE type = 'trigger' AND name = ?"_s,
                                             {u"CaoZuoRiZhi_%1_update"_s.arg(table)})
                                       .toString();
            const QString insert = db.scalar(u"SELECT sql FROM sqlite_master WHERE type = 'trigger' AND name = ?"_s,
                                             {u"CaoZuoRiZhi_%1_insert"_s.arg(table)})
                                       .toString();
            QVERIFY2(!update.isEmpty() && !insert.isEmpty(), qPrintable(table));
            for (const QString& column : Connection::instance().columnNames(table)) {
                const QString watched = u"OLD.%1 IS NOT NEW.%1"_s.arg(column);
                QVERIFY2(update.contains(watched), qPrintable(table + u'.' + column));
                if (column != u"password"_s)
                    QVERIFY2(insert.contains(u"NEW.%1)"_s.arg(column)) || insert.contains(u"NEW.%1,"_s.arg(column)),
                             qPrintable(table + u'.' + column));
            }
        }
    }

    void theCheckFindsWhatWasDoneBehindTheTriggers_data()
    {
        QTest::addColumn<QString>("tampering");
        QTest::addColumn<QString>("report");
        QTest::newRow("intact") << u""_s << u"日志完整，共20条"_s;
        QTest::newRow("altered") << u"UPDATE CaoZuoRiZhi SET XiuGaiHou = replace(XiuGaiHou, '账户7', '账户8') WHERE XuHao = 7"_s
                                 << u"第7条日志记录已被改动或删除"_s;
        QTest::newRow("operator changed") << u"UPDATE CaoZuoRiZhi SET CaoZuoYuan = '别人' WHERE XuHao = 12"_s
                                          << u"第12条日志记录已被改动或删除"_s;
        QTest::newRow("deleted") << u"DELETE FROM CaoZuoRiZhi WHERE XuHao = 7"_s << u"第7条日志记录已被改动或删除"_s;
        QTest::newRow("last deleted") << u"DELETE FROM CaoZuoRiZhi WHERE XuHao = 20"_s << u"第20条日志记录已被改动或删除"_s;
        QTest::newRow("inserted") << u"insert at 7"_s << u"第8条日志记录已被改动或删除"_s;
    }
    void theCheckFindsWhatWasDoneBehindTheTriggers()
    {
        QFETCH(QString, tampering);
        QFETCH(QString, report);
        TestDatabase db(TestDatabase::Content::Empty);
        for (int i = 1; i <= 20; ++i)
            run(u"INSERT INTO bankInfo (bankName) VALUES (?)"_s, {u"账户%1"_s.arg(i)});
        LogFixture::dropLogGuards();
        if (tampering == u"insert at 7"_s) {
            // Rows 7.. move up by one and a row that looks right takes number 7: its chain value
            // follows row 6 by the published rule, yet the row after it no longer fits.
            run(u"UPDATE CaoZuoRiZhi SET XuHao = -XuHao WHERE XuHao >= 7"_s);
            run(u"UPDATE CaoZuoRiZhi SET XuHao = 1 - XuHao WHERE XuHao < 0"_s);
            const QString previous = db.scalar(u"SELECT JiaoYanZhi FROM CaoZuoRiZhi WHERE XuHao = 6"_s).toString();
            const QString time = db.scalar(u"SELECT ShiJian FROM CaoZuoRiZhi WHERE XuHao = 6"_s).toString();
            const QString after = u"{\"bankName\":\"假账户\",\"bankID\":99}"_s;
            const QString chain = StoreFunctions::logChain(previous, OperationLog::chainContent(7, time, u"会计甲"_s, u"新增"_s,
                                                                                              u"bankInfo"_s, u"99"_s, {}, after));
            run(u"INSERT INTO CaoZuoRiZhi (XuHao, ShiJian, CaoZuoYuan, LeiBie, BiaoMing, JiLuHao, XiuGaiHou, JiaoYanZhi) "
                "VALUES (7, ?, '会计甲', '新增', 'bankInfo', '99', ?, ?)"_s,
                {time, after, chain});
        } else if (!tampering.isEmpty()) {
            run(tampering);
        }
        QCOMPARE(LogCheck::run().message(), report);
    }
};

QTEST_MAIN(TestOperationLog)
#include "test_operation_log.moc"
