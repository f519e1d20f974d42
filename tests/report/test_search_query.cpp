// The journal search statement against real database files.
#include "AppError.h"
#include "Connection.h"
#include "ReportFixture.h"
#include "SearchQuery.h"

#include <QTest>

namespace {
const QString me = QStringLiteral("张三");

// Criteria from "field" → text pairs; the range is March 2024 unless given.
SearchCriteria criteriaOf(const QVariantMap& m)
{
    SearchCriteria c;
    c.from = QDate::fromString(m.value(QStringLiteral("from"), QStringLiteral("2024-03-01")).toString(), Qt::ISODate);
    c.to = QDate::fromString(m.value(QStringLiteral("to"), QStringLiteral("2024-03-31")).toString(), Qt::ISODate);
    c.bank = m.value(QStringLiteral("bank")).toString();
    c.voucher = m.value(QStringLiteral("voucher")).toString();
    c.summary = m.value(QStringLiteral("summary")).toString();
    c.debitMin = m.value(QStringLiteral("debitMin")).toString();
    c.debitMax = m.value(QStringLiteral("debitMax")).toString();
    c.creditMin = m.value(QStringLiteral("creditMin")).toString();
    c.creditMax = m.value(QStringLiteral("creditMax")).toString();
    c.invoiceUnit = m.value(QStringLiteral("invoiceUnit")).toString();
    c.detail = m.value(QStringLiteral("detail")).toString();
    c.handler = m.value(QStringLiteral("handler")).toString();
    c.remark = m.value(QStringLiteral("remark")).toString();
    return c;
}

QStringList vouchersFound(JournalKind journal, const SearchCriteria& c, const QString& user = me)
{
    const Connection::Statement st = buildSearch(journal, c, user);
    const Rows found = Connection::instance().rows(st.sql, st.params);
    const qsizetype voucher = found.fields.indexOf(QStringLiteral("PingZhengNo"));
    QStringList out;
    for (const auto& row : found.rows)
        out << row.value(voucher).toString();
    return out;
}

void addSearchEntries(void (*add)(const Entry&))
{
    auto e = [&](Entry x) { add(x); };
    e({.when = QStringLiteral("2024-02-29 23:59:59"), .voucher = QStringLiteral("V000"), .summary = QStringLiteral("办公费"), .debit = QStringLiteral("100"), .bank = QStringLiteral("工行")});
    e({.when = QStringLiteral("2024-03-10 09:00:00"), .voucher = QStringLiteral("V001"), .summary = QStringLiteral("办公费"), .debit = QStringLiteral("100"), .bank = QStringLiteral("工行"), .invoiceUnit = QStringLiteral("文具店"), .detail = QStringLiteral("纸张"), .handler = QStringLiteral("李四"), .remark = QStringLiteral("急")});
    e({.when = QStringLiteral("2024-03-11 10:00:00"), .voucher = QStringLiteral("V002"), .summary = QStringLiteral("差旅费"), .debit = QStringLiteral("200"), .bank = QStringLiteral("建行")});
    e({.when = QStringLiteral("2024-03-12 11:00:00"), .voucher = QStringLiteral("V003"), .summary = QStringLiteral("工资"), .credit = QStringLiteral("150"), .bank = QStringLiteral("工行"), .invoiceUnit = QStringLiteral("O'Brien公司"), .detail = QStringLiteral("it's"), .handler = QStringLiteral("王五"), .remark = QStringLiteral("月末")});
    e({.when = QStringLiteral("2024-03-15 23:59:59"), .voucher = QStringLiteral("V004"), .summary = QStringLiteral("办公费"), .debit = QStringLiteral("99"), .credit = QStringLiteral("149.9999"), .bank = QStringLiteral("建行")});
    e({.when = QStringLiteral("2024-03-16 00:00:00"), .voucher = QStringLiteral("V005"), .summary = QStringLiteral("办公费"), .debit = QStringLiteral("200.0001"), .credit = QStringLiteral("200"), .bank = QStringLiteral("工行")});
    e({.when = QStringLiteral("2024-03-16 00:00:01"), .voucher = QStringLiteral("V006"), .summary = QStringLiteral("办公费"), .debit = QStringLiteral("150"), .bank = QStringLiteral("工行")});
    // Another operator's entries match most criteria but must never be found.
    e({.when = QStringLiteral("2024-03-11 12:00:00"), .voucher = QStringLiteral("V007"), .summary = QStringLiteral("办公费"), .debit = QStringLiteral("100"), .user = QStringLiteral("李雷"), .bank = QStringLiteral("工行"), .handler = QStringLiteral("王五")});
    e({.when = QStringLiteral("2024-03-12 11:00:00"), .voucher = QStringLiteral("V003"), .summary = QStringLiteral("工资"), .credit = QStringLiteral("150"), .user = QStringLiteral("O'Neil"), .bank = QStringLiteral("工行")});
}

QVariantMap m(std::initializer_list<std::pair<const char*, QString>> pairs)
{
    QVariantMap out;
    for (const auto& [k, v] : pairs)
        out.insert(QString::fromLatin1(k), v);
    return out;
}
}

