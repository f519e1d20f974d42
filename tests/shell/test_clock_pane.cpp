// The status bar's clock pane: its text form and that it keeps itself current.
#include "ClockPane.h"

#include <QTest>
#include <QTimer>

class TestClockPane : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void dateAndTimeWithSeconds()
    {
        const QDateTime t(QDate(2024, 3, 15), QTime(9, 41, 7));
        const QString text = ClockPane::clockText(t);
        // The Chinese way whatever the system's locale; no time-zone name crowds the pane.
        QCOMPARE(text, QStringLiteral("2024-03-15 09:41:07"));
    }

    void showsTheCurrentTimeAndTicksByItself()
    {
        ClockPane pane;
        QVERIFY(pane.timer()->isActive());
        QVERIFY(pane.timer()->interval() <= 1000);
        const QString before = pane.text();
        QVERIFY(!before.isEmpty());
        // The seconds move on without anybody calling refresh().
        QTRY_VERIFY_WITH_TIMEOUT(pane.text() != before, 5000);
        QCOMPARE(pane.text().left(4), ClockPane::clockText(QDateTime::currentDateTime()).left(4));
    }
};

QTEST_MAIN(TestClockPane)
#include "test_clock_pane.moc"
