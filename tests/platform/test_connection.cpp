#include "AppError.h"
#include "Connection.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestConnection : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    Connection& conn = Connection::instance();

private Q_SLOTS:
    void cleanup() { conn.close(); }

    void missingFileIsNeverCreated()
    {
        const QString path = dir.filePath(QStringLiteral("RARU.DLL"));
        conn.setDatabasePath(path);
        try {
            conn.database();
            QFAIL("opened a missing file");
        } catch (const AppError& e) {
            QVERIFY2(e.message().contains(path), qPrintable(e.message()));
        }
        QVERIFY(!QFile::exists(path));
    }

    void foreignFileIsRefusedWithItsPath()
    {
        const QString path = dir.filePath(QStringLiteral("text.DLL"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("this is not a database file at all, just some words to fill the header........");
        f.close();
        conn.setDatabasePath(path);
        try {
            conn.database();
            QFAIL("opened a text file");
        } catch (const AppError& e) {
            QVERIFY2(e.message().contains(path), qPrintable(e.message()));
        }
    }

    void pathWithSpacesAndChineseOpens()
    {
        const QString folder = dir.filePath(QStringLiteral("我的 账本 #1"));
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + QStringLiteral("/RARU.DLL");
        Connection::createFile(path, {{QStringLiteral("CREATE TABLE t (x)"), {}}, {QStringLiteral("INSERT INTO t VALUES (42)"), {}}});
        conn.setDatabasePath(path);
        QCOMPARE(conn.scalar(QStringLiteral("SELECT x FROM t")).toInt(), 42);
    }

    void transactionRollsBackUnlessCommitted()
    {
        const QString path = dir.filePath(QStringLiteral("tx.db"));
        Connection::createFile(path, {{QStringLiteral("CREATE TABLE t (x)"), {}}});
        conn.setDatabasePath(path);
        {
            Transaction t;
            conn.run(QStringLiteral("INSERT INTO t VALUES (1)"));
        }
        QCOMPARE(conn.scalar(QStringLiteral("SELECT count(*) FROM t")).toInt(), 0);
        {
            Transaction t;
            conn.run(QStringLiteral("INSERT INTO t VALUES (1)"));
            t.commit();
        }
        QCOMPARE(conn.scalar(QStringLiteral("SELECT count(*) FROM t")).toInt(), 1);
    }

    void driverErrorsRaise()
    {
        const QString path = dir.filePath(QStringLiteral("err.db"));
        Connection::createFile(path, {{QStringLiteral("CREATE TABLE t (x)"), {}}});
        conn.setDatabasePath(path);
        QVERIFY_THROWS_EXCEPTION(AppError, conn.run(QStringLiteral("SELECT nothing FROM nowhere")));
    }
};

QTEST_GUILESS_MAIN(TestConnection)
#include "test_connection.moc"
