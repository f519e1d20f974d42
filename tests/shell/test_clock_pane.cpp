// The status bar's clock pane: its text form and that it keeps itself current.
#include "ClockPane.h"

#include <QLocale>
#include <QTest>
#include <QTimer>

class TestClockPane : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void shortDateAndTimeWithSeconds()
    {
        const QDateTime t(QDate(2024, 3, 15), QTime(9, 41, 7));
        const QString text = ClockPane::clockText(t);
        const QLocale locale = QLocale::system();
        QVERIFY2(text.startsWith(locale.toString(t.date(), QLocale::ShortFormat) + u' '), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("41")) && text.contains(QStringLiteral("07")), qPrintable(text));
        // The time zone's name does not crowd the pane.
        QVERIFY2(!text.contains(t.timeZoneAbbreviation()) || t.timeZoneAbbreviation().isEmpty(), qPrintable(text));
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
