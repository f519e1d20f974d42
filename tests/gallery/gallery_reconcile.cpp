// Gallery scenes of bank reconciliation: the window after 自动对账, the import preview with a
// balance break, the column mapping, the line dialog, the 余额调节表 and its printed page.
#include "Command.h"
#include "Gallery.h"
#include "Matching.h"
#include "ReconciliationPrint.h"
#include "uDuiZhangDanEdit.h"
#include "uDuiZhangDanGeShi.h"
#include "uDuiZhangDanYuLan.h"
#include "uYinHangDuiZhang.h"
#include "uYinHangTiaoJieBiao.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>

namespace {
const QString account = QStringLiteral("中国工商银行朝阳支行");

// The bank's lines of March for the fixture's entries, a fee and interest the books lack yet,
// and a cheque the books have that the bank has not paid; then 自动对账.
void addStatement()
{
    static bool added = false;
    if (added)
        return;
    added = true;
    struct L { const char* when; const char* summary; qint64 in, out, balance; const char* who; const char* serial; };
    const L lines[] = {
        {"2024-03-01 00:00:00", "上日余额", 0, 0, 200000000, "", ""},
        {"2024-03-07 10:02:11", "货款", 35000000, 0, 235000000, "北京华联商贸有限公司", "B240307001"},
        {"2024-03-11 09:30:45", "报销差旅费", 0, 4500000, 230500000, "王五", "B240311017"},
        {"2024-03-21 00:00:00", "结息", 312500, 0, 230812500, "", "B240321900"},
        {"2024-03-25 15:12:00", "账户管理费", 0, 50000, 230762500, "", "B240325004"},
    };
    for (const L& l : lines)
        Command::execute(QStringLiteral("INSERT INTO YinHangDuiZhangDan (KaiHuBank, JiaoYiSJ, ZhanYao, ShouRu, ZhiChu, YuE, DuiFangHuMing, "
                                        "LiuShuiHao, LaiYuan, LaiYuanHang, DaoRuSJ, DaoRuRen) VALUES (?, ?, ?, ?, ?, ?, ?, ?, '工行3月.xls', 5, "
                                        "'2024-04-01 09:00:00', 'admin')"),
                         {account, QString::fromUtf8(l.when), QString::fromUtf8(l.summary), l.in, l.out, l.balance,
                          QString::fromUtf8(l.who), QString::fromUtf8(l.serial)});
    Command::execute(QStringLiteral("INSERT INTO YHRJZ (yewuRQ, PingZhengNo, Zhanyao, Shuxing, JieFang, DaiFang, Fillter, KaiHuBank) "
                                    "VALUES ('2024-03-29 16:00:00', 'Y004', '支付货款', '减少', NULL, 8800000, 'admin', ?)"),
                     {account});
    Matching::autoReconcile(account, QDate(2024, 3, 1), QDate(2024, 3, 31), 3, QStringLiteral("admin"),
                            QDateTime(QDate(2024, 4, 1), QTime(9, 5)));
}

QWidget* window()
{
    addStatement();
    auto* w = new TfrmYinHangDuiZhang(nullptr);
    w->setWindowState(Qt::WindowNoState);
    w->EditFrom->setDate(QDate(2024, 3, 1));
    w->EditTo->setDate(QDate(2024, 3, 31));
    return w;
}

ImportPreview preview()
{
    ImportPreview p;
    p.account = account;
    p.fileName = QStringLiteral("工行4月明细.csv");
    p.duplicates = 2;
    const struct { int line; const char* when; const char* summary; qint64 in, out, balance; } rows[] = {
        {8, "2024-04-02 09:12:00", "货款", 12000000, 0, 242762500},
        {9, "2024-04-03 14:30:00", "电费", 0, 865000, 241897500},
        {10, "2024-04-05 10:00:00", "工资", 0, 36000000, 206897500},
    };
    for (const auto& r : rows) {
        StatementLine l;
        l.sourceLine = r.line;
        l.when = QDateTime::fromString(QString::fromUtf8(r.when), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        l.summary = QString::fromUtf8(r.summary);
        l.in = Money::fromUnits(r.in);
        l.out = Money::fromUnits(r.out);
        l.balance = Money::fromUnits(r.balance);
        l.serial = QStringLiteral("B2404%1").arg(r.line, 5, 10, QLatin1Char('0'));
        p.fresh << l;
    }
    p.breaks = StatementImport::balanceBreaks(p.fresh);
    return p;
}

SheetReader::Rows oddFile()
{
    const auto row = [](std::initializer_list<const char*> cells) {
        QStringList out;
        for (const char* c : cells)
            out << QString::fromUtf8(c);
        return out;
    };
    return {row({"某某农村商业银行 账户往来明细"}), row({"账号", "6230 5800 0001 2345"}), row({}),
            row({"记录时间", "说明", "进账", "出账", "结余", "对方"}),
            row({"2024-03-08", "退款", "66.00", "", "1066.00", "张三"}),
            row({"2024-03-09", "取现", "", "500.00", "566.00", ""})};
}

QWidget* printedPage()
{
    addStatement();
    const ReconciliationPrint print(Reconciliations::compute(account, QDate(2024, 3, 31)), QStringLiteral("admin"));
    auto* w = new QWidget;
    w->setStyleSheet(QStringLiteral("background: #808080;"));
    auto* lay = new QHBoxLayout(w);
    auto* page = new QLabel(w);
    page->setPixmap(QPixmap::fromImage(print.renderImages(ReconciliationPrint::defaultPageLayout(), 110)[0].scaledToWidth(
        760, Qt::SmoothTransformation)));
    lay->addWidget(page);
    return w;
}

const bool registered = [] {
    Gallery::add({QStringLiteral("reconcile_window"), window, QSize(1280, 640), {}});
    Gallery::add({QStringLiteral("reconcile_window_unpaired"), window, QSize(1280, 640),
                  [](QWidget* w) { static_cast<TfrmYinHangDuiZhang*>(w)->CheckUnpaired->setChecked(true); }});
    Gallery::add({QStringLiteral("reconcile_import_preview"), [] {
                      return static_cast<QWidget*>(new TfrmDuiZhangDanYuLan(preview()));
                  }, {}, {}});
    Gallery::add({QStringLiteral("reconcile_mapping"), [] {
                      auto* d = new TfrmDuiZhangDanGeShi(oddFile());
                      StatementLayout l;
                      l.headerRow = 3;
                      l.setColumn(StatementRole::Date, 0);
                      l.setColumn(StatementRole::Summary, 1);
                      l.setColumn(StatementRole::In, 2);
                      l.setColumn(StatementRole::Out, 3);
                      l.setColumn(StatementRole::Balance, 4);
                      l.setColumn(StatementRole::Counterparty, 5);
                      d->choose(l);
                      return static_cast<QWidget*>(d);
                  }, {}, {}});
    Gallery::add({QStringLiteral("reconcile_line_dialog"), [] { return static_cast<QWidget*>(new TfrmDuiZhangDanEdit); }, {}, {}});
    Gallery::add({QStringLiteral("reconcile_statement"), [] {
                      addStatement();
                      return static_cast<QWidget*>(new TfrmYinHangTiaoJieBiao(account, QDate(2024, 3, 31)));
                  }, {}, {}});
    Gallery::add({QStringLiteral("reconcile_statement_print"), printedPage, {}, {}});
    return true;
}();
} // namespace
