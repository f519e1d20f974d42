// Export writers read back by independent readers (python3's csv module and html.parser,
// python3-xlrd, unrtf), the file-name rule, the remembered filter index and write errors.
#include "AppError.h"
#include "DBGrid.h"
#include "Dataset.h"
#include "FakeFileDialogs.h"
#include "FakeMessages.h"
#include "TestDatabase.h"
#include "export/GridExport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>

using GridExport::Format;

namespace {

QString python()
{
    // The Debian interpreter, where python3-xlrd is installed.
    return QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3") : QStringLiteral("python3");
}

QByteArray run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning().noquote() << program << args.join(u' ') << "failed:" << p.readAllStandardError();
        return {};
    }
    return p.readAllStandardOutput();
}

// Readers print the rows as JSON lists of strings.
const char* CsvReader = R"(
import csv, json, sys
with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:
    print(json.dumps(list(csv.reader(f))))
)";

const char* HtmlReader = R"(
import json, sys
from html.parser import HTMLParser
class R(HTMLParser):
    def __init__(self):
        super().__init__()
        self.rows, self.cell, self.charset, self.doctype = [], None, None, None
    def handle_decl(self, d): self.doctype = d
    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == 'meta' and 'charset' in a: self.charset = a['charset']
        if tag == 'tr': self.rows.append([])
        if tag in ('td', 'th'): self.cell = []
    def handle_endtag(self, tag):
        if tag in ('td', 'th'):
            self.rows[-1].append(''.join(self.cell)); self.cell = None
    def handle_data(self, d):
        if self.cell is not None: self.cell.append(d)
r = R()
with open(sys.argv[1], encoding='utf-8') as f: r.feed(f.read())
print(json.dumps({'charset': r.charset, 'doctype': r.doctype, 'rows': r.rows}))
)";

// Cells as "s:text", "n:number" or "d:yyyy-mm-dd hh:mm:ss"; empty cells as "".
const char* XlsReader = R"(
import json, sys, xlrd
book = xlrd.open_workbook(sys.argv[1])
out = []
for sh in book.sheets():
    rows = []
    for r in range(sh.nrows):
        row = []
        for c in range(sh.ncols):
            cell = sh.cell(r, c)
            if cell.ctype == xlrd.XL_CELL_TEXT: row.append('s:' + cell.value)
            elif cell.ctype == xlrd.XL_CELL_NUMBER: row.append('n:' + repr(cell.value))
            elif cell.ctype == xlrd.XL_CELL_DATE:
                t = xlrd.xldate_as_tuple(cell.value, book.datemode)
                row.append('d:%04d-%02d-%02d %02d:%02d:%02d' % t)
            else: row.append('')
        rows.append(row)
    out.append({'name': sh.name, 'rows': rows})
print(json.dumps(out))
)";

// unrtf turns the document into HTML (numeric character references, <br> for \line, a run of
// no-break spaces for \tab); the rows of its table come back as they were written.
const char* RtfReader = R"(
import json, re, subprocess, sys
from html.parser import HTMLParser
from html.entities import name2codepoint
html = subprocess.run(['unrtf', '--html', sys.argv[1]], check=True, capture_output=True).stdout.decode('utf-8')
class R(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=False)
        self.rows, self.cell = [], None
    def handle_starttag(self, tag, attrs):
        if tag == 'tr': self.rows.append([])
        if tag == 'td': self.cell = []
        if tag == 'br' and self.cell is not None: self.cell.append('\n')
    def handle_endtag(self, tag):
        if tag == 'td':
            s = ''.join(self.cell).encode('utf-16', 'surrogatepass').decode('utf-16')
            self.rows[-1].append(re.sub('\xa0+', '\t', s)); self.cell = None
    def handle_data(self, d):
        if self.cell is not None: self.cell.append(d.replace('\n', ''))
    def handle_charref(self, n):
        if self.cell is not None: self.cell.append(chr(int(n[1:], 16) if n[0] in 'xX' else int(n)))
    def handle_entityref(self, n):
        if self.cell is not None: self.cell.append(chr(name2codepoint[n]))
r = R()
r.feed(html)
print(json.dumps(r.rows))
)";

