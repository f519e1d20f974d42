// Restore takes a backup of this or any earlier version and upgrades it once it is in place; a
// newer backup, or one whose upgrade fails, leaves the live database as it was.
#include "u_DBbak.h"

#include "AppError.h"
#include "Connection.h"
#include "SchemaUpgrade.h"
#include "TestDatabase.h"
#include "Upgrades.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
QString firstReleaseFixture() { return qEnvironmentVariable("ZZ_TEST_DATA") + u"/../db/fixtures/RARU-v1.DLL"_s; }

int liveCashRows() { return TestDatabase::scalar(u"SELECT count(*) FROM XJRJZ"_s).toInt(); }

} // namespace

class TestRestoreVersions : public QObject {
    Q_OBJECT
    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<QTemporaryDir> out;

private Q_SLOTS:
    void init()
    {
        db = std::make_unique<TestDatabase>();
        out = std::make_unique<QTemporaryDir>();
        TestDatabase::exec(u"INSERT INTO XJRJZ (YeWuRQ, ZhanYao, Fillter) VALUES ('2024-03-02 09:00:00', '现有', 'admin')"_s);
    }
    void cleanup()
    {
        db.reset();
        out.reset();
    }

    void firstReleaseBackupIsUpgradedAfterTheSwap()
    {
        const QString source = out->filePath(u"旧版备份.DLL"_s);
        QVERIFY(QFile::copy(firstReleaseFixture(), source));
        BackupRestore::restore(source);
        QCOMPARE(TestDatabase::scalar(u"PRAGMA user_version"_s).toInt(), SchemaVersion::current);
        QCOMPARE(liveCashRows(), 5);
        QCOMPARE(TestDatabase::scalar(u"SELECT sum(YuE) FROM YHRJZ"_s).toLongLong(), 10000000 - 1000000 + 9987655);
        // The replaced file and the restored file as it came are both kept.
        QCOMPARE(Database::fileVersion(db->path() + u".bak"_s), SchemaVersion::current);
        QCOMPARE(Database::fileVersion(SchemaUpgrade::backupPathBeforeUpgrade(db->path(), SchemaVersion::firstRelease)),
                 SchemaVersion::firstRelease);
        QCOMPARE(Database::fileVersion(source), SchemaVersion::firstRelease); // the chosen file is not changed
    }

    void refusedBackupsLeaveTheLiveDatabase_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("said");
        const QString newer = QString::number(SchemaVersion::current + 1);
        QTest::newRow("newer") << u"PRAGMA user_version = %1"_s.arg(newer)
                               << QStringList{u"不能恢复"_s, newer, QString::number(SchemaVersion::current)};
        QTest::newRow("upgrade fails") << u"CREATE TABLE tuser_new (x)"_s << QStringList{u"数据库升级失败"_s, u"tuser_new"_s};
    }
    void refusedBackupsLeaveTheLiveDatabase()
    {
        QFETCH(QString, change);
        QFETCH(QStringList, said);
        const QString source = out->filePath(u"备份.DLL"_s);
        QVERIFY(QFile::copy(firstReleaseFixture(), source));
        QFile(source).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        Connection::instance().setOpenCheck({});
        Connection::instance().setDatabasePath(source);
        TestDatabase::exec(change);
        Connection::instance().setDatabasePath(db->path());
        Database::upgradeOnOpen(Connection::instance());
        try {
            BackupRestore::restore(source);
            QFAIL("restored");
        } catch (const AppError& e) {
            for (const QString& s : said)
                QVERIFY2(e.message().contains(s), qPrintable(e.message()));
        }
        QCOMPARE(liveCashRows(), 1);
        QCOMPARE(TestDatabase::scalar(u"PRAGMA user_version"_s).toInt(), SchemaVersion::current);
    }
};

QTEST_GUILESS_MAIN(TestRestoreVersions)
#include "test_restore_versions.moc"
