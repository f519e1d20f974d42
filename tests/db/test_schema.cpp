#include "AppError.h"
#include "Connection.h"
#include "Database.h"
#include "PasswordHash.h"
#include "TestDatabase.h"

#include <QTest>

class TestSchema : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void columnsInTheirOrder_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("columns");
        QTest::newRow("cash") << "XJRJZ"
                              << "autoID YeWuRQ PingZhengNo ZhanYao Detail ZhanYaoType QCJE JieFang DaiFang YuE JingBR Fillter FilltDate Remark faPiaoDW KeMuDM MakeTime";
        QTest::newRow("bank") << "YHRJZ"
                              << "autoID yewuRQ PingZhengNo Zhanyao Detail Shuxing JieFang DaiFang YuE JingBR Fillter FilltDate Remark KaiHuBank FaPiaoDW KeMuDM";
        QTest::newRow("summary") << "ZhanYao" << "AutoID Code ZhanYao ZYType Fillter FilltDate KuMuCode";
        QTest::newRow("operators") << "tuser" << "username password F1 F2 F3 F4 F5 F6 F7 F8 F9 F0 F11 F12 F13 F14 userID";
        QTest::newRow("period") << "FinscalYearMonth" << "YearMonth";
        QTest::newRow("accounts") << "bankInfo" << "bankName bankID";
    }
    void columnsInTheirOrder()
    {
        QFETCH(QString, table);
        QFETCH(QString, columns);
        TestDatabase db(TestDatabase::Content::Empty);
        const QStringList got = Connection::instance().column(QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table});
        QCOMPARE(got.join(u' '), columns);
    }

    void deliveredContent()
    {
        TestDatabase db(TestDatabase::Content::Delivered, QDateTime(QDate(2024, 3, 15), QTime(9, 30)));
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM FinscalYearMonth")).toInt(), 1);
        QCOMPARE(db.scalar(QStringLiteral("SELECT YearMonth FROM FinscalYearMonth")).toString(), QStringLiteral("2024-03-15 09:30:00"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM tuser")).toInt(), 1);
        QCOMPARE(db.scalar(QStringLiteral("SELECT F1+F2+F3+F4+F5+F6+F7+F8+F9+F0+F11+F12+F13+F14 FROM tuser")).toInt(), 14);
        const QString stored = db.scalar(QStringLiteral("SELECT password FROM tuser WHERE username='admin'")).toString();
        QVERIFY(stored != Database::deliveredPassword);
        QVERIFY(PasswordHash::verify(stored, Database::deliveredPassword));
        QCOMPARE(Database::deliveredPassword.size(), 5);
    }

    void widthsAreEnforced_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("accepted");
        const QString handler = QStringLiteral("INSERT INTO XJRJZ (JingBR) VALUES (?)");
        const QString summary = QStringLiteral("INSERT INTO ZhanYao (ZhanYao) VALUES (?)");
        const QString entry = QStringLiteral("INSERT INTO YHRJZ (Zhanyao) VALUES (?)");
        QTest::newRow("handler of 8") << handler << QString(8, u'张') << true;
        QTest::newRow("handler of 9") << handler << QString(9, u'张') << false;
        QTest::newRow("summary of 60") << summary << QString(60, u'摘') << true;
        QTest::newRow("summary of 61") << summary << QString(61, u'摘') << false;
        QTest::newRow("60 fits an entry") << entry << QString(60, u'摘') << true;
        QTest::newRow("money as text") << QStringLiteral("INSERT INTO XJRJZ (JieFang) VALUES (?)") << QStringLiteral("abc") << false;
        QTest::newRow("date in another form") << QStringLiteral("INSERT INTO XJRJZ (YeWuRQ) VALUES (?)") << QStringLiteral("2024/3/1") << false;
    }
    void widthsAreEnforced()
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
    }

    void namesAndTextFoldCase()
    {
        TestDatabase db;
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM tUser WHERE userName=?"), {QStringLiteral("ADMIN")}).toInt(), 1);
        db.exec(QStringLiteral("INSERT INTO zhanyao (zhanyao) VALUES ('Rent')"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM ZhanYao WHERE ZhanYao='rent'")).toInt(), 1);
    }
};

QTEST_GUILESS_MAIN(TestSchema)
#include "test_schema.moc"