QList<QStringList> jsonRows(const QJsonArray& a)
{
    QList<QStringList> rows;
    for (const QJsonValue& r : a) {
        QStringList cells;
        for (const QJsonValue& c : r.toArray())
            cells << c.toString();
        rows << cells;
    }
    return rows;
}

} // namespace

class TestExport : public QObject {
    Q_OBJECT
    QTemporaryDir out;
    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<Dataset> ds;
    std::unique_ptr<DBGrid> grid;

    // As a Chinese user writes them, whatever the system's locale (CTest runs this under LANG=C
    // and LANG=zh_CN.UTF-8 too).
    QString date1() const { return QStringLiteral("2024-03-01 09:30:00"); }
    QString date2() const { return QStringLiteral("2024-03-02"); }

    // What every format must hold, as the grid shows it: the visible columns in screen order
    // (摘要 was moved before 日期; 凭证号 is hidden), all rows, the footer.
    QList<QStringList> expectedText() const
    {
        return {
            {QStringLiteral("摘要"), QStringLiteral("日期"), QStringLiteral("明细"), QStringLiteral("借方（增加）"), QStringLiteral("贷方（减少）"), QStringLiteral("笔数")},
            {QStringLiteral("收到货款，含\"税\", 10%"), date1(), QStringLiteral("第一行\n第二行\t制表"), QStringLiteral("1234.5678"), QString(), QStringLiteral("3")},
            {QStringLiteral("<&>测试 &amp;"), date2(), QString(), QString(), QStringLiteral("-0.5"), QStringLiteral("-2")},
            {QStringLiteral("'单引号' \\反斜杠{大括号}"), QString(), QStringLiteral("😀 ü"), QStringLiteral("0.0001"), QStringLiteral("99999.9999"), QString()},
            {QString(), QStringLiteral("合计"), QString(), QStringLiteral("1234.5679"), QStringLiteral("99999.4999"), QStringLiteral("1")},
        };
    }

    QString exportTo(Format f, const QString& name)
    {
        const QString path = out.filePath(name);
        GridExport::saveToFile(GridExport::Table::of(*grid), f, path);
        return path;
    }

private Q_SLOTS:
    void init()
    {
        db = std::make_unique<TestDatabase>(TestDatabase::Content::Empty);
        const QString ins = QStringLiteral("INSERT INTO XJRJZ (YeWuRQ, PingZhengNo, ZhanYao, Detail, JieFang, DaiFang, QCJE) VALUES (?,?,?,?,?,?,?)");
        TestDatabase::exec(ins, {QStringLiteral("2024-03-01 09:30:00"), QStringLiteral("记-1"), QStringLiteral("收到货款，含\"税\", 10%"),
                                 QStringLiteral("第一行\n第二行\t制表"), 12345678, QVariant(), 3});
        TestDatabase::exec(ins, {QStringLiteral("2024-03-02 00:00:00"), QStringLiteral("记-2"), QStringLiteral("<&>测试 &amp;"), QVariant(),
                                 QVariant(), -5000, -2});
        TestDatabase::exec(ins, {QVariant(), QStringLiteral("记-3"), QStringLiteral("'单引号' \\反斜杠{大括号}"), QStringLiteral("😀 ü"), 1, 999999999,
                                 QVariant()});
        ds = std::make_unique<Dataset>();
        grid = std::make_unique<DBGrid>();
        grid->setDataset(ds.get());
        grid->setColumns({GridColumn::dateTime(QStringLiteral("YeWuRQ"), QStringLiteral("日期"), 100).footed(QStringLiteral("合计")),
                          GridColumn::text(QStringLiteral("PingZhengNo"), QStringLiteral("凭证号"), 60).hidden(),
                          GridColumn::text(QStringLiteral("ZhanYao"), QStringLiteral("摘要"), 120),
                          GridColumn::text(QStringLiteral("Detail"), QStringLiteral("明细"), 120),
                          GridColumn::money(QStringLiteral("JieFang"), QStringLiteral("借方（增加）"), 90).summed(),
                          GridColumn::money(QStringLiteral("DaiFang"), QStringLiteral("贷方（减少）"), 90).summed(),
                          GridColumn::integer(QStringLiteral("QCJE"), QStringLiteral("笔数"), 40).summed()});
        ds->open(QStringLiteral("SELECT * FROM XJRJZ ORDER BY autoID"));
        grid->resize(700, 300);
        grid->show();
        QHeaderView* h = grid->view()->horizontalHeader();
        h->moveSection(h->visualIndex(2), 0); // 摘要 first on screen
        GridExport::setRememberedFilterIndex(GridExport::InitialFilterIndex);
    }
    void cleanup()
    {
        grid.reset();
        ds.reset();
        db.reset();
    }

