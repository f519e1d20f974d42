// Gallery scenes of the daily fund report and the ledger pages, over a month of April entries
// (the accounting month's March stays as the other scenes show it). The ledger pages are printed
// to a PDF as the preview prints them and shown as pdftoppm draws that file.
#include "Connection.h"
#include "Gallery.h"
#include "LedgerPrinter.h"
#include "uZiJinRiBao.h"

#include <QDateEdit>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

namespace {
const QString icbc = QStringLiteral("中国工商银行朝阳支行");
const QString ccb = QStringLiteral("中国建设银行海淀支行");

// Openings carried into April, then a few receipts and payments on most working days.
void addApril()
{
    static bool added = false;
    if (added)
        return;
    added = true;
    Connection& c = Connection::instance();
    const auto cash = [&](const QString& when, const QString& no, const QString& summary, qint64 debit, qint64 credit,
                          const QString& detail, const QString& code) {
        c.run(QStringLiteral("INSERT INTO XJRJZ (YeWuRQ, PingZhengNo, ZhanYao, Detail, JieFang, DaiFang, Fillter, KeMuDM)"
                             " VALUES (?, ?, ?, ?, ?, ?, 'admin', ?)"),
              {when, no, summary, detail, debit, credit, code});
    };
    const auto bank = [&](const QString& when, const QString& account, const QString& no, const QString& summary, qint64 debit,
                          qint64 credit, const QString& detail) {
        c.run(QStringLiteral("INSERT INTO YHRJZ (yewuRQ, KaiHuBank, PingZhengNo, Zhanyao, Detail, JieFang, DaiFang, Fillter)"
                             " VALUES (?, ?, ?, ?, ?, ?, ?, 'admin')"),
              {when, account, no, summary, detail, debit, credit});
    };
    const QString opening = QStringLiteral("期初金额");
    cash(QStringLiteral("2024-04-01 00:00:00"), {}, opening, 52000000, 0, QStringLiteral("上月结转"), {});
    bank(QStringLiteral("2024-04-01 00:00:00"), icbc, {}, opening, 2305000000, 0, QStringLiteral("上月结转"));
    bank(QStringLiteral("2024-04-01 00:00:00"), ccb, {}, opening, 150000000, 0, {});
    const struct {
        const char* summary;
        const char* detail;
        const char* code;
        qint64 debit, credit;
    } kinds[] = {
        {"销售收入", "门市零售", "6001", 3860000, 0},      {"办公用品", "打印纸、墨盒", "6602", 0, 456000},
        {"差旅费", "出差报销", "6602", 0, 1280000},        {"备用金", "提取备用金", "1002", 8000000, 0},
        {"业务招待费", "客户接待", "6602", 0, 960050},     {"销售收入", "批发回款", "6001", 12500000, 0},
    };
    int n = 0;
    for (int day = 1; day <= 30; ++day) {
        const QDate d(2024, 4, day);
        if (d.dayOfWeek() == 7)
            continue;
        for (int k = 0; k < (day % 3) + 1; ++k) {
            const auto& e = kinds[(day + k) % 6];
            ++n;
            const QString when = QStringLiteral("2024-04-%1 %2:15:00").arg(day, 2, 10, QLatin1Char('0')).arg(9 + 2 * k, 2, 10, QLatin1Char('0'));
            cash(when, QStringLiteral("现-%1").arg(n, 3, 10, QLatin1Char('0')), QString::fromUtf8(e.summary), e.debit, e.credit,
                 QString::fromUtf8(e.detail), QString::fromUtf8(e.code));
        }
        if (day % 4 == 1)
            bank(QStringLiteral("2024-04-%1 10:30:00").arg(day, 2, 10, QLatin1Char('0')), icbc, QStringLiteral("银-%1").arg(day),
                 QStringLiteral("销售收入"), 186000000 + day * 1000000, 0, QStringLiteral("货款"));
        if (day % 5 == 2)
            bank(QStringLiteral("2024-04-%1 15:00:00").arg(day, 2, 10, QLatin1Char('0')), ccb, QStringLiteral("银-%1").arg(100 + day),
                 QStringLiteral("采购付款"), 0, 61000000, QStringLiteral("原材料"));
    }
}

QWidget* report()
{
    addApril();
    auto* w = new TfrmZiJinRiBao(nullptr);
    w->setWindowState(Qt::WindowNoState);
    w->DateTimePicker1->setDate(QDate(2024, 4, 12));
    return w;
}

// The ledger pages printed to a PDF at printer resolution, drawn back by pdftoppm.
QWidget* ledger(JournalKind journal, int count)
{
    addApril();
    auto* w = new QWidget;
    w->setStyleSheet(QStringLiteral("background: #808080;"));
    auto* lay = new QHBoxLayout(w);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("ledger.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageLayout(LedgerPrinter::defaultPageLayout());
    LedgerPrinter(readLedgerBooks(journal, 2024, 4, QStringLiteral("admin"))).render(&printer);
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"), QStringLiteral("-l"),
                                                    QString::number(count), pdf, dir.filePath(QStringLiteral("page"))});
    const QStringList pages = QDir(dir.path()).entryList({QStringLiteral("page*.png")}, QDir::Files, QDir::Name);
    for (const QString& p : pages) {
        auto* page = new QLabel(w);
        page->setPixmap(QPixmap(dir.filePath(p)));
        lay->addWidget(page);
    }
    return w;
}

const bool registered = [] {
    Gallery::add({QStringLiteral("report_daily_funds"), report, QSize(1100, 760), {}});
    Gallery::add({QStringLiteral("report_ledger_cash"), [] { return ledger(JournalKind::Cash, 2); }, {}, {}});
    Gallery::add({QStringLiteral("report_ledger_bank"), [] { return ledger(JournalKind::Bank, 2); }, {}, {}});
    return true;
}();
}
