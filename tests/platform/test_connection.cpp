#include "AppError.h"
#include "Connection.h"
#include "DatabaseFile.h"
#include "OtherProgram.h"
#include "Session.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <thread>

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
            conn.open();
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
            conn.open();
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
        DatabaseFile::create(path, {{QStringLiteral("CREATE TABLE t (x)"), {}}, {QStringLiteral("INSERT INTO t VALUES (42)"), {}}});
        conn.setDatabasePath(path);
        QCOMPARE(conn.scalar(QStringLiteral("SELECT x FROM t")).toInt(), 42);
    }

    void transactionRollsBackUnlessCommitted()
    {
        const QString path = dir.filePath(QStringLiteral("tx.db"));
        DatabaseFile::create(path, {{QStringLiteral("CREATE TABLE t (x)"), {}}});
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

    void transactionEndsOnItsOwnSessionWithoutThrowing()
    {
        // The file moves away under an open transaction (as a restore once did) and the program
        // turns to another file: the transaction still ends on the file it began on.
        const QString path = dir.filePath(QStringLiteral("moved.db"));
        DatabaseFile::create(path, {{QStringLiteral("CREATE TABLE t (x)"), {}}});
        conn.setDatabasePath(path);
        const QString away = path + QStringLiteral(".away");
        {
            Transaction t;
            conn.run(QStringLiteral("INSERT INTO t VALUES (1)"));
            QVERIFY(QFile::rename(path, away));
            conn.setDatabasePath(path);
        }
        QCOMPARE(readScalar(away, QStringLiteral("SELECT count(*) FROM t")).toInt(), 0);
        QVERIFY_THROWS_EXCEPTION(AppError, conn.open());
    }

    void nestedTransactionIsASavepoint()
    {
        const QString path = dir.filePath(QStringLiteral("nested.db"));
        DatabaseFile::create(path, {{QStringLiteral("CREATE TABLE t (x)"), {}}});
        conn.setDatabasePath(path);
        {
            Transaction outer;
            conn.run(QStringLiteral("INSERT INTO t VALUES (1)"));
            {
                Transaction dropped;
                conn.run(QStringLiteral("INSERT INTO t VALUES (2)"));
            }
            {
                Transaction kept;
                conn.run(QStringLiteral("INSERT INTO t VALUES (3)"));
                kept.commit();
            }
            QCOMPARE(readScalar(path, QStringLiteral("SELECT count(*) FROM t")).toInt(), 0); // nothing before the outer commit
            outer.commit();
        }
        QCOMPARE(conn.column(QStringLiteral("SELECT x FROM t ORDER BY x")), (QStringList{QStringLiteral("1"), QStringLiteral("3")}));
        {
            Transaction outer;
            conn.run(QStringLiteral("INSERT INTO t VALUES (4)"));
            Transaction inner;
            conn.run(QStringLiteral("INSERT INTO t VALUES (5)"));
            inner.commit();
        } // the outer one rolls back what the inner one released into it
        QCOMPARE(conn.scalar(QStringLiteral("SELECT count(*) FROM t")).toInt(), 2);
    }

    void writeTransactionWaitsForAnotherWriter()
    {
        const QString path = dir.filePath(QStringLiteral("wait.db"));
        DatabaseFile::create(path, {{QStringLiteral("CREATE TABLE t (x)"), {}}});
        conn.setDatabasePath(path);
        conn.open();
        OtherProgram other(path);
        QVERIFY(other.exec(QStringLiteral("BEGIN IMMEDIATE")));
        QVERIFY(other.exec(QStringLiteral("INSERT INTO t VALUES ('other')")));
        // The other program finishes its write a little later, well within the wait.
        std::thread finish([&] {
            QThread::msleep(300);
            other.exec(QStringLiteral("COMMIT"));
        });
        try {
            // Reads, then writes: as a save that looks up the row it changes.
            Transaction t;
            const int before = conn.scalar(QStringLiteral("SELECT count(*) FROM t")).toInt();
            conn.run(QStringLiteral("INSERT INTO t VALUES (?)"), {before});
            t.commit();
        } catch (const AppError& e) {
            finish.join();
            QFAIL(qPrintable(e.message()));
        }
        finish.join();
        QCOMPARE(conn.column(QStringLiteral("SELECT x FROM t ORDER BY rowid")), (QStringList{QStringLiteral("other"), QStringLiteral("1")}));
    }

    void lockHeldPastTheWaitIsSaidInChinese_data()
    {
        QTest::addColumn<bool>("opening");
        QTest::newRow("a write") << false;
        QTest::newRow("opening the file") << true;
    }
    void lockHeldPastTheWaitIsSaidInChinese()
    {
        QFETCH(bool, opening);
        const QString path = dir.filePath(QStringLiteral("locked.db"));
        QFile::remove(path);
        DatabaseFile::create(path, {{QStringLiteral("CREATE TABLE t (x)"), {}}});
        conn.setDatabasePath(path);
        if (!opening)
            conn.open();
        OtherProgram other(path);
        QVERIFY(other.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        try {
            conn.run(QStringLiteral("INSERT INTO t VALUES (1)"));
            QFAIL("wrote into a locked file");
        } catch (const AppError& e) {
            QCOMPARE(e.message(), QStringLiteral("数据库正被其他程序使用，请稍后再试"));
        }
        QVERIFY(other.exec(QStringLiteral("ROLLBACK")));
        conn.run(QStringLiteral("INSERT INTO t VALUES (1)")); // once free, the same connection writes
        QCOMPARE(readScalar(path, QStringLiteral("SELECT count(*) FROM t")).toInt(), 1);
    }

    void driverErrorsRaise()
    {
        const QString path = dir.filePath(QStringLiteral("err.db"));
        DatabaseFile::create(path, {{QStringLiteral("CREATE TABLE t (x)"), {}}});
        conn.setDatabasePath(path);
        QVERIFY_THROWS_EXCEPTION(AppError, conn.run(QStringLiteral("SELECT nothing FROM nowhere")));
    }
};

QTEST_GUILESS_MAIN(TestConnection)
#include "test_connection.moc"
