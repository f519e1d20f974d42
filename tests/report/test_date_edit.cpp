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
