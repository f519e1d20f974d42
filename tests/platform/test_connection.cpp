#include "AppError.h"
#include "Connection.h"
#include "SameName.h"

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

    // The program's sameness of names agrees with the store's NOCASE column comparison.
    void sameNameIsTheStoresRule_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("same");
        QTest::newRow("ascii case") << "ICBC" << "icbc" << true;
        QTest::newRow("identical chinese") << "工商银行" << "工商银行" << true;
        QTest::newRow("full-width case") << "ＩＣＢＣ" << "ｉｃｂｃ" << false;
        QTest::newRow("accented case") << "Éva" << "éva" << false;
        QTest::newRow("full-width against ascii") << "ＩＣＢＣ" << "ICBC" << false;
        QTest::newRow("trailing blank") << "ICBC " << "ICBC" << false;
        QTest::newRow("brackets beside letters") << "[" << "{" << false;
    }
    void sameNameIsTheStoresRule()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, same);
        const QString path = dir.filePath(QStringLiteral("names.db"));
        QFile::remove(path);
        Connection::createFile(path, {{QStringLiteral("CREATE TABLE t (name TEXT COLLATE NOCASE)"), {}},
                                      {QStringLiteral("INSERT INTO t VALUES (?)"), {a}}});
        conn.setDatabasePath(path);
        QCOMPARE(conn.scalar(QStringLiteral("SELECT count(*) FROM t WHERE name = ?"), {b}).toInt() == 1, same);
        QCOMPARE(sameName(a, b), same);
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
