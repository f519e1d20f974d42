// Readers of tabular files, fed files written by independent writers (sheet_files.py): python3's
// codecs for the text encodings, python3-xlwt for .xls, python3's zipfile with hand-written parts
// for .xlsx.
#include "AppError.h"
#include "sheet/SheetReader.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString python()
{
    return QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3") : QStringLiteral("python3");
}

// Runs sheet_files.py (beside this file) to write a file; false when it fails.
bool writeFile(const QString& kind, const QStringList& args)
{
    QProcess p;
    const QString script = qEnvironmentVariable("ZZ_TEST_DATA") + QStringLiteral("/sheet_files.py");
    p.start(python(), QStringList{script, kind} + args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning().noquote() << "python failed:" << p.readAllStandardError();
        return false;
    }
    return true;
}

QStringList row(std::initializer_list<const char*> cells)
{
    QStringList out;
    for (const char* c : cells)
        out << QString::fromUtf8(c);
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

class TestSheetReader : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString file(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }

private Q_SLOTS:
    void delimitedTextInEveryEncoding_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::newRow("GBK") << QStringLiteral("gbk");
        QTest::newRow("GB18030") << QStringLiteral("gb18030");
        QTest::newRow("UTF-8") << QStringLiteral("utf-8");
        QTest::newRow("UTF-8 with BOM") << QStringLiteral("utf-8-sig");
        QTest::newRow("UTF-16 with BOM") << QStringLiteral("utf-16");
    }
    void delimitedTextInEveryEncoding()
    {
        QFETCH(QString, encoding);
        // Preamble, a blank line, a quoted comma, a quoted line break, a spreadsheet guard, CRLF;
        // 𠀀 lies beyond GBK, so the GB18030 case carries a four-byte character.
        const QString text = QStringLiteral(
            "账号:,6222 0000 1111\r\n\r\n交易日期,摘要,借方发生额\r\n2024-03-05,\"货款,三月\",\"1,234.50\"\r\n"
            "=\"20240306\",\"两行\n摘要\",\t12.00\t\r\n");
        const QString withExtra = encoding == u"gb18030" ? text + QStringLiteral("20240307,𠀀,1\r\n") : text;
        const QString path = file("s.csv");
        QVERIFY(writeFile(QStringLiteral("encode"), {path, encoding, withExtra}));

        const SheetReader::Rows rows = SheetReader::read(path);
        QCOMPARE(rows.value(0), row({"账号:", "6222 0000 1111"}));
        QCOMPARE(rows.value(1), QStringList());
        QCOMPARE(rows.value(2), row({"交易日期", "摘要", "借方发生额"}));
        QCOMPARE(rows.value(3), row({"2024-03-05", "货款,三月", "1,234.50"}));
        QCOMPARE(rows.value(4), row({"20240306", "两行\n摘要", "12.00"}));
        if (encoding == u"gb18030")
            QCOMPARE(rows.value(5), row({"20240307", "𠀀", "1"}));
        QCOMPARE(rows.size(), encoding == u"gb18030" ? 6 : 5);
    }

    void tabSeparatedText()
    {
        const SheetReader::Rows rows = SheetReader::parseDelimited(QByteArrayLiteral("日期\t金额\n2024/3/5\t-8.00\n"));
        QCOMPARE(rows, (SheetReader::Rows{row({"日期", "金额"}), row({"2024/3/5", "-8.00"})}));
    }

    void unreadableTextIsRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QString encoding = QStringLiteral("文件的文字编码无法识别（应为 UTF-8 或 GBK/GB18030）");
        QTest::newRow("Windows-1252") << QByteArrayLiteral("Caf\xe9 \x80, 12\n") << encoding;
        QTest::newRow("UTF-16 without BOM") << QByteArray("d\0a\0t\0e\0", 8) << encoding;
        QTest::newRow("unclosed quote") << QByteArrayLiteral("a,\"b\nc") << QStringLiteral("文件的分隔格式有误，无法读取");
    }
    void unreadableTextIsRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QCOMPARE(refusal([&] { SheetReader::parseDelimited(bytes); }), message);
    }

    void emptyFilesAreRefused()
    {
        for (const char* name : {"empty.csv", "empty.xls", "empty.xlsx", "blank.csv"}) {
            QFile f(file(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            if (QByteArray(name).startsWith("blank"))
                f.write(" \r\n\r\n");
            f.close();
            QCOMPARE(refusal([&] { SheetReader::read(f.fileName()); }), QStringLiteral("文件是空的"));
        }
        QVERIFY(refusal([&] { SheetReader::read(file("missing.csv")); }).startsWith(QStringLiteral("无法打开文件")));
    }

    void xlsWrittenByXlwt()
    {
        const QString path = file("明细.xls");
        QVERIFY(writeFile(QStringLiteral("xls"), {path}));
        const SheetReader::Rows rows = SheetReader::read(path);
        QCOMPARE(rows.value(0), row({"中国建设银行个人活期账户明细"}));
        QCOMPARE(rows.value(1), row({"账号：6217000012345678"}));
        QCOMPARE(rows.value(2), QStringList());
        QCOMPARE(rows.value(3), row({"交易日期", "摘要", "金额", "余额"}));
        QCOMPARE(rows.value(4), row({"2024-03-05", "货款", "1234.5", "0.1"}));
        QCOMPARE(rows.value(5), row({"2024-03-06 14:30:05", "手续费", "-12", "1222.6"}));
        QCOMPARE(rows.value(6), row({"", "空日期行"}));
        QCOMPARE(rows.size(), 7);
    }

    void xlsxWrittenByHand()
    {
        const QString path = file("明细.xlsx");
        QVERIFY(writeFile(QStringLiteral("xlsx"), {path}));
        const SheetReader::Rows rows = SheetReader::read(path);
        QCOMPARE(rows.value(0), row({"账户明细查询"}));
        QCOMPARE(rows.value(1), QStringList());
        QCOMPARE(rows.value(2), row({"记账日期", "交易摘要", "", "收入金额"}));
        QCOMPARE(rows.value(3), row({"2024-03-05", "工资", "", "8000.25"}));
        QCOMPARE(rows.value(4), row({"2024-03-06 14:30:00", "利息", "", "0.3"}));
        QCOMPARE(rows.size(), 5);
    }

    void wrongContainersAreRefused()
    {
        const QString text = QStringLiteral("交易日期,摘要\n2024-03-05,货款\n");
        for (const char* name : {"text.xls", "text.xlsx"})
            QVERIFY(writeFile(QStringLiteral("encode"), {file(name), QStringLiteral("utf-8"), text}));
        QCOMPARE(refusal([&] { SheetReader::read(file("text.xls")); }),
                 QStringLiteral("文件不是有效的 Excel 97-2003 工作簿（.xls），无法读取"));
        QCOMPARE(refusal([&] { SheetReader::read(file("text.xlsx")); }),
                 QStringLiteral("文件不是有效的 Excel 工作簿（.xlsx），无法读取"));
        // A zip without a workbook inside.
        QVERIFY(writeFile(QStringLiteral("zip"), {file("other.xlsx")}));
        QCOMPARE(refusal([&] { SheetReader::read(file("other.xlsx")); }),
                 QStringLiteral("文件不是有效的 Excel 工作簿（.xlsx），无法读取"));
    }

    void numbersAndSerialDates()
    {
        QCOMPARE(SheetReader::numberText(1234.5), QStringLiteral("1234.5"));
        QCOMPARE(SheetReader::numberText(0.1 + 0.2), QStringLiteral("0.30000000000000004"));
        QCOMPARE(SheetReader::numberText(-12), QStringLiteral("-12"));
        QCOMPARE(SheetReader::serialDateText(45356, false), QStringLiteral("2024-03-05"));
        QCOMPARE(SheetReader::serialDateText(61, false), QStringLiteral("1900-03-01"));
        QCOMPARE(SheetReader::serialDateText(43894.5, true), QStringLiteral("2024-03-05 12:00:00"));
    }
};

QTEST_GUILESS_MAIN(TestSheetReader)
#include "test_sheet_reader.moc"
