// Gallery scenes of the search and statistics: both search dialogs and the six statistics
// windows after a "统计".
#include "Connection.h"
#include "DateEdit.h"
#include "Dataset.h"
#include "Gallery.h"
#include "uCountByDay.h"
#include "uCountByZhanYao.h"
#include "uXJSearch.h"
#include "uXJTJ_YearMonth.h"
#include "u_BankJZSearch.h"
#include "u_BankTJByZhanYao.h"
#include "u_BankTJbyday.h"
#include "u_bankYearMonth.h"

#include <QComboBox>
#include <QLineEdit>

namespace {
// A few entries of the months before the fixture's March, so the monthly windows show a year.
void addEarlierMonths()
{
    static bool added = false;
    if (added)
        return;
    added = true;
    Connection& c = Connection::instance();
    struct E { const char* when; const char* summary; qint64 debit, credit; const char* bank; };
    const E rows[] = {
        {"2024-01-09 09:10:00", "销售收入", 8800000, 0, "中国工商银行朝阳支行"},
        {"2024-01-20 16:00:00", "办公用品", 0, 1250000, "中国建设银行海淀支行"},
        {"2024-02-02 10:30:00", "销售收入", 15600000, 0, "中国建设银行海淀支行"},
        {"2024-02-18 14:45:00", "差旅费", 0, 2300000, "中国工商银行朝阳支行"},
        {"2024-03-05 10:15:00", "银行存款利息", 125000, 0, "中国建设银行海淀支行"},
    };
    for (const E& e : rows) {
        c.run(QStringLiteral("INSERT INTO XJRJZ (YeWuRQ, ZhanYao, JieFang, DaiFang, Fillter) VALUES (?, ?, ?, ?, 'admin')"),
              {QString::fromUtf8(e.when), QString::fromUtf8(e.summary), e.debit, e.credit});
        c.run(QStringLiteral("INSERT INTO YHRJZ (yewuRQ, Zhanyao, JieFang, DaiFang, KaiHuBank, Fillter) VALUES (?, ?, ?, ?, ?, 'admin')"),
              {QString::fromUtf8(e.when), QString::fromUtf8(e.summary), e.debit, e.credit, QString::fromUtf8(e.bank)});
    }
}

template <typename T>
QWidget* statistics()
{
    addEarlierMonths();
    auto* w = new T(nullptr);
    w->setWindowState(Qt::WindowNoState);
    return w;
}

void runRange(QWidget* w)
{
    auto* f = static_cast<DateRangeStatisticsForm*>(w);
    f->DBDateTimeEditEh1->setValue(QDate(2024, 1, 1));
    f->DBDateTimeEditEh2->setValue(QDate(2024, 3, 31));
    f->RzToolButton2Click();
}

void runYear(QWidget* w) { static_cast<YearMonthStatisticsForm*>(w)->runYear(QStringLiteral("2024")); }

const QSize statSize(860, 420);

const bool registered = [] {
    Gallery::add({QStringLiteral("report_cash_search"), [] {
        auto* list = new Dataset;
        auto* s = new TfrmXJSearch(nullptr, list);
        list->setParent(s);
        return static_cast<QWidget*>(s);
    }, {}, [](QWidget* w) {
        auto* s = static_cast<TfrmXJSearch*>(w);
        s->ComboBox1->setEditText(QStringLiteral("销售收入"));
        s->Edit2->setText(QStringLiteral("1000"));
        s->Edit3->setText(QStringLiteral("5000"));
    }});
    Gallery::add({QStringLiteral("report_bank_search"), [] {
        auto* list = new Dataset;
        auto* s = new TfrmBankJZSearch(nullptr, list);
        list->setParent(s);
        return static_cast<QWidget*>(s);
    }, {}, [](QWidget* w) {
        auto* s = static_cast<TfrmBankJZSearch*>(w);
        s->ComboBox2->setEditText(QStringLiteral("中国工商银行朝阳支行"));
        s->Edit1->setText(QStringLiteral("Y002"));
    }});
    Gallery::add({QStringLiteral("report_cash_year_month"), statistics<TfrmXJTJ_YearMonth>, statSize, runYear});
    Gallery::add({QStringLiteral("report_bank_year_month"), statistics<Tfrmbank_yearMonth>, statSize, runYear});
    Gallery::add({QStringLiteral("report_cash_by_summary"), statistics<TfrmCountByZhanYao>, statSize, runRange});
    Gallery::add({QStringLiteral("report_bank_by_summary"), statistics<TfrmBankTJByZhanYao>, statSize, runRange});
    Gallery::add({QStringLiteral("report_cash_by_day"), statistics<TfrmCountByDay>, statSize, runRange});
    Gallery::add({QStringLiteral("report_bank_by_day"), statistics<TfrmBankTJByDay>, statSize, runRange});
    return true;
}();
}