class TestSearchQuery : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void criteria_data()
    {
        QTest::addColumn<QVariantMap>("criteria");
        QTest::addColumn<QStringList>("found");
        const QString all5 = QStringLiteral("V001 V002 V003 V004 V005");
        auto row = [](const char* name, const QVariantMap& c, const QString& found) {
            QTest::newRow(name) << c << found.split(u' ', Qt::SkipEmptyParts);
        };
        row("no criterion, in date order", m({{"to", QStringLiteral("2024-03-15")}}), all5);
        row("end day up to the next midnight inclusive", m({{"from", QStringLiteral("2024-03-15")}, {"to", QStringLiteral("2024-03-15")}}), QStringLiteral("V004 V005"));
        row("start day from its midnight", m({{"from", QStringLiteral("2024-03-01")}, {"to", QStringLiteral("2024-03-09")}}), QString());
        row("an entry late on the start day is found, the day before is not", m({{"from", QStringLiteral("2024-02-29")}, {"to", QStringLiteral("2024-03-10")}}), QStringLiteral("V000 V001"));
        row("start after end", m({{"from", QStringLiteral("2024-03-20")}, {"to", QStringLiteral("2024-03-10")}}), QString());
        row("voucher", m({{"voucher", QStringLiteral("V002")}}), QStringLiteral("V002"));
        row("voucher with surrounding blanks", m({{"voucher", QStringLiteral(" \tV002  ")}}), QStringLiteral("V002"));
        row("voucher in other letter case", m({{"voucher", QStringLiteral("v002")}}), QStringLiteral("V002"));
        row("voucher is not a pattern", m({{"voucher", QStringLiteral("V00%")}}), QString());
        row("blank voucher is left out", m({{"voucher", QStringLiteral("   ")}, {"to", QStringLiteral("2024-03-15")}}), all5);
        row("summary", m({{"summary", QStringLiteral("办公费")}, {"to", QStringLiteral("2024-03-15")}}), QStringLiteral("V001 V004 V005"));
        row("summary not in the catalogue", m({{"summary", QStringLiteral("不存在")}}), QString());
        row("debit between 100 and 200 inclusive", m({{"debitMin", QStringLiteral("100")}, {"debitMax", QStringLiteral("200")}}), QStringLiteral("V001 V002 V006"));
        row("debit lower bound alone filters nothing", m({{"debitMin", QStringLiteral("100")}, {"to", QStringLiteral("2024-03-15")}}), all5);
        row("debit upper bound alone filters nothing", m({{"debitMax", QStringLiteral("100")}, {"to", QStringLiteral("2024-03-15")}}), all5);
        row("credit between 150 and 200", m({{"creditMin", QStringLiteral("150")}, {"creditMax", QStringLiteral("200")}}), QStringLiteral("V003 V005"));
        row("credit bounds with blanks", m({{"creditMin", QStringLiteral(" 150 ")}, {"creditMax", QStringLiteral("150\t")}}), QStringLiteral("V003"));
        row("invoice unit with a quote", m({{"invoiceUnit", QStringLiteral("O'Brien公司")}}), QStringLiteral("V003"));
        row("invoice unit", m({{"invoiceUnit", QStringLiteral("文具店")}}), QStringLiteral("V001"));
        row("detail with a quote", m({{"detail", QStringLiteral("it's")}}), QStringLiteral("V003"));
        row("handler", m({{"handler", QStringLiteral("王五")}}), QStringLiteral("V003"));
        row("remark", m({{"remark", QStringLiteral(" 急 ")}}), QStringLiteral("V001"));
        row("all together", m({{"voucher", QStringLiteral("V001")}, {"summary", QStringLiteral("办公费")}, {"debitMin", QStringLiteral("100")}, {"debitMax", QStringLiteral("100")}, {"creditMin", QStringLiteral("0")}, {"creditMax", QStringLiteral("0")}, {"invoiceUnit", QStringLiteral("文具店")}, {"detail", QStringLiteral("纸张")}, {"handler", QStringLiteral("李四")}, {"remark", QStringLiteral("急")}}), QString());
        row("all but the credit", m({{"voucher", QStringLiteral("V001")}, {"summary", QStringLiteral("办公费")}, {"debitMin", QStringLiteral("100")}, {"debitMax", QStringLiteral("100")}, {"invoiceUnit", QStringLiteral("文具店")}, {"detail", QStringLiteral("纸张")}, {"handler", QStringLiteral("李四")}, {"remark", QStringLiteral("急")}}), QStringLiteral("V001"));
        row("three criteria", m({{"summary", QStringLiteral("办公费")}, {"debitMin", QStringLiteral("90")}, {"debitMax", QStringLiteral("150")}}), QStringLiteral("V001 V004 V006"));
        row("other operator's voucher", m({{"voucher", QStringLiteral("V007")}}), QString());
    }
    void criteria()
    {
        QFETCH(QVariantMap, criteria);
        QFETCH(QStringList, found);
        TestDatabase db;
        addSearchEntries(addCash);
        QCOMPARE(vouchersFound(JournalKind::Cash, criteriaOf(criteria)), found);
        // The bank journal holds the same entries and answers the same way without an account.
        addSearchEntries(addBank);
        QCOMPARE(vouchersFound(JournalKind::Bank, criteriaOf(criteria)), found);
    }

    void bankAccount_data()
    {
        QTest::addColumn<QString>("bank");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("empty box: every account") << QString() << QStringLiteral("V001 V002 V003 V004 V005").split(u' ');
        QTest::newRow("one account") << QStringLiteral("建行") << QStringList{QStringLiteral("V002"), QStringLiteral("V004")};
        QTest::newRow("typed with blanks") << QStringLiteral("  工行 ") << QStringLiteral("V001 V003 V005").split(u' ');
        QTest::newRow("unknown account") << QStringLiteral("农行") << QStringList();
    }
    void bankAccount()
    {
        QFETCH(QString, bank);
        QFETCH(QStringList, found);
        TestDatabase db;
        addSearchEntries(addBank);
        SearchCriteria c = criteriaOf(m({{"to", QStringLiteral("2024-03-15")}}));
        c.bank = bank;
        QCOMPARE(vouchersFound(JournalKind::Bank, c), found);
    }

    void operatorWithAQuoteFindsOnlyTheirEntries()
    {
        TestDatabase db;
        addSearchEntries(addCash);
        QCOMPARE(vouchersFound(JournalKind::Cash, criteriaOf({}), QStringLiteral("O'Neil")), QStringList{QStringLiteral("V003")});
        // The operator's name is used as given, not trimmed.
        QCOMPARE(vouchersFound(JournalKind::Cash, criteriaOf({}), QStringLiteral(" 张三")), QStringList());
    }

    void valuesAreBoundNeverPasted()
    {
        const Connection::Statement st = buildSearch(
            JournalKind::Bank, criteriaOf(m({{"bank", QStringLiteral("工'行")}, {"voucher", QStringLiteral("x' or '1'='1")}, {"debitMin", QStringLiteral("5")}, {"debitMax", QStringLiteral("7")}})),
            QStringLiteral("O'Neil"));
        QVERIFY(!st.sql.contains(u'\''));
        QVERIFY(!st.sql.contains(QStringLiteral("2024")));
        QVERIFY(!st.sql.contains(u'5'));
        QVERIFY(st.sql.endsWith(QStringLiteral("order by yewurq")));
        // Amount bounds travel as money units.
        QVERIFY(st.params.contains(QVariant::fromValue<qlonglong>(5 * Money::Scale)));
    }

    void badAmountBoundsAreRefused_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::newRow("decimal debit low") << "debitMin" << "1.5";
        QTest::newRow("letters debit high") << "debitMax" << "abc";
        QTest::newRow("negative credit low") << "creditMin" << "-5";
        QTest::newRow("sql credit high") << "creditMax" << "1 or 1=1";
        QTest::newRow("too large") << "debitMax" << "99999999999999999999";
        QTest::newRow("full-width digits") << "debitMin" << "１２";
    }
    void badAmountBoundsAreRefused()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QVariantMap c = m({{"debitMin", QStringLiteral("1")}, {"debitMax", QStringLiteral("2")}, {"creditMin", QStringLiteral("1")}, {"creditMax", QStringLiteral("2")}});
        c[field] = text;
        try {
            buildSearch(JournalKind::Cash, criteriaOf(c), me);
            QFAIL("a bad bound was accepted");
        } catch (const AppError& e) {
            QVERIFY2(e.message().contains(text), qPrintable(e.message()));
            QVERIFY(e.message().contains(QStringLiteral("整数")));
        }
    }

    void trimming_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("trimmed");
        QTest::newRow("blanks") << "  a b  " << "a b";
        QTest::newRow("controls") << "\t\r\na\x01" << "a";
        QTest::newRow("ideographic space kept inside") << "a\u3000b" << "a\u3000b";
        QTest::newRow("nothing") << " \t " << "";
    }
    void trimming()
    {
        QFETCH(QString, text);
        QFETCH(QString, trimmed);
        QCOMPARE(trimCriterion(text), trimmed);
    }
};

QTEST_GUILESS_MAIN(TestSearchQuery)
#include "test_search_query.moc"
