// The date edit that may hold no date.
#include "DateEdit.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

class TestDateEdit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startsEmpty()
    {
        DateEdit d;
        QVERIFY(d.isEmpty());
        QVERIFY(!d.value().isValid());
        QCOMPARE(d.text().trimmed(), QString());
    }

    void holdsAndClearsADate()
    {
        DateEdit d;
        QSignalSpy changed(&d, &DateEdit::valueChanged);
        d.setValue(QDate(2024, 2, 29));
        QVERIFY(!d.isEmpty());
        QCOMPARE(d.value(), QDate(2024, 2, 29));
        QCOMPARE(d.text(), QStringLiteral("2024-02-29"));
        d.setValue(QDate());
        QVERIFY(d.isEmpty());
        QCOMPARE(changed.size(), 2);
        QVERIFY(!changed.last().first().toDate().isValid());
    }

    void stepFromEmptyStartsToday()
    {
        DateEdit d;
        d.stepBy(1);
        QCOMPARE(d.value(), QDate::currentDate());
        d.stepBy(1);
        QVERIFY(d.value() > QDate::currentDate());
    }

    void deleteOverTheWholeTextEmpties()
    {
        DateEdit d;
        d.show();
        d.setValue(QDate(2024, 5, 1));
        d.setFocus();
        d.selectAll();
        QTest::keyClick(&d, Qt::Key_Delete);
        QVERIFY(d.isEmpty());
    }

    // Key by key, as a user types: the date typed, whether the box was empty or filled and
    // selected, with or without separators.
    void typingADateGivesThatDate_data()
    {
        QTest::addColumn<QDate>("before");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QDate>("after");
        const QDate filled(2022, 11, 30);
        QTest::newRow("empty, separators") << QDate() << "2024-03-01" << QDate(2024, 3, 1);
        QTest::newRow("empty, digits only") << QDate() << "20240301" << QDate(2024, 3, 1);
        QTest::newRow("empty, one-digit month") << QDate() << "2024-3-01" << QDate(2024, 3, 1);
        QTest::newRow("empty, slashes") << QDate() << "2024/02/29" << QDate(2024, 2, 29);
        QTest::newRow("filled, separators") << filled << "2024-03-01" << QDate(2024, 3, 1);
        QTest::newRow("filled, digits only") << filled << "20240301" << QDate(2024, 3, 1);
        QTest::newRow("filled, day past today's month length") << QDate(2024, 1, 31) << "2023-02-28" << QDate(2023, 2, 28);
    }
    void typingADateGivesThatDate()
    {
        QFETCH(QDate, before);
        QFETCH(QString, keys);
        QFETCH(QDate, after);
        DateEdit d;
        d.show();
        d.setValue(before);
        d.setFocus();
        if (before.isValid())
            d.selectAll();
        QTest::keyClicks(&d, keys);
        QCOMPARE(d.value(), after);
        QTest::keyClick(&d, Qt::Key_Enter);
        QCOMPARE(d.value(), after);
    }

    void typingIntoAnEmptyBoxGivesADate()
    {
        DateEdit d;
        d.show();
        d.setFocus();
        QTest::keyClicks(&d, QStringLiteral("2023"));
        QVERIFY(!d.isEmpty());
        QCOMPARE(d.value().year(), 2023);
    }
};

QTEST_MAIN(TestDateEdit)
#include "test_date_edit.moc"
