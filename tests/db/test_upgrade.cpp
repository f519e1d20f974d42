// Schema versions: a first-release file upgraded at its first opening, newer and foreign files
// refused, a failed step leaving the file as it was, and what the upgrade steps add.
#include "AppError.h"
#include "Connection.h"
#include "Database.h"
#include "PasswordHash.h"
#include "SchemaUpgrade.h"
#include "TestDatabase.h"
#include "Upgrades.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
Connection& conn() { return Connection::instance(); }

// The first release's database with a few rows of every table (user_version 0, as it shipped):
// two months of cash entries for two operators, bank entries on two accounts, three summaries,
// three operators (one deleted), two accounts (one deleted), the period March 2024.
QString firstReleaseFixture() { return qEnvironmentVariable("ZZ_TEST_DATA") + u"/fixtures/RARU-v1.DLL"_s; }

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every row of every first-release table, all its first-release columns quoted, in key order.
QString dumpFirstReleaseTables()
{
    QString out;
    const auto tables = Database::firstReleaseTables();
    for (auto it = tables.begin(); it != tables.end(); ++it) {
        QStringList quoted;
        for (const QString& c : it.value())
            quoted << u"quote(%1)"_s.arg(c);
        out += it.key() + u":\n"_s
            + conn()
                  .scalar(u"SELECT group_concat(r, char(10)) FROM (SELECT %1 AS r FROM %2 ORDER BY rowid)"_s.arg(
                      quoted.join(u" || '|' || "_s), it.key()))
                  .toString()
            + u'\n';
    }
    return out;
}

// Opens `path` with no version check, runs `fn`, closes it again.
template <typename Fn> void withPlainConnection(const QString& path, Fn fn)
{
    conn().setOpenCheck({});
    conn().setDatabasePath(path);
    fn();
    conn().close();
}

QStringList filesIn(const QString& folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }
} // namespace