    void fileNameRule_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("saved");
        QTest::newRow("bare, TXT") << QStringLiteral("/d/月报") << 1 << QStringLiteral("/d/月报.txt");
        QTest::newRow("bare, CSV upper case") << QStringLiteral("/d/月报") << 2 << QStringLiteral("/d/月报.CSV");
        QTest::newRow("bare, HTML") << QStringLiteral("/d/月报") << 3 << QStringLiteral("/d/月报.htm");
        QTest::newRow("bare, RTF") << QStringLiteral("/d/月报") << 4 << QStringLiteral("/d/月报.rtf");
        QTest::newRow("bare, EXCEL") << QStringLiteral("/d/月报") << 5 << QStringLiteral("/d/月报.xls");
        QTest::newRow(".txt kept") << QStringLiteral("/d/月报.txt") << 1 << QStringLiteral("/d/月报.txt");
        QTest::newRow(".TXT kept") << QStringLiteral("/d/月报.TXT") << 1 << QStringLiteral("/d/月报.TXT");
        QTest::newRow(".csv kept") << QStringLiteral("/d/月报.csv") << 2 << QStringLiteral("/d/月报.csv");
        QTest::newRow(".xlsx gets .xls") << QStringLiteral("/d/月报.xlsx") << 5 << QStringLiteral("/d/月报.xlsx.xls");
        QTest::newRow(".html gets .htm") << QStringLiteral("/d/月报.html") << 3 << QStringLiteral("/d/月报.html.htm");
        QTest::newRow("no dot, last three match") << QStringLiteral("/d/月报txt") << 1 << QStringLiteral("/d/月报txt");
        QTest::newRow("other type's extension") << QStringLiteral("/d/月报.txt") << 5 << QStringLiteral("/d/月报.txt.xls");
        QTest::newRow("shorter than three") << QStringLiteral("xl") << 5 << QStringLiteral("xl.xls");
    }
    void fileNameRule()
    {
        QFETCH(QString, typed);
        QFETCH(int, index);
        QFETCH(QString, saved);
        const auto f = GridExport::formatForFilterIndex(index);
        QVERIFY(f);
        QCOMPARE(GridExport::finalFileName(typed, *f), saved);
    }

    void filterIndexOutsideTheFiveIsNoType()
    {
        QVERIFY(!GridExport::formatForFilterIndex(0));
        QVERIFY(!GridExport::formatForFilterIndex(6));
    }

    void dialogAsksWithTheFilterAndRemembersTheTypeForTheRun()
    {
        FakeFileDialogs dialogs;
        FakeMessages messages;
        dialogs.saveAnswers << SaveFileAnswer{true, out.filePath(QStringLiteral("月报")), 3};
        GridExport::exportGrid(nullptr, grid.get(), QStringLiteral("现金日记账报表"));
        QCOMPARE(dialogs.saveRequests.size(), 1);
        const SaveFileRequest& first = dialogs.saveRequests[0];
        QCOMPARE(first.filter, QStringLiteral("文本文件TXT(.txt)|.txt|csv文件(.csv)|.csv|网页文件(.htm)|.htm|RTF文件(.rtf)|.rtf|EXCEL文件(*.xls)|.xls"));
        QCOMPARE(first.filterIndex, 5);
        QCOMPARE(first.fileName, QStringLiteral("现金日记账报表"));
        QVERIFY(first.confirmOverwrite);
        QVERIFY(QFile::exists(out.filePath(QStringLiteral("月报.htm"))));

        // Another window's grid: the HTML type chosen last is preselected; cancelling keeps it.
        DBGrid other;
        other.setDataset(ds.get());
        other.setColumns(grid->columns());
        GridExport::exportGrid(nullptr, &other, QStringLiteral("银行日记账报表"));
        QCOMPARE(dialogs.saveRequests.size(), 2);
        QCOMPARE(dialogs.saveRequests[1].filterIndex, 3);
        QCOMPARE(dialogs.saveRequests[1].fileName, QStringLiteral("银行日记账报表"));
        GridExport::exportGrid(nullptr, &other, QStringLiteral("银行日记账报表"));
        QCOMPARE(dialogs.saveRequests[2].filterIndex, 3);
        QVERIFY(messages.shown.isEmpty());
    }

    void extendedNameThatExistsIsReplacedOnlyAfterAsking()
    {
        FakeFileDialogs dialogs;
        FakeMessages messages;
        const QString existing = out.filePath(QStringLiteral("留存.txt"));
        {
            QFile f(existing);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("old");
        }
        // "留存" typed with TXT would land on 留存.txt: No returns to the dialog, then Cancel.
        dialogs.saveAnswers << SaveFileAnswer{true, out.filePath(QStringLiteral("留存")), 1};
        messages.answers << false;
        GridExport::exportGrid(nullptr, grid.get(), QStringLiteral("x"));
        QCOMPARE(dialogs.saveRequests.size(), 2);
        QCOMPARE(dialogs.saveRequests[1].fileName, out.filePath(QStringLiteral("留存")));
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY(messages.last().contains(QStringLiteral("留存.txt")));
        QFile f(existing);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("old"));
    }

    void csvReadsBackCellByCell()
    {
        const QString path = exportTo(Format::Csv, QStringLiteral("t.CSV"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.read(3) == QByteArray("\xEF\xBB\xBF"));
        const QByteArray json = run(python(), {QStringLiteral("-c"), QString::fromUtf8(CsvReader), path});
        QVERIFY(!json.isEmpty());
        QCOMPARE(jsonRows(QJsonDocument::fromJson(json).array()), expectedText());
    }

    void textIsTabSeparatedWithBom()
    {
        const QString path = exportTo(Format::Text, QStringLiteral("t.txt"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray all = f.readAll();
        QVERIFY(all.startsWith("\xEF\xBB\xBF"));
        QStringList lines = QString::fromUtf8(all.mid(3)).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.takeLast(), QString()); // the last line ends like the others
        QList<QStringList> expected = expectedText();
        expected[1][2] = QStringLiteral("第一行 第二行 制表"); // a tab or line break inside a cell cannot survive the format
        QCOMPARE(lines.size(), expected.size());
        for (int i = 0; i < lines.size(); ++i)
            QCOMPARE(lines[i].split(u'\t'), expected[i]);
    }

    void htmlReadsBackCellByCell()
    {
        const QString path = exportTo(Format::Html, QStringLiteral("t.htm"));
        const QByteArray json = run(python(), {QStringLiteral("-c"), QString::fromUtf8(HtmlReader), path});
        QVERIFY(!json.isEmpty());
        const QJsonObject o = QJsonDocument::fromJson(json).object();
        QCOMPARE(o.value(QStringLiteral("charset")).toString(), QStringLiteral("utf-8"));
        QCOMPARE(o.value(QStringLiteral("doctype")).toString().toLower(), QStringLiteral("doctype html"));
        QCOMPARE(jsonRows(o.value(QStringLiteral("rows")).toArray()), expectedText());
    }

    void xlsReadsBackWithTypes()
    {
        const QString path = exportTo(Format::Xls, QStringLiteral("t.xls"));
        const QByteArray json = run(python(), {QStringLiteral("-c"), QString::fromUtf8(XlsReader), path});
        QVERIFY(!json.isEmpty());
        const QJsonArray sheets = QJsonDocument::fromJson(json).array();
        QCOMPARE(sheets.size(), 1);
        const QList<QStringList> rows = jsonRows(sheets[0].toObject().value(QStringLiteral("rows")).toArray());
        const auto u8 = [](std::initializer_list<const char*> cells) {
            QStringList l;
            for (const char* c : cells)
                l << QString::fromUtf8(c);
            return l;
        };
        const QList<QStringList> expected = {
            u8({"s:摘要", "s:日期", "s:明细", "s:借方（增加）", "s:贷方（减少）", "s:笔数"}),
            u8({"s:收到货款，含\"税\", 10%", "d:2024-03-01 09:30:00", "s:第一行\n第二行\t制表", "n:1234.5678", "", "n:3.0"}),
            u8({"s:<&>测试 &amp;", "d:2024-03-02 00:00:00", "", "", "n:-0.5", "n:-2.0"}),
            u8({"s:'单引号' \\反斜杠{大括号}", "", "s:😀 ü", "n:0.0001", "n:99999.9999", ""}),
            u8({"", "s:合计", "", "n:1234.5679", "n:99999.4999", "n:1.0"}),
        };
        QCOMPARE(rows, expected);
    }

    void xlsSpreadsManyRowsOverSheets()
    {
        // More rows than one BIFF8 sheet holds: every row still arrives, titles on each sheet.
        TestDatabase::exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i < 70000) "
                                          "INSERT INTO XJRJZ (ZhanYao, JieFang) SELECT '行' || i, i FROM n"));
        ds->reopen();
        const QString path = exportTo(Format::Xls, QStringLiteral("big.xls"));
        const char* counter = R"(
