#include "Money.h"

#include <QTest>
#include <stdexcept>

class TestMoney : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qlonglong>("units");
        QTest::newRow("whole") << "12" << true << 120000LL;
        QTest::newRow("four decimals") << "1.2345" << true << 12345LL;
        QTest::newRow("negative") << "-0.5" << true << -5000LL;
        QTest::newRow("plus and blanks") << " +3 " << true << 30000LL;
        QTest::newRow("leading dot") << ".5" << true << 5000LL;
        QTest::newRow("trailing dot") << "7." << true << 70000LL;
        QTest::newRow("five decimals") << "1.23456" << false << 0LL;
        QTest::newRow("letters") << "12a" << false << 0LL;
        QTest::newRow("empty") << "" << false << 0LL;
        QTest::newRow("only sign") << "-" << false << 0LL;
        QTest::newRow("comma") << "1,000" << false << 0LL;
        QTest::newRow("largest") << "922337203685477.5807" << true << 9223372036854775807LL;
        QTest::newRow("beyond range") << "922337203685478" << false << 0LL;
        QTest::newRow("twenty digits") << "99999999999999999999" << false << 0LL;
        // The fraction can push an amount past the range whose whole part still fits.
        QTest::newRow("fraction beyond range") << "922337203685477.9999" << false << 0LL;
        QTest::newRow("fraction one past") << "922337203685477.5808" << false << 0LL;
        QTest::newRow("most negative") << "-922337203685477.5808" << true << (-9223372036854775807LL - 1);
        QTest::newRow("below most negative") << "-922337203685477.5809" << false << 0LL;
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(qlonglong, units);
        const auto m = Money::parse(text);
        QCOMPARE(m.has_value(), valid);
        if (valid)
            QCOMPARE(m->units(), units);
    }

    void display_data()
    {
        QTest::addColumn<qlonglong>("units");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0LL << "0";
        QTest::newRow("whole") << 1000000LL << "100";
        QTest::newRow("half") << -5000LL << "-0.5";
        QTest::newRow("four") << 12345LL << "1.2345";
        QTest::newRow("small negative") << -1LL << "-0.0001";
        QTest::newRow("most negative") << (-9223372036854775807LL - 1) << "-922337203685477.5808";
    }
    void display()
    {
        QFETCH(qlonglong, units);
        QFETCH(QString, text);
        QCOMPARE(Money::fromUnits(units).toString(), text);
        QCOMPARE(Money::parse(text)->units(), units);
    }

    void sumsHaveNoDrift()
    {
        Money sum;
        const Money step = *Money::parse(QStringLiteral("0.0001"));
        for (int i = 0; i < 10000; ++i)
            sum += step;
        QCOMPARE(sum.toString(), QStringLiteral("1"));
        QVERIFY(sum == *Money::parse(QStringLiteral("1")));
    }

    void overflowIsRefused()
    {
        const Money big = Money::fromUnits(9223372036854775807LL);
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, big + Money::fromUnits(1));
    }

    void storage()
    {
        QCOMPARE(Money::fromStorage(QVariant()).units(), 0);
        QCOMPARE(Money::fromStorage(QVariant(qlonglong(15))).units(), 15);
        QCOMPARE(Money::fromStorage(Money::fromUnits(-7).toStorage()).units(), -7);
    }
};

QTEST_APPLESS_MAIN(TestMoney)
#include "test_money.moc"
