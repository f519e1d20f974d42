// Statement files in the layouts Chinese banks export, imported to exact lines; broken files
// refused with their message and nothing stored; a second import of a file stores nothing.
#include "AppError.h"
#include "ReconcileFixture.h"
#include "StatementImport.h"
#include "StatementLayout.h"
#include "StatementParse.h"
#include "StatementValues.h"

#include <QTemporaryDir>
#include <QTest>

using namespace ReconcileFixture;
using namespace Qt::Literals::StringLiterals;

namespace {

const QDateTime importTime(QDate(2024, 4, 2), QTime(10, 0));

// Every stored line, oldest key first: when|summary|in|out|balance|counterparty|serial|file:line.
QStringList storedLines()
{
    Dataset ds;
    ds.open(QStringLiteral("SELECT JiaoYiSJ, ZhanYao, ShouRu, ZhiChu, YuE, DuiFangHuMing, LiuShuiHao, LaiYuan, LaiYuanHang, "
                           "KaiHuBank, DaoRuRen, DaoRuSJ FROM YinHangDuiZhangDan ORDER BY autoID"));
    QStringList out;
    for (int r = 0; r < ds.rowCount(); ++r) {
        const auto m = [&](int f) { return ds.valueAt(r, f).isNull() ? QStringLiteral("-") : Money::fromStorage(ds.valueAt(r, f)).toString(); };
        out << QStringList{ds.valueAt(r, 0).toString(), ds.valueAt(r, 1).toString(), m(2), m(3), m(4), ds.valueAt(r, 5).toString(),
                           ds.valueAt(r, 6).toString(), ds.valueAt(r, 7).toString() + u':' + ds.valueAt(r, 8).toString()}
                   .join(u'|');
        if (ds.valueAt(r, 9).toString() != account || ds.valueAt(r, 10).toString() != u"admin"
            || ds.valueAt(r, 11).toString() != u"2024-04-02 10:00:00")
            out << QStringLiteral("wrong stamp on line %1").arg(r);
    }
    return out;
}

QString refusal(const std::function<void()>& fn)
{
    try {
        fn();
    } catch (const AppError& e) {
        return e.message();
    }
    return {};
}

} // namespace