class TestUpgrade : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;
    QString live;

    // A copy of the first-release fixture as the live file.
    void copyFixture()
    {
        QVERIFY(QFile::copy(firstReleaseFixture(), live));
        QFile(live).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

private Q_SLOTS:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        live = dir->filePath(u"RARU.DLL"_s);
    }
    void cleanup()
    {
        conn().close();
        conn().setOpenCheck({});
    }

    void firstReleaseFileIsUpgradedKeepingEveryRow()
    {
        copyFixture();
        QString before;
        withPlainConnection(live, [&] {
            QCOMPARE(conn().scalar(u"PRAGMA user_version"_s).toInt(), 0);
            before = dumpFirstReleaseTables();
        });
        QVERIFY(before.contains(u"'付''款'"_s));
        QVERIFY(before.contains(u"9987655"_s));

        conn().setDatabasePath(live);
        Database::upgradeOnOpen(conn());
        QCOMPARE(conn().scalar(u"PRAGMA user_version"_s).toInt(), SchemaVersion::current);
        QCOMPARE(dumpFirstReleaseTables(), before);
        QCOMPARE(conn().scalar(u"PRAGMA integrity_check"_s).toString(), u"ok"_s);
        // The delivered password still logs in.
        QVERIFY(PasswordHash::verify(conn().scalar(u"SELECT password FROM tuser WHERE username = 'admin'"_s).toString(),
                                     Database::deliveredPassword));
        // The journals' indexes came back with the rebuilt tables.
        QCOMPARE(conn().scalar(u"SELECT count(*) FROM sqlite_master WHERE type = 'index' AND name LIKE '%RJZ%'"_s).toInt(), 8);

        // The copy kept beside it is the file as it was.
        const QString kept = SchemaUpgrade::backupPathBeforeUpgrade(live, SchemaVersion::firstRelease);
        QCOMPARE(kept, live + u".v1.bak"_s);
        conn().close();
        withPlainConnection(kept, [&] {
            QCOMPARE(conn().scalar(u"PRAGMA user_version"_s).toInt(), 0);
            QCOMPARE(dumpFirstReleaseTables(), before);
        });

        // Opening it again upgrades nothing and copies nothing.
        QVERIFY(QFile::remove(kept));
        conn().setDatabasePath(live);
        Database::upgradeOnOpen(conn());
        QCOMPARE(conn().scalar(u"SELECT count(*) FROM XJRJZ"_s).toInt(), 5);
        QCOMPARE(filesIn(dir->path()), QStringList{u"RARU.DLL"_s});
    }

    // Keys of deleted rows are never handed out again, including the journal keys the first
    // release had already used up.
    void keysAreNeverReused_data()
    {
        QTest::addColumn<QString>("insert");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("firstNewKey");
        QTest::newRow("operators") << u"INSERT INTO tuser (username, password) VALUES ('new', 'x')"_s << u"userID"_s << u"tuser"_s << 4;
        QTest::newRow("bank accounts") << u"INSERT INTO bankInfo (bankName) VALUES ('新银行')"_s << u"bankID"_s << u"bankInfo"_s << 3;
        QTest::newRow("cash entries") << u"INSERT INTO XJRJZ (ZhanYao) VALUES ('收款')"_s << u"autoID"_s << u"XJRJZ"_s << 7;
    }
    void keysAreNeverReused()
    {
        QFETCH(QString, insert);
        QFETCH(QString, key);
        QFETCH(QString, table);
        QFETCH(int, firstNewKey);
        copyFixture();
        conn().setDatabasePath(live);
        Database::upgradeOnOpen(conn());
        const QString newest = u"SELECT max(%1) FROM %2"_s.arg(key, table);
        conn().run(insert);
        QCOMPARE(conn().scalar(newest).toInt(), firstNewKey);
        conn().run(u"DELETE FROM %1 WHERE %2 = ?"_s.arg(table, key), {firstNewKey});
        conn().run(insert);
        QCOMPARE(conn().scalar(newest).toInt(), firstNewKey + 1);
    }

    void refusedFilesStayUntouched_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QStringList>("said");
        const QString newer = QString::number(SchemaVersion::current + 1);
        QTest::newRow("newer") << u"PRAGMA user_version = %1;"_s.arg(newer)
                               << QStringList{newer, QString::number(SchemaVersion::current), u"新"_s};
        QTest::newRow("another program's") << u"DROP TABLE FinscalYearMonth; PRAGMA user_version = 0;"_s
                                           << QStringList{u"不是本系统的数据库文件"_s};
    }
    void refusedFilesStayUntouched()
    {
        QFETCH(QString, setup);
        QFETCH(QStringList, said);
        Database::createEmpty(live);
        withPlainConnection(live, [&] {
            for (const QString& s : SchemaUpgrade::statementsOf(setup))
                conn().run(s);
        });
        const QByteArray before = fileBytes(live);
        conn().setDatabasePath(live);
        Database::upgradeOnOpen(conn());
        try {
            conn().open();
            QFAIL("opened");
        } catch (const AppError& e) {
            for (const QString& s : said)
                QVERIFY2(e.message().contains(s), qPrintable(e.message()));
        }
        QVERIFY(!conn().isOpen());
        QCOMPARE(fileBytes(live), before);
    }

    // A failing step rolls back every step before it too.
    void failedUpgradeLeavesTheFirstReleaseFile()
    {
        copyFixture();
        withPlainConnection(live, [&] { conn().run(u"CREATE TABLE YHRJZ_new (x)"_s); });
        const QByteArray before = fileBytes(live);
        conn().setDatabasePath(live);
        Database::upgradeOnOpen(conn());
        try {
            conn().open();
            QFAIL("opened");
        } catch (const AppError& e) {
            QVERIFY2(e.message().contains(u"数据库升级失败"_s) && e.message().contains(u"YHRJZ_new"_s), qPrintable(e.message()));
        }
        QCOMPARE(fileBytes(live), before);
    }

    void deliveredFileIsAtTheCurrentVersion()
    {
        Database::createDelivered(live);
        QCOMPARE(Database::fileVersion(live), SchemaVersion::current);
        QCOMPARE(Database::fileVersion(firstReleaseFixture()), SchemaVersion::firstRelease);
        conn().setDatabasePath(live);
        Database::upgradeOnOpen(conn());
        const QStringList rights = Database::rightsColumns();
        QCOMPARE(conn().scalar(u"SELECT %1 FROM tuser WHERE username = 'admin'"_s.arg(rights.join(u'+'))).toInt(),
                 int(rights.size()));
        QCOMPARE(filesIn(dir->path()), QStringList{u"RARU.DLL"_s});
    }

    // SQLite's length() stops at a NUL, so text with one is refused outright; the boxes still read
    // their width from the check.
    void widthChecksRefuseTextWithNul_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("accepted");
        const QString detail = u"INSERT INTO XJRJZ (Detail) VALUES (?)"_s;
        QTest::newRow("200 characters") << detail << QString(200, u'明') << true;
        QTest::newRow("201 characters") << detail << QString(201, u'明') << false;
        QTest::newRow("NUL then 10000") << detail << (u"a"_s + QChar(u'\0') + QString(10000, u'x')) << false;
        QTest::newRow("one NUL") << u"INSERT INTO YHRJZ (KaiHuBank) VALUES (?)"_s << QString(QChar(u'\0')) << false;
        QTest::newRow("user name") << u"INSERT INTO tuser (username) VALUES (?)"_s << (u"bob"_s + QChar(u'\0') + u"x"_s) << false;
        QTest::newRow("account") << u"INSERT INTO bankInfo (bankName) VALUES (?)"_s << (u"工行"_s + QChar(u'\0')) << false;
        QTest::newRow("summary") << u"INSERT INTO ZhanYao (ZhanYao) VALUES (?)"_s << (QChar(u'\0') + QString(70, u'摘')) << false;
    }
    void widthChecksRefuseTextWithNul()
    {
        QFETCH(QString, sql);
        QFETCH(QString, value);
        QFETCH(bool, accepted);
        TestDatabase db(TestDatabase::Content::Empty);
        bool ok = true;
        try {
            db.exec(sql, {value});
        } catch (const AppError&) {
            ok = false;
        }
        QCOMPARE(ok, accepted);
        QCOMPARE(conn().columnWidth(u"XJRJZ"_s, u"Detail"_s), 200);
        QCOMPARE(conn().columnWidth(u"tuser"_s, u"username"_s), 50);
        QCOMPARE(conn().columnWidth(u"bankInfo"_s, u"bankName"_s), 60);
    }

    void scriptsSplitIntoWholeStatements()
    {
        const QStringList st = SchemaUpgrade::statementsOf(
            u"-- a comment; with a semicolon\nCREATE TABLE t (x TEXT DEFAULT ';');\n"
            "CREATE TRIGGER r BEFORE INSERT ON t BEGIN\n  SELECT 1;\n  SELECT RAISE(ABORT, 'no; never');\nEND;\n\n"
            "INSERT INTO t VALUES ('a');"_s);
        QCOMPARE(st.size(), 3);
        QVERIFY(st[1].startsWith(u"CREATE TRIGGER"_s));
        QVERIFY(st[1].endsWith(u"END;"_s));
        QVERIFY_THROWS_EXCEPTION(AppError, SchemaUpgrade::statementsOf(u"CREATE TABLE t (x)"_s));
    }
};

QTEST_GUILESS_MAIN(TestUpgrade)
#include "test_upgrade.moc"
