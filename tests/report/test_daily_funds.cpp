// The daily fund report against a real database file: two operators, cash and three bank
// accounts (two in the catalogue, one only named by entries), opening entries on the 1st and
// within the month, a day without entries, the first and the last day of a month. Every figure
// below is worked out by hand from the fixture.
#include "DailyFunds.h"
#include "Dataset.h"
#include "ReportFixture.h"

#include <QTest>

namespace {
const QString zhang = QStringLiteral("张三");
const QString li = QStringLiteral("李四");
const QString icbc = QStringLiteral("工商银行");
const QString abc = QStringLiteral("农业银行");
const QString ccb = QStringLiteral("建设银行");
const QString opening = QStringLiteral("期初金额");

void fixture()
{
    TestDatabase::exec(QStringLiteral("INSERT INTO bankInfo (bankName) VALUES (?), (?)"), {icbc, abc});
    const auto cash = [](const char* when, const QString& summary, const char* debit, const char* credit, const QString& user) {
        addCash({QString::fromLatin1(when), {}, summary, QString::fromLatin1(debit), QString::fromLatin1(credit), user});
    };
    const auto bank = [](const char* when, const QString& account, const QString& summary, const char* debit,
                         const char* credit, const QString& user) {
        Entry e{QString::fromLatin1(when), {}, summary, QString::fromLatin1(debit), QString::fromLatin1(credit), user};
        e.bank = account;
        addBank(e);
    };
    const QString in = QStringLiteral("收款"), out = QStringLiteral("付款");
    cash("2024-02-29 12:00:00", in, "777", "", zhang); // the month before
    cash("2024-03-01 00:00:00", opening, "1000", "", zhang);
    cash("2024-03-01 00:00:00", opening, "500", "", li);
    cash("2024-03-01 09:00:00", in, "200", "", zhang);
    cash("2024-03-01 10:00:00", out, "", "50.5", li);
    cash("2024-03-04 11:00:00", in, "300", "", zhang);
    cash("2024-03-04 15:00:00", out, "", "120.25", zhang);
    cash("2024-03-04 16:00:00", out, "", "80", li);
    cash("2024-03-31 23:59:59", in, "10", "", li);
    cash("2024-04-01 00:00:00", in, "999", "", zhang); // the month after
    bank("2024-03-01 00:00:00", icbc, opening, "20000", "", zhang);
    bank("2024-03-04 10:00:00", icbc, out, "", "5000", zhang);
    bank("2024-03-04 10:30:00", icbc, in, "1234.5678", "", li);
    bank("2024-03-04 08:00:00", ccb, opening, "3000", "", li); // an opening entry dated within the month
    bank("2024-03-04 12:00:00", QStringLiteral("建设银行"), in, "700", "", li);
}

// "account|previous|receipts|payments|balance|receipt count|payment count"
QString line(const FundRow& r)
{
    return QStringList{r.account, r.previous.toString(), r.receipts.toString(), r.payments.toString(), r.balance.toString(),
                       QString::number(r.receiptCount), QString::number(r.paymentCount)}
        .join(u'|');
}
QStringList lines(const DailyFundReport& rep)
{
    QStringList out;
    for (const FundRow& r : rep.rows)
        out << line(r);
    out << line(rep.total);
    return out;
}
QStringList utf8(std::initializer_list<const char*> rows)
{
    QStringList out;
    for (const char* r : rows)
        out << QString::fromUtf8(r);
    return out;
}
} // namespace

class TestDailyFunds : public QObject {
    Q_OBJECT
    std::unique_ptr<TestDatabase> db;

private Q_SLOTS:
    void init()
    {
        db = std::make_unique<TestDatabase>();
        fixture();
    }
    void cleanup() { db.reset(); }