class TestStatementImport : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private Q_SLOTS:
    void amounts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected"); // "none" when refused
        QTest::newRow("plain") << u"1234.5"_s << u"1234.5"_s;
        QTest::newRow("thousands") << u"1,234,567.89"_s << u"1234567.89"_s;
        QTest::newRow("yuan sign") << u"¥1,234.00"_s << u"1234"_s;
        QTest::newRow("full-width") << u"￥－１２.５０元"_s << u"-12.5"_s;
        QTest::newRow("RMB") << u"RMB 8.00"_s << u"8"_s;
        QTest::newRow("brackets") << u"(12.00)"_s << u"-12"_s;
        QTest::newRow("plus") << u"+3"_s << u"3"_s;
        QTest::newRow("empty") << u""_s << u"0"_s;
        QTest::newRow("dashes") << u"--"_s << u"0"_s;
        QTest::newRow("five decimals") << u"1.00001"_s << u"none"_s;
        QTest::newRow("words") << u"十元"_s << u"none"_s;
    }
    void amounts()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const auto m = StatementValues::parseAmount(text);
        QCOMPARE(m ? m->toString() : QStringLiteral("none"), expected);
    }

    void dates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("dashes") << u"2024-03-05"_s << u"2024-03-05 00:00:00"_s;
        QTest::newRow("slashes short") << u"2024/3/5"_s << u"2024-03-05 00:00:00"_s;
        QTest::newRow("compact") << u"20240305"_s << u"2024-03-05 00:00:00"_s;
        QTest::newRow("chinese") << u"2024年3月5日"_s << u"2024-03-05 00:00:00"_s;
        QTest::newRow("dots with time") << u"2024.03.05 10:30"_s << u"2024-03-05 10:30:00"_s;
        QTest::newRow("with seconds") << u"2024-03-05 10:30:05"_s << u"2024-03-05 10:30:05"_s;
        QTest::newRow("compact with time") << u"20240305103005"_s << u"2024-03-05 10:30:05"_s;
        QTest::newRow("ISO T") << u"2024-03-05T23:59:59"_s << u"2024-03-05 23:59:59"_s;
        QTest::newRow("no such day") << u"2024-02-30"_s << u"none"_s;
        QTest::newRow("bad time") << u"2024-03-05 25:00"_s << u"none"_s;
        QTest::newRow("text") << u"合计"_s << u"none"_s;
    }
    void dates()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const auto d = StatementValues::parseDateTime(text);
        QCOMPARE(d ? d->toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QStringLiteral("none"), expected);
    }

    void directions()
    {
        // The bank's 贷方 is money into the account, its 借方 money out.
        for (const char* in : {"贷", "贷方", "收", "收入", "存入", "C", "cr"})
            QCOMPARE(StatementParse::directionIn(QString::fromUtf8(in)), std::optional<bool>(true));
        for (const char* out : {"借", "借方", "支", "支出", "支取", "D", "DR"})
            QCOMPARE(StatementParse::directionIn(QString::fromUtf8(out)), std::optional<bool>(false));
        QCOMPARE(StatementParse::directionIn(QStringLiteral("转")), std::optional<bool>());
    }

    void layoutsImportToExactLines_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("GBK CSV, preamble, 借方/贷方发生额")
            << u"gbk_preamble"_s << u"icbc.csv"_s
            << QStringList{u"2024-03-01 00:00:00|上日余额|0|0|10000|||icbc.csv:7"_s,
                           u"2024-03-05 10:21:33|货款|5000|0|15000|华东商贸|A0001|icbc.csv:8"_s,
                           u"2024-03-06 09:00:00|付材料款|0|3200.5|11799.5|宏达材料厂|A0002|icbc.csv:9"_s,
                           u"2024-03-31 00:00:00|结息|1.25|0|11800.75||A0003|icbc.csv:10"_s};
        QTest::newRow("UTF-8 BOM CSV, 交易金额 + 借贷标志")
            << u"bom_flag"_s << u"flag.csv"_s
            << QStringList{u"2024-03-05 14:02:00|还款|500|0|8500|张三|P01|flag.csv:2"_s,
                           u"2024-03-07 08:05:09|报销|0|200|8300|李四|P02|flag.csv:3"_s,
                           u"2024-03-07 08:05:09|报销|0|200|8100|李四|P03|flag.csv:4"_s};
        QTest::newRow("XLS, newest first")
            << u"xls"_s << u"ccb.xls"_s
            << QStringList{u"2024-03-01 00:00:00|利息|0.5|0|13000.5||X1|ccb.xls:7"_s,
                           u"2024-03-10 00:00:00|取现|0|1000|12000.5||X2|ccb.xls:6"_s,
                           u"2024-03-20 00:00:00|工资|8000|0|20000.5|某某公司|X3|ccb.xls:5"_s};
        QTest::newRow("XLSX, date and time columns")
            << u"xlsx"_s << u"cgb.xlsx"_s
            << QStringList{u"2024-03-09 09:15:00|转账收入|2600|0|7600|天河物业|G1|cgb.xlsx:3"_s,
                           u"2024-03-11 16:40:12|电费|0|312.8|7287.2|供电局|G2|cgb.xlsx:4"_s};
        QTest::newRow("thousands separators, dates without separators")
            << u"separators"_s << u"sep.csv"_s
            << QStringList{u"2024-03-02 00:00:00|销售款|12345.67|0|112345.67||S1|sep.csv:2"_s,
                           u"2024-03-03 15:30:00|手续费|0|5|112340.67||S2|sep.csv:3"_s};
    }
    void layoutsImportToExactLines()
    {
        QFETCH(QString, kind);
        QFETCH(QString, file);
        QFETCH(QStringList, lines);
        TestDatabase db;
        const QString path = dir_.filePath(file);
        QVERIFY(writeStatement(kind, path));

        const ImportPreview p = StatementImport::prepare(path, account);
        QVERIFY2(p.breaks.isEmpty(), qPrintable(p.breakText()));
        QCOMPARE(p.duplicates, 0);
        QCOMPARE(StatementImport::commit(p, QStringLiteral("admin"), importTime), int(lines.size()));
        QCOMPARE(storedLines(), lines);

        // The same file again: every line is already there.
        const ImportPreview again = StatementImport::prepare(path, account);
        QCOMPARE(again.duplicates, int(lines.size()));
        QVERIFY(again.fresh.isEmpty());
        QCOMPARE(StatementImport::commit(again, QStringLiteral("admin"), importTime), 0);
        QCOMPARE(storedLines(), lines);
        // Another account has none of them.
        QCOMPARE(StatementImport::prepare(path, otherAccount).fresh.size(), lines.size());
    }

    void brokenFilesAreRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("wrong encoding") << u"wrong_encoding"_s << u"latin.csv"_s << u"文件的文字编码无法识别（应为 UTF-8 或 GBK/GB18030）"_s;
        QTest::newRow("no header") << u"no_header"_s << u"goods.csv"_s << u"找不到对账单的表头行：前 40 行中没有交易日期和金额的列名"_s;
        QTest::newRow("balance break") << u"balance_break"_s << u"gap.csv"_s << u"对账单余额不连续，未导入：\n第 3 行余额不连续：应为 110，文件中为 130"_s;
        QTest::newRow("empty file") << u"empty"_s << u"empty.csv"_s << u"文件是空的"_s;
        QTest::newRow("text named .xls") << u"text_as_xls"_s << u"text.xls"_s << u"文件不是有效的 Excel 97-2003 工作簿（.xls），无法读取"_s;
    }
    void brokenFilesAreRefused()
    {
        QFETCH(QString, kind);
        QFETCH(QString, file);
        QFETCH(QString, message);
        TestDatabase db;
        const QString path = dir_.filePath(file);
        QVERIFY(writeStatement(kind, path));
        QCOMPARE(refusal([&] { StatementImport::commit(StatementImport::prepare(path, account), QStringLiteral("admin"), importTime); }),
                 message);
        QCOMPARE(count(StatementTable::table), 0);
    }

    void duplicatesCountAsOftenAsStored()
    {
        TestDatabase db;
        // Two equal fees of one day in the file, one already stored: one more is new.
        addLine(QStringLiteral("2024-03-04"), {}, QStringLiteral("10"));
        StatementLine fee;
        fee.when = QDateTime(QDate(2024, 3, 4), QTime(0, 0), Qt::UTC);
        fee.out = Money::parse(QStringLiteral("10")).value();
        const ImportPreview p = StatementImport::preview(account, QStringLiteral("x.csv"), {fee, fee});
        QCOMPARE(p.duplicates, 1);
        QCOMPARE(p.fresh.size(), 1);
    }

    void titlesAssignedByHandAreRemembered()
    {
        TestDatabase db;
        const QString path = dir_.filePath(QStringLiteral("odd.csv"));
        QVERIFY(writeStatement(QStringLiteral("odd_titles"), path));
        const SheetReader::Rows rows = SheetReader::read(path);
        QVERIFY(!StatementImport::layoutFor(rows, account));

        StatementLayout chosen;
        chosen.headerRow = 0;
        chosen.setColumn(StatementRole::Date, 0);
        chosen.setColumn(StatementRole::Summary, 1);
        chosen.setColumn(StatementRole::In, 2);
        chosen.setColumn(StatementRole::Out, 3);
        StatementImport::rememberLayout(account, rows, chosen);

        // Remembered for this account only, and found again by the titles.
        QVERIFY(!StatementImport::layoutFor(rows, otherAccount));
        const ImportPreview p = StatementImport::prepare(path, account);
        QCOMPARE(p.fresh.size(), 1);
        QCOMPARE(p.fresh.at(0).summary, QStringLiteral("退款"));
        QCOMPARE(p.fresh.at(0).in.toString(), QStringLiteral("66"));
        QCOMPARE(p.fresh.at(0).whenText(), QStringLiteral("2024-03-08 00:00:00"));
    }

    void rowsThatCannotBeReadNameTheirLine()
    {
        const SheetReader::Rows rows{{QStringLiteral("日期"), QStringLiteral("收入"), QStringLiteral("支出")},
                                     {QStringLiteral("2024-03-01"), QStringLiteral("1"), QString()},
                                     {QStringLiteral("三月一日"), QStringLiteral("1"), QString()}};
        const auto layout = StatementLayouts::detect(rows);
        QVERIFY(layout);
        QCOMPARE(refusal([&] { StatementParse::lines(rows, *layout); }), QStringLiteral("第 3 行的日期无法识别：三月一日"));
        const SheetReader::Rows both{rows.at(0), {QStringLiteral("2024-03-01"), QStringLiteral("1"), QStringLiteral("2")}};
        QCOMPARE(refusal([&] { StatementParse::lines(both, *layout); }), QStringLiteral("第 2 行同时有收入和支出，无法导入"));
    }
};

QTEST_GUILESS_MAIN(TestStatementImport)
#include "test_statement_import.moc"
