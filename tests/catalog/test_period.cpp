// The accounting period: the month rule in both of its forms, the label, the stored value and
// the period dialog.
#include "FakeMessages.h"
#include "Period.h"
#include "TestDatabase.h"
#include "uYearMonth.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {
QString storedPeriod() { return TestDatabase::scalar(QStringLiteral("Select YearMonth From FinscalYearMonth")).toString(); }
}

class TestPeriod : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void membership_data()
    {
        QTest::addColumn<QString>("period");
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<bool>("inPeriod");
        const QString march = QStringLiteral("2024-03-17");
        QTest::newRow("first instant") << march << QDateTime(QDate(2024, 3, 1), QTime(0, 0, 0)) << true;
        QTest::newRow("last second") << march << QDateTime(QDate(2024, 3, 31), QTime(23, 59, 59)) << true;
        QTest::newRow("mid month") << march << QDateTime(QDate(2024, 3, 17), QTime(12, 0)) << true;
        QTest::newRow("next month's first") << march << QDateTime(QDate(2024, 4, 1), QTime(0, 0, 0)) << false;
        QTest::newRow("previous month's last") << march << QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59)) << false;
        QTest::newRow("same month last year") << march << QDateTime(QDate(2023, 3, 17), QTime(12, 0)) << false;
        QTest::newRow("same month next year") << march << QDateTime(QDate(2025, 3, 1), QTime(0, 0)) << false;
        const QString december = QStringLiteral("2024-12-01");
        QTest::newRow("december's last second") << december << QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59)) << true;
        QTest::newRow("new year's first") << december << QDateTime(QDate(2025, 1, 1), QTime(0, 0)) << false;
        QTest::newRow("empty table's period") << QStringLiteral("1899-12-30") << QDateTime(QDate(2024, 3, 1), QTime(0, 0)) << false;
    }
    void membership()
    {
        QFETCH(QString, period);
        QFETCH(QDateTime, when);
        QFETCH(bool, inPeriod);
        TestDatabase db;
        TestDatabase::exec(QStringLiteral("INSERT INTO XJRJZ (YeWuRQ, ZhanYao, Fillter) VALUES (?, 'x', 'admin')"),
                           {when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))});
        const PeriodRange r = periodRange(period);
        const int listed = TestDatabase::scalar(QStringLiteral("Select count(*) From XJRJZ where YeWuRQ >= ? and YeWuRQ < ?"),
                                                {r.from, r.to})
                               .toInt();
        QCOMPARE(listed == 1, inPeriod);
        QCOMPARE(isInPeriod(when, period), inPeriod);
    }

    void label_data()
    {
        QTest::addColumn<QString>("period");
        QTest::addColumn<QString>("label");
        QTest::newRow("march") << QStringLiteral("2024-03-17") << QStringLiteral("2024年03月");
        QTest::newRow("december") << QStringLiteral("2023-12-01") << QStringLiteral("2023年12月");
        QTest::newRow("empty table") << QStringLiteral("1899-12-30") << QStringLiteral("1899年12月");
    }
    void label()
    {
        QFETCH(QString, period);
        QFETCH(QString, label);
        QCOMPARE(periodLabel(period), label);
    }

    void periodIsReadAfreshEveryTime()
    {
        TestDatabase db(TestDatabase::Content::Delivered, QDateTime(QDate(2024, 3, 17), QTime(9, 30)));
        QCOMPARE(GetPeriodDate(), QStringLiteral("2024-03-17"));
        TestDatabase::exec(QStringLiteral("Update FinscalYearMonth Set YearMonth = '2025-01-05 23:59:59'"));
        QCOMPARE(GetPeriodDate(), QStringLiteral("2025-01-05"));
    }

    void emptyTableGivesTheZeroDate()
    {
        TestDatabase db;
        TestDatabase::exec(QStringLiteral("Delete From FinscalYearMonth"));
        QCOMPARE(GetPeriodDate(), QStringLiteral("1899-12-30"));
    }

    void dialogLoadsTheStoredDateAndKeepsItsOwnTime()
    {
        TestDatabase db(TestDatabase::Content::Delivered, QDateTime(QDate(2024, 3, 17), QTime(9, 30)));
        TfrmYearMonth dlg(nullptr);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("账务年月"));
        QCOMPARE(dlg.Label2->text(), QStringLiteral("账务年月是指当前要记账的年月日期"));
        QCOMPARE(dlg.Label1->text(), QStringLiteral("账务年月"));
        QCOMPARE(dlg.Label1->buddy(), dlg.DateTimePicker1);
        QCOMPARE(dlg.Button1->text(), QStringLiteral("保存"));
        QCOMPARE(dlg.Button2->text(), QStringLiteral("退出"));
        QVERIFY(dlg.DateTimePicker1->calendarPopup());
        QCOMPARE(dlg.DateTimePicker1->date(), QDate(2024, 3, 17));
        // The stored time of day is not taken over: the picker keeps the one it was created with.
        const QTime held = dlg.DateTimePicker1->heldTime();
        QVERIFY(qAbs(held.secsTo(QTime::currentTime())) < 5 || qAbs(held.secsTo(QTime::currentTime())) > 86390);
        QCOMPARE(dlg.DateTimePicker1->fullDateTime(), QDateTime(QDate(2024, 3, 17), held));
    }

    void saveStoresThePickersDateAndTime()
    {
        TestDatabase db;
        FakeMessages messages;
        TfrmYearMonth dlg(nullptr);
        dlg.show();
        dlg.DateTimePicker1->setFullDateTime(QDateTime(QDate(2024, 5, 2), QTime(14, 5, 6)));
        dlg.DateTimePicker1->setDate(QDate(2024, 6, 30)); // replaces the date only
        dlg.Button1->click();
        QCOMPARE(storedPeriod(), QStringLiteral("2024-06-30 14:05:06"));
        QCOMPARE(GetPeriodDate(), QStringLiteral("2024-06-30"));
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].kind, FakeMessages::Kind::Information);
        QCOMPARE(messages.shown[0].text, QStringLiteral("记账年月已修改"));
        QCOMPARE(messages.shown[0].caption, QString()); // the application title
        QVERIFY(!dlg.isVisible());
        // A later opening shows the picker as it was left.
        dlg.show();
        QCOMPARE(dlg.DateTimePicker1->fullDateTime(), QDateTime(QDate(2024, 6, 30), QTime(14, 5, 6)));
    }

    void saveSetsEveryRow()
    {
        TestDatabase db;
        FakeMessages messages;
        TestDatabase::exec(QStringLiteral("INSERT INTO FinscalYearMonth (YearMonth) VALUES ('2020-01-01 00:00:00')"));
        TfrmYearMonth dlg(nullptr);
        dlg.DateTimePicker1->setFullDateTime(QDateTime(QDate(2024, 8, 9), QTime(7, 0, 1)));
        dlg.Button1Click();
        QCOMPARE(TestDatabase::scalar(QStringLiteral("Select count(*) From FinscalYearMonth where YearMonth = '2024-08-09 07:00:01'")).toInt(), 2);
    }

    void exitWritesNothingAndKeepsThePicker()
    {
        TestDatabase db;
        FakeMessages messages;
        const QString before = storedPeriod();
        TfrmYearMonth dlg(nullptr);
        dlg.show();
        dlg.DateTimePicker1->setDate(QDate(2030, 1, 31));
        dlg.Button2->click();
        QVERIFY(!dlg.isVisible());
        QCOMPARE(storedPeriod(), before);
        QVERIFY(messages.shown.isEmpty());
        dlg.show();
        QCOMPARE(dlg.DateTimePicker1->date(), QDate(2030, 1, 31));
    }

    void databaseErrorKeepsTheDialogOpen()
    {
        TestDatabase db;
        FakeMessages messages;
        const QString before = storedPeriod();
        TestDatabase::exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON FinscalYearMonth BEGIN SELECT RAISE(ABORT, '期间已锁定'); END"));
        TfrmYearMonth dlg(nullptr);
        dlg.show();
        dlg.DateTimePicker1->setFullDateTime(QDateTime(QDate(2024, 7, 1), QTime(8, 0)));
        dlg.Button1->click();
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].kind, FakeMessages::Kind::Error);
        QVERIFY2(messages.shown[0].text.contains(QStringLiteral("期间已锁定")), qPrintable(messages.shown[0].text));
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.DateTimePicker1->fullDateTime(), QDateTime(QDate(2024, 7, 1), QTime(8, 0)));
        QCOMPARE(storedPeriod(), before);
    }

    void emptyTableStillReports()
    {
        TestDatabase db;
        FakeMessages messages;
        TestDatabase::exec(QStringLiteral("Delete From FinscalYearMonth"));
        TfrmYearMonth dlg(nullptr);
        QCOMPARE(dlg.DateTimePicker1->date(), QDate::currentDate()); // its initial value
        dlg.show();
        dlg.Button1->click();
        QCOMPARE(messages.texts(), QStringList{QStringLiteral("记账年月已修改")});
        QVERIFY(!dlg.isVisible());
        QCOMPARE(TestDatabase::scalar(QStringLiteral("Select count(*) From FinscalYearMonth")).toInt(), 0);
        QCOMPARE(GetPeriodDate(), QStringLiteral("1899-12-30"));
    }

    void referenceIsClearedOnDestruction()
    {
        TestDatabase db;
        frmYearMonth = new TfrmYearMonth(nullptr);
        delete frmYearMonth;
        QCOMPARE(frmYearMonth, nullptr);
    }
};

QTEST_MAIN(TestPeriod)
#include "test_period.moc"