    void figures_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QString>("only"); // empty: every operator
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("first day: the opening is the day before")
            << QDate(2024, 3, 1) << QString()
            << utf8({"现金|1500|200|50.5|1649.5|1|1", "工商银行|20000|0|0|20000|0|0", "农业银行|0|0|0|0|0|0",
                     "合计|21500|200|50.5|21649.5|1|1"});
        QTest::newRow("a day without entries")
            << QDate(2024, 3, 2) << QString()
            << utf8({"现金|1649.5|0|0|1649.5|0|0", "工商银行|20000|0|0|20000|0|0", "农业银行|0|0|0|0|0|0",
                     "合计|21649.5|0|0|21649.5|0|0"});
        QTest::newRow("an account named only by entries; an opening dated that day")
            << QDate(2024, 3, 4) << QString()
            << utf8({"现金|1649.5|300|200.25|1749.25|1|2", "工商银行|20000|1234.5678|5000|16234.5678|1|1",
                     "农业银行|0|0|0|0|0|0", "建设银行|3000|700|0|3700|1|0", "合计|24649.5|2234.5678|5200.25|21683.8178|3|3"});
        QTest::newRow("last day of the month")
            << QDate(2024, 3, 31) << QString()
            << utf8({"现金|1749.25|10|0|1759.25|1|0", "工商银行|16234.5678|0|0|16234.5678|0|0", "农业银行|0|0|0|0|0|0",
                     "建设银行|3700|0|0|3700|0|0", "合计|21683.8178|10|0|21693.8178|1|0"});
        QTest::newRow("first day of the next month starts from its own opening")
            << QDate(2024, 4, 1) << QString()
            << utf8({"现金|0|999|0|999|1|0", "工商银行|0|0|0|0|0|0", "农业银行|0|0|0|0|0|0", "合计|0|999|0|999|1|0"});
        QTest::newRow("one operator's entries")
            << QDate(2024, 3, 4) << zhang
            << utf8({"现金|1200|300|120.25|1379.75|1|1", "工商银行|20000|0|5000|15000|0|1", "农业银行|0|0|0|0|0|0",
                     "合计|21200|300|5120.25|16379.75|1|2"});
    }
    void figures()
    {
        QFETCH(QDate, day);
        QFETCH(QString, only);
        QFETCH(QStringList, expected);
        const DailyFundReport rep = dailyFundReport(day, only.isEmpty() ? OperatorFilter() : OperatorFilter(only));
        QCOMPARE(lines(rep), expected);
        for (const FundRow& r : rep.rows)
            QCOMPARE(r.previous + r.receipts - r.payments, r.balance);
    }

    // Account names compare without regard to letter case, as the journal stores them.
    void accountsMatchWithoutLetterCase()
    {
        TestDatabase::exec(QStringLiteral("INSERT INTO bankInfo (bankName) VALUES ('Bank of Test')"));
        Entry e{QStringLiteral("2024-03-05 09:00:00"), {}, QStringLiteral("收款"), QStringLiteral("5"), {}, zhang};
        e.bank = QStringLiteral("BANK OF TEST");
        addBank(e);
        const DailyFundReport rep = dailyFundReport(QDate(2024, 3, 5), {});
        QCOMPARE(rep.rows.size(), 5);
        QCOMPARE(line(rep.rows[3]), QStringLiteral("Bank of Test|0|5|0|5|1|0"));
    }

    // Full-width letters are not folded by the store: ＩＣＢＣ and ｉｃｂｃ are two accounts, in the
    // report and in the chart month alike, each with its own money.
    void fullWidthNamesStayTwoAccounts()
    {
        for (const auto& [account, debit] : {std::pair{QStringLiteral("ＩＣＢＣ"), "5"}, std::pair{QStringLiteral("ｉｃｂｃ"), "6"}}) {
            Entry e{QStringLiteral("2024-03-05 09:00:00"), {}, QStringLiteral("收款"), QString::fromLatin1(debit), {}, zhang};
            e.bank = account;
            addBank(e);
        }
        QStringList reported;
        for (const FundRow& r : dailyFundReport(QDate(2024, 3, 5), {}).rows)
            if (r.account.startsWith(QChar(0xFF29)) || r.account.startsWith(QChar(0xFF49)))
                reported << line(r);
        QCOMPARE(reported, (QStringList{QStringLiteral("ＩＣＢＣ|0|5|0|5|1|0"), QStringLiteral("ｉｃｂｃ|0|6|0|6|1|0")}));
        QStringList charted;
        for (const AccountMonth& m : monthOfAccounts(QDate(2024, 3, 5), {}))
            if (m.account.startsWith(QChar(0xFF29)) || m.account.startsWith(QChar(0xFF49)))
                charted << m.account + u'|' + m.receipts[4].toString();
        QCOMPARE(charted, (QStringList{QStringLiteral("ＩＣＢＣ|5"), QStringLiteral("ｉｃｂｃ|6")}));
    }

    // The grid shows the same statement: its columns and one row per account.
    void statementShapesTheGrid()
    {
        const Connection::Statement st = dailyFundStatement(QDate(2024, 3, 4), {});
        Dataset ds;
        ds.open(st.sql, st.params);
        QCOMPARE(ds.rowCount(), 4);
        for (const QString& f : {DailyFundField::account, DailyFundField::previous, DailyFundField::receipts,
                                 DailyFundField::payments, DailyFundField::balance, DailyFundField::receiptCount,
                                 DailyFundField::paymentCount})
            QVERIFY2(ds.hasField(f), qPrintable(f));
    }

    void monthForTheChart()
    {
        const QVector<AccountMonth> month = monthOfAccounts(QDate(2024, 3, 17), {});
        QCOMPARE(month.size(), 4);
        QCOMPARE(month[0].account, cashAccountName());
        QCOMPARE(month[0].dayEnd.size(), 31);
        const auto m = [](const char* t) { return Money::parse(QString::fromLatin1(t)).value(); };
        QCOMPARE(month[0].dayEnd[0], m("1649.5"));
        QCOMPARE(month[0].dayEnd[2], m("1649.5"));
        QCOMPARE(month[0].dayEnd[3], m("1749.25"));
        QCOMPARE(month[0].dayEnd[30], m("1759.25"));
        QCOMPARE(month[0].receipts[0], m("200")); // the opening entries are no receipts
        QCOMPARE(month[0].payments[3], m("200.25"));
        QCOMPARE(month[3].account, ccb);
        QCOMPARE(month[3].dayEnd[2], Money());
        QCOMPARE(month[3].dayEnd[3], m("3700"));
        QCOMPARE(month[3].receipts[3], m("700"));
        // Each day's end agrees with the report of that day.
        for (int d : {1, 2, 4, 31})
            for (int a = 0; a < month.size(); ++a) {
                const DailyFundReport rep = dailyFundReport(QDate(2024, 3, d), {});
                for (const FundRow& r : rep.rows)
                    if (r.account == month[a].account)
                        QCOMPARE(r.balance, month[a].dayEnd[d - 1]);
            }
    }
};

QTEST_MAIN(TestDailyFunds)
#include "test_daily_funds.moc"
