// The balance reconciliation statement on a worked example whose figures are worked out by hand,
// in balance and out of balance.
#include "Matching.h"
#include "ReconcileFixture.h"
#include "Reconciliation.h"

#include <QTest>

using namespace ReconcileFixture;
using namespace Qt::Literals::StringLiterals;

namespace {

QStringList itemsOf(const QVector<ReconciliationItem>& items)
{
    QStringList out;
    for (const ReconciliationItem& i : items)
        out << i.when.left(10) + u' ' + i.summary + u' ' + i.amount.toString();
    return out;
}

} // namespace

class TestReconciliation : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void workedExample()
    {
        TestDatabase db;
        const QDateTime now(QDate(2024, 4, 3), QTime(9, 0));
        // The bank's statement for March and the first line of April.
        addLine(u"2024-03-01"_s, {}, {}, {}, u"10000"_s, account, u"上日余额"_s);
        const qint64 l1 = addLine(u"2024-03-05"_s, u"5000"_s, {}, u"A1"_s, u"15000"_s, account, u"货款"_s);
        const qint64 l2 = addLine(u"2024-03-10"_s, {}, u"2000"_s, {}, u"13000"_s, account, u"付材料款"_s);
        addLine(u"2024-03-28"_s, {}, u"15"_s, {}, u"12985"_s, account, u"手续费"_s);
        addLine(u"2024-03-30"_s, u"120"_s, {}, {}, u"13105"_s, account, u"结息"_s);
        const qint64 l5 = addLine(u"2024-04-01"_s, u"3000"_s, {}, {}, u"16105"_s, account, u"货款"_s);
        addLine(u"2024-03-15"_s, u"777"_s, {}, {}, u"777"_s, otherAccount);
        // The journal: brought forward, two entries the bank has too, a cheque not yet cashed
        // (recorded by another operator), a receipt the bank books on April 1, an April entry.
        const qint64 opening = addEntry(u"2024-03-01"_s, u"10000"_s, {}, {}, account, u"期初金额"_s);
        const qint64 e1 = addEntry(u"2024-03-04"_s, u"5000"_s, {}, u"A1"_s, account, u"货款"_s);
        const qint64 e2 = addEntry(u"2024-03-09"_s, {}, u"2000"_s, {}, account, u"付材料款"_s);
        addEntry(u"2024-03-29"_s, {}, u"800"_s, u"ZP-7"_s, account, u"支票付款"_s, u"cashier"_s);
        const qint64 e4 = addEntry(u"2024-03-31"_s, u"3000"_s, {}, {}, account, u"货款"_s);
        addEntry(u"2024-04-02"_s, {}, u"100"_s, {}, account, u"报销"_s);
        addEntry(u"2024-03-15"_s, {}, u"777"_s, {}, otherAccount);
        Matching::pairByHand(account, {e1}, {l1}, u"admin"_s, now);
        Matching::pairByHand(account, {e2}, {l2}, u"admin"_s, now);
        Matching::pairByHand(account, {e4}, {l5}, u"admin"_s, now);

        // By hand: statement 13105 (the last line on or before March 31); book 10000 + 5000
        // − 2000 − 800 + 3000 = 15200. The receipt of March 31 is paired with a line of April 1,
        // so as of March 31 it is still outstanding on the bank's side.
        Reconciliation r = Reconciliations::compute(account, QDate(2024, 3, 31));
        QCOMPARE(r.statementBalance.toString(), u"13105"_s);
        QCOMPARE(r.bookBalance.toString(), u"15200"_s);
        QCOMPARE(itemsOf(r.bookInBankNot), QStringList{u"2024-03-31 货款 3000"_s});
        QCOMPARE(itemsOf(r.bookOutBankNot), QStringList{u"2024-03-29 支票付款 800"_s});
        QCOMPARE(itemsOf(r.bankInBookNot), QStringList{u"2024-03-30 结息 120"_s});
        QCOMPARE(itemsOf(r.bankOutBookNot), QStringList{u"2024-03-28 手续费 15"_s});
        // 13105 + 3000 − 800 = 15305; 15200 + 120 − 15 = 15305.
        QCOMPARE(r.adjustedStatement().toString(), u"15305"_s);
        QCOMPARE(r.adjustedBook().toString(), u"15305"_s);
        QCOMPARE(r.verdict(), u"余额相符"_s);

        // As of April 1 the receipt is reconciled on both sides: 16105 + 0 − 800 = 15305.
        const Reconciliation april = Reconciliations::compute(account, QDate(2024, 4, 1));
        QCOMPARE(april.statementBalance.toString(), u"16105"_s);
        QVERIFY(april.bookInBankNot.isEmpty());
        QCOMPARE(april.adjustedStatement().toString(), u"15305"_s);

        // The rows shown, exported and printed.
        Dataset rows;
        rows.open(Reconciliations::rowsSql(), Reconciliations::rowsParams(r));
        QStringList shown;
        for (int i = 0; i < rows.rowCount(); ++i) {
            QStringList cells;
            for (int f = 0; f < 4; ++f)
                cells << rows.valueAt(i, f).toString();
            cells << (rows.valueAt(i, 4).isNull() ? QString() : Money::fromStorage(rows.valueAt(i, 4)).toString());
            shown << cells.join(u'|');
        }
        QCOMPARE(shown, (QStringList{u"银行对账单余额||||13105"_s,
                                     u"加：企业已收、银行未收||||3000"_s,
                                     u"|2024-03-31|货款||3000"_s,
                                     u"减：企业已付、银行未付||||800"_s,
                                     u"|2024-03-29|支票付款|ZP-7|800"_s,
                                     u"调节后余额||||15305"_s,
                                     u"银行日记账余额||||15200"_s,
                                     u"加：银行已收、企业未收||||120"_s,
                                     u"|2024-03-30|结息||120"_s,
                                     u"减：银行已付、企业未付||||15"_s,
                                     u"|2024-03-28|手续费||15"_s,
                                     u"调节后余额||||15305"_s,
                                     u"余额相符||||"_s}));

        // Out of balance: the amount brought forward was entered 50 short.
        Command::execute(u"UPDATE YHRJZ SET JieFang = ? WHERE autoID = ?"_s, {money(u"9950"_s), opening});
        r = Reconciliations::compute(account, QDate(2024, 3, 31));
        QCOMPARE(r.bookBalance.toString(), u"15150"_s);
        QCOMPARE(r.adjustedBook().toString(), u"15255"_s);
        QVERIFY(!r.agrees());
        QCOMPARE(r.verdict(), u"余额不符，差额 50"_s);
    }

    void statementBalanceWithoutPrintedBalances()
    {
        TestDatabase db;
        // Lines typed by hand without balances: the lines' net sum. A later line of the day
        // without a balance moves the last printed one.
        addLine(u"2024-03-02"_s, u"300"_s, {});
        addLine(u"2024-03-03"_s, {}, u"40"_s);
        QCOMPARE(Reconciliations::compute(account, QDate(2024, 3, 31)).statementBalance.toString(), u"260"_s);
        addLine(u"2024-03-04"_s, u"10"_s, {}, {}, u"1010"_s);
        addLine(u"2024-03-04"_s, {}, u"1"_s);
        QCOMPARE(Reconciliations::compute(account, QDate(2024, 3, 4)).statementBalance.toString(), u"1009"_s);
        QCOMPARE(Reconciliations::compute(account, QDate(2024, 3, 3)).statementBalance.toString(), u"260"_s);
    }
};

QTEST_GUILESS_MAIN(TestReconciliation)
#include "test_reconciliation.moc"
