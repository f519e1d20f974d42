// The rights lookup against a real database file: every column, nulls, unknown and empty
// operators, quotes in names, and no caching between calls.
#include "AppError.h"
#include "Database.h"
#include "TestDatabase.h"
#include "uDM.h"

#include <QTest>

class TestHasRight : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { DM = new TDM(this); }
    void init() { DM->CurrentUser.clear(); }

    void eachColumnAnswersForItselfOnly_data()
    {
        QTest::addColumn<QString>("column");
        for (const QString& c : Database::rightsColumns())
            QTest::newRow(qPrintable(c)) << c;
    }
    void eachColumnAnswersForItselfOnly()
    {
        QFETCH(QString, column);
        TestDatabase db(TestDatabase::Content::Empty);
        TestDatabase::addOperator(QStringLiteral("clerk"), QStringLiteral("pw"), {column});
        DM->CurrentUser = QStringLiteral("clerk");
        for (const QString& c : Database::rightsColumns())
            QCOMPARE(DM->HasRight(c), c == column);
    }

    void fourteenColumnsWithoutF10ThenLaterRights()
    {
        // The first release's fourteen, then those later versions added.
        const QStringList cols = Database::rightsColumns();
        QCOMPARE(cols.mid(0, 14), (QStringList{QStringLiteral("F1"), QStringLiteral("F2"), QStringLiteral("F3"), QStringLiteral("F4"),
                                               QStringLiteral("F5"), QStringLiteral("F6"), QStringLiteral("F7"), QStringLiteral("F8"),
                                               QStringLiteral("F9"), QStringLiteral("F0"), QStringLiteral("F11"), QStringLiteral("F12"),
                                               QStringLiteral("F13"), QStringLiteral("F14")}));
        QCOMPARE(cols.mid(14), (QStringList{QStringLiteral("F15"), QStringLiteral("F16"), QStringLiteral("F17"), QStringLiteral("F18")}));
        QVERIFY(!cols.contains(QStringLiteral("F10")));
    }

    void deliveredAdminHoldsEveryRight()
    {
        TestDatabase db;
        DM->CurrentUser = Database::deliveredOperator;
        for (const QString& c : Database::rightsColumns())
            QVERIFY2(DM->HasRight(c), qPrintable(c));
    }

    void nullRightIsNoRight()
    {
        TestDatabase db(TestDatabase::Content::Empty);
        TestDatabase::exec(QStringLiteral("INSERT INTO tuser (username, password) VALUES ('nobody', 'x')"));
        DM->CurrentUser = QStringLiteral("nobody");
        for (const QString& c : Database::rightsColumns())
            QVERIFY2(!DM->HasRight(c), qPrintable(c));
    }

    void unknownOperatorHasNoRight()
    {
        TestDatabase db;
        DM->CurrentUser = QStringLiteral("stranger");
        for (const QString& c : Database::rightsColumns())
            QVERIFY(!DM->HasRight(c));
    }

    void emptyCurrentUserHasNoRight()
    {
        TestDatabase db;
        // Before the first login nobody is logged in, and nothing is granted.
        QVERIFY(DM->CurrentUser.isEmpty());
        for (const QString& c : Database::rightsColumns())
            QVERIFY(!DM->HasRight(c));
    }

    void nameWithQuoteIsFound()
    {
        TestDatabase db(TestDatabase::Content::Empty);
        TestDatabase::addOperator(QStringLiteral("O'Neil"), QStringLiteral("pw"), {QStringLiteral("F5")});
        DM->CurrentUser = QStringLiteral("O'Neil");
        QVERIFY(DM->HasRight(QStringLiteral("F5")));
        QVERIFY(!DM->HasRight(QStringLiteral("F6")));
        // A quote that would close a pasted literal finds nobody and harms nothing.
        DM->CurrentUser = QStringLiteral("x' OR '1'='1");
        QVERIFY(!DM->HasRight(QStringLiteral("F5")));
        QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT count(*) FROM tuser")).toInt(), 1);
    }

    void rightRemovedTakesEffectAtOnce()
    {
        TestDatabase db(TestDatabase::Content::Empty);
        TestDatabase::addOperator(QStringLiteral("clerk"), QStringLiteral("pw"), {QStringLiteral("F5")});
        DM->CurrentUser = QStringLiteral("clerk");
        QVERIFY(DM->HasRight(QStringLiteral("F5")));
        TestDatabase::exec(QStringLiteral("UPDATE tuser SET F5 = 0 WHERE username = ?"), {QStringLiteral("clerk")});
        QVERIFY(!DM->HasRight(QStringLiteral("F5")));
        TestDatabase::exec(QStringLiteral("UPDATE tuser SET F5 = NULL WHERE username = ?"), {QStringLiteral("clerk")});
        QVERIFY(!DM->HasRight(QStringLiteral("F5")));
        TestDatabase::exec(QStringLiteral("UPDATE tuser SET F5 = 1 WHERE username = ?"), {QStringLiteral("clerk")});
        QVERIFY(DM->HasRight(QStringLiteral("F5")));
    }

    void notAColumnIsRefused_data()
    {
        QTest::addColumn<QString>("column");
        QTest::newRow("F10") << QStringLiteral("F10");
        QTest::newRow("F19") << QStringLiteral("F19");
        QTest::newRow("password") << QStringLiteral("password");
        QTest::newRow("pasted") << QStringLiteral("F1 From tuser; DROP TABLE tuser; --");
    }
    void notAColumnIsRefused()
    {
        QFETCH(QString, column);
        TestDatabase db;
        DM->CurrentUser = Database::deliveredOperator;
        QVERIFY_THROWS_EXCEPTION(AppError, DM->HasRight(column));
        QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT count(*) FROM tuser")).toInt(), 1);
    }
};

QTEST_GUILESS_MAIN(TestHasRight)
#include "test_hasright.moc"
