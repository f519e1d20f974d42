// The daily fund report's right F18: a first-release file gains it at its first opening, granted
// to the operators who keep a journal (F5 or F0); the delivered operator holds it.
#include "Connection.h"
#include "Database.h"
#include "Dataset.h"
#include "SchemaVersion.h"
#include "TestDatabase.h"
#include "Upgrades.h"

#include <QTemporaryDir>
#include <QTest>

class TestDailyReportRight : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void grantedToJournalKeepersOnUpgrade()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("RARU.DLL"));
        QList<Connection::Statement> v1;
        for (const QString& s : Database::schemaStatements())
            v1 << Connection::Statement{s, {}};
        const QString add = QStringLiteral("INSERT INTO tuser (username, F5, F0, F1) VALUES (?, ?, ?, ?)");
        v1 << Connection::Statement{add, {QStringLiteral("cash"), 1, 0, 0}}
           << Connection::Statement{add, {QStringLiteral("bank"), QVariant(), 1, 0}}
           << Connection::Statement{add, {QStringLiteral("both"), 1, 1, 1}}
           << Connection::Statement{add, {QStringLiteral("period only"), 0, 0, 1}}
           << Connection::Statement{add, {QStringLiteral("nothing"), QVariant(), QVariant(), QVariant()}};
        Connection::createFile(path, v1);
        QCOMPARE(Database::fileVersion(path), SchemaVersion::firstRelease);

        Connection& c = Connection::instance();
        c.setDatabasePath(path);
        Database::upgradeOnOpen(c);
        Dataset users;
        users.open(QStringLiteral("SELECT username, F18 FROM tuser ORDER BY userID"));
        QStringList granted;
        for (int r = 0; r < users.rowCount(); ++r) {
            const QVariant f18 = users.valueAt(r, 1);
            granted << users.valueAt(r, 0).toString() + u'=' + (f18.isNull() ? QStringLiteral("null") : f18.toString());
        }
        QCOMPARE(granted, QStringList({QStringLiteral("cash=1"), QStringLiteral("bank=1"), QStringLiteral("both=1"),
                                       QStringLiteral("period only=null"), QStringLiteral("nothing=null")}));
        // The column refuses what is no yes/no value, like every rights column.
        QVERIFY_THROWS_EXCEPTION(std::exception, c.run(QStringLiteral("UPDATE tuser SET F18 = 2")));
        c.close();
        c.setOpenCheck({});
        QVERIFY(Database::fileVersion(path) >= SchemaVersion::dailyReportRight);
    }

    void deliveredAdminHoldsIt()
    {
        TestDatabase db;
        QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT F18 FROM tuser WHERE username = ?"), {Database::deliveredOperator}).toInt(), 1);
    }
};

QTEST_MAIN(TestDailyReportRight)
#include "test_daily_report_right.moc"
