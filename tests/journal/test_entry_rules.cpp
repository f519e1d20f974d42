// The entry dialogs' save checks and stamps, without a window.
#include "JournalEntry.h"

#include <QTest>

using Journals::EntryInput;

namespace {
QString s(const char* text) { return QString::fromUtf8(text); }
}

class TestEntryRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstFailedCheckWins_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<QString>("bank");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("debit");
        QTest::addColumn<QString>("credit");
        QTest::addColumn<QString>("message");
        const int cash = int(JournalKind::Cash), bank = int(JournalKind::Bank);
        const QDateTime inMonth(QDate(2024, 3, 10), QTime(8, 0));
        const QString month = QStringLiteral("只能在本记账年月记账!"), noBank = QStringLiteral("银行不能为空!"),
                      noSummary = QStringLiteral("摘要不能为空!"), noAmount = QStringLiteral("借方或贷方金额不能同时为空!");
        QTest::newRow("accepted") << cash << inMonth << s("") << s("销售收入") << s("10") << s("") << s("");
        QTest::newRow("zero passes") << cash << inMonth << s("") << s("销售收入") << s("0") << s("0") << s("");
        QTest::newRow("last second of the month") << cash << QDateTime(QDate(2024, 3, 31), QTime(23, 59, 59)) << s("")
                                                  << s("x") << s("1") << s("") << s("");
        QTest::newRow("first instant of the month") << cash << QDateTime(QDate(2024, 3, 1), QTime(0, 0)) << s("") << s("x")
                                                    << s("1") << s("") << s("");
        QTest::newRow("next month") << cash << QDateTime(QDate(2024, 4, 1), QTime(0, 0)) << s("") << s("x") << s("1") << s("")
                                    << month;
        QTest::newRow("only the year differs") << cash << QDateTime(QDate(2023, 3, 10), QTime(8, 0)) << s("") << s("x")
                                               << s("1") << s("") << month;
        QTest::newRow("month before summary") << cash << QDateTime(QDate(2024, 2, 10), QTime(8, 0)) << s("") << s("")
                                              << s("") << s("") << month;
        QTest::newRow("summary before amounts") << cash << inMonth << s("") << s("  ") << s("") << s("") << noSummary;
        QTest::newRow("both amounts blank") << cash << inMonth << s("") << s("x") << s(" ") << s("") << noAmount;
        QTest::newRow("cash needs no bank") << cash << inMonth << s("") << s("x") << s("") << s("5") << s("");
        QTest::newRow("bank blank") << bank << inMonth << s("   ") << s("x") << s("1") << s("") << noBank;
        QTest::newRow("bank before summary") << bank << inMonth << s("") << s("") << s("") << s("") << noBank;
        QTest::newRow("month before bank") << bank << QDateTime(QDate(2024, 5, 1), QTime(0, 0)) << s("") << s("") << s("")
                                           << s("") << month;
        QTest::newRow("bank accepted") << bank << inMonth << s(" 农行 ") << s("x") << s("") << s("1.5") << s("");
        QTest::newRow("debit not a number") << cash << inMonth << s("") << s("x") << s("12a") << s("") << s("借方（增加）金额无效：请输入数字，最多四位小数，且不能超出金额范围!");
        QTest::newRow("credit five decimals") << cash << inMonth << s("") << s("x") << s("1") << s("0.00001") << s("贷方（减少）金额无效：请输入数字，最多四位小数，且不能超出金额范围!");
        QTest::newRow("debit fraction beyond money") << cash << inMonth << s("") << s("x") << s("922337203685477.9999") << s("") << s("借方（增加）金额无效：请输入数字，最多四位小数，且不能超出金额范围!");
        QTest::newRow("debit beyond money") << cash << inMonth << s("") << s("x") << s("99999999999999999999") << s("") << s("借方（增加）金额无效：请输入数字，最多四位小数，且不能超出金额范围!");
    }
    void firstFailedCheckWins()
    {
        QFETCH(int, kind);
        QFETCH(QDateTime, when);
        QFETCH(QString, bank);
        QFETCH(QString, summary);
        QFETCH(QString, debit);
        QFETCH(QString, credit);
        QFETCH(QString, message);
        EntryInput in;
        in.kind = JournalKind(kind);
        in.when = when;
        in.periodText = QStringLiteral("2024-03-15");
        in.bankText = bank;
        in.summaryText = summary;
        in.debitText = debit;
        in.creditText = credit;
        QCOMPARE(Journals::entryRefusal(in), message);
    }

    void businessDateIsCutToWholeSeconds()
    {
        const QDateTime t = Journals::entryDateTime(QDate(2024, 3, 5), QTime(13, 14, 15, 999));
        QCOMPARE(t, QDateTime(QDate(2024, 3, 5), QTime(13, 14, 15)));
    }
};

QTEST_GUILESS_MAIN(TestEntryRules)
#include "test_entry_rules.moc"