import json, sys, xlrd
b = xlrd.open_workbook(sys.argv[1])
print(json.dumps([[s.nrows, s.cell_value(0, 0), s.cell_value(s.nrows - 1, 0), s.cell_value(s.nrows - 1, 3)] for s in b.sheets()]))
)";
        const QByteArray json = run(python(), {QStringLiteral("-c"), QString::fromUtf8(counter), path});
        QVERIFY(!json.isEmpty());
        const QJsonArray sheets = QJsonDocument::fromJson(json).array();
        QCOMPARE(sheets.size(), 2);
        int dataRows = 0;
        for (const QJsonValue& s : sheets) {
            QCOMPARE(s[1].toString(), QStringLiteral("摘要"));
            dataRows += s[0].toInt() - 1;
        }
        QCOMPARE(dataRows, 70003 + 1); // every row plus the footer
        QCOMPARE(sheets[1][3].toDouble(), 70000.0 * 70001 / 2 / 10000 + 1234.5679); // the footer sum
        QCOMPARE(sheets[0][2].toString(), QStringLiteral("行65531"));
    }

    void rtfConvertsBackCellByCell()
    {
        const QString path = exportTo(Format::Rtf, QStringLiteral("t.rtf"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray raw = f.readAll();
        QVERIFY(raw.contains("\\fcharset134")); // a CJK font in the font table
        for (char ch : raw)
            QVERIFY(uchar(ch) < 0x80); // everything beyond ASCII travels as \uN? escapes
        const QByteArray json = run(python(), {QStringLiteral("-c"), QString::fromUtf8(RtfReader), path});
        QVERIFY(!json.isEmpty());
        QCOMPARE(jsonRows(QJsonDocument::fromJson(json).array()), expectedText());
    }

    void everyRowIsWrittenWhenSeveralAreSelected()
    {
        FakeFileDialogs dialogs;
        grid->setMultiSelect(true);
        QItemSelectionModel* sel = grid->view()->selectionModel();
        sel->select(grid->model()->index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        sel->select(grid->model()->index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QCOMPARE(grid->selectedRows(), (QVector<int>{0, 2}));
        dialogs.saveAnswers << SaveFileAnswer{true, out.filePath(QStringLiteral("选中")), 2};
        GridExport::exportGrid(nullptr, grid.get(), QStringLiteral("x"));
        const QByteArray json = run(python(), {QStringLiteral("-c"), QString::fromUtf8(CsvReader), out.filePath(QStringLiteral("选中.CSV"))});
        QCOMPARE(jsonRows(QJsonDocument::fromJson(json).array()), expectedText());
    }

    void writeErrorRaisesAndLeavesNoFile_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 1; i <= 5; ++i)
            QTest::addRow("type %d", i) << i;
    }
    void writeErrorRaisesAndLeavesNoFile()
    {
        QFETCH(int, index);
        const QString folder = out.filePath(QStringLiteral("只读%1").arg(index));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup));
        QFile probe(folder + QStringLiteral("/probe"));
        const bool stillWritable = probe.open(QIODevice::WriteOnly);
        probe.close();
        probe.remove();
        // A superuser writes into read-only folders; a folder of /proc refuses everyone.
        const QString target = (stillWritable ? QStringLiteral("/proc/1") : folder) + QStringLiteral("/月报.") + GridExport::extension(Format(index));
        FakeFileDialogs dialogs;
        dialogs.saveAnswers << SaveFileAnswer{true, target, index};
        try {
            GridExport::exportGrid(nullptr, grid.get(), QStringLiteral("月报"));
            QFAIL("no error");
        } catch (const AppError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("月报.")), qPrintable(e.message()));
        }
        QVERIFY(!QFile::exists(target));
        QCOMPARE(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Stopping a writer partway (what "取消" does) leaves no file and no temporary, for every type.
    void stoppedWriterLeavesNothing_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 1; i <= 5; ++i)
            QTest::addRow("type %d", i) << i;
    }
    void stoppedWriterLeavesNothing()
    {
        QFETCH(int, index);
        TestDatabase::exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i < 2000) "
                                          "INSERT INTO XJRJZ (ZhanYao, JieFang) SELECT '行' || i, i FROM n"));
        ds->reopen();
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("月报.") + GridExport::extension(Format(index)));
        GridExport::Table t = GridExport::Table::of(*grid);
        QList<qint64> heard;
        t.rowsWritten = [&heard](qint64 done, qint64 total) {
            QCOMPARE(total, 2003);
            heard << done;
            if (done >= 1000)
                throw GridExport::Cancelled();
        };
        QVERIFY_THROWS_EXCEPTION(GridExport::Cancelled, GridExport::saveToFile(t, Format(index), target));
        QVERIFY(heard.size() >= 4);
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden), QStringList());
    }

    // The export's progress window: "取消" while it runs leaves no file and says nothing.
    void cancelledExportLeavesNoFile()
    {
        TestDatabase::exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i < 20000) "
                                          "INSERT INTO XJRJZ (ZhanYao, JieFang) SELECT '行' || i, i FROM n"));
        ds->reopen();
        GridExport::setProgressDelay(0);
        FakeFileDialogs dialogs;
        QTemporaryDir dir;
        dialogs.saveAnswers << SaveFileAnswer{true, dir.filePath(QStringLiteral("月报")), 2};
        QProgressDialog* seen = nullptr;
        int valueWhenCancelled = -1;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* w = grid->findChild<QProgressDialog*>();
            if (!w || !w->isVisible() || w->value() <= 0)
                return;
            seen = w;
            valueWhenCancelled = w->value();
            w->cancel();
            poll.stop();
        });
        poll.start(0);
        GridExport::exportGrid(grid.get(), grid.get(), QStringLiteral("x"));
        GridExport::setProgressDelay(500);
        QVERIFY(seen != nullptr);
        QVERIFY2(valueWhenCancelled > 0 && valueWhenCancelled < 20003, qPrintable(QString::number(valueWhenCancelled)));
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden), QStringList());
        // Not cancelled, the same export writes the whole file.
        dialogs.saveAnswers << SaveFileAnswer{true, dir.filePath(QStringLiteral("月报")), 2};
        GridExport::exportGrid(grid.get(), grid.get(), QStringLiteral("x"));
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("月报.CSV"))).size() > 20000 * 5);
    }

    void failureHalfwayLeavesTheOldFileAndNoTemporary()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("报表.xls"));
        {
            QFile f(target);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("previous");
        }
        QVERIFY_THROWS_EXCEPTION(AppError, GridExport::writeAtomically(target, [](QIODevice& out) {
            out.write(QByteArray(100000, 'x'));
            throw AppError(QStringLiteral("磁盘已满"));
        }));
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{QStringLiteral("报表.xls")});
        QFile f(target);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("previous"));
    }
};

QTEST_MAIN(TestExport)
#include "test_export.moc"
